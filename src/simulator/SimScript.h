#pragma once

#include "ControllerSimulator.h"

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>
#include <utility>

// What happens on site, played into the simulated controller from a script or typed on its
// standard input: "1.5 press TB01-3", "3 photocell 1 180", "station 2 offline". A line may start
// with its time in seconds; without one it acts at once.
struct SimAction {
    enum class Kind { Input, Station, LightLevel, Relay, Dimmer };
    Kind kind = Kind::Input;
    int index = 0; // input 0-23, station, photocell, relay or dimmer from 0
    int value = 0; // 1 closed, online or on, 0 not; or a level 0-255
    bool operator==(const SimAction &) const = default;
};

struct ScriptLine {
    qint64 atMs = 0;
    SimAction action;
    bool operator==(const ScriptLine &) const = default;
};

// A "#" starts a comment; spaces and tabs separate words. A one-line reason when the line is
// not one: "\"relay 5 on\": expected relay N on|off (N 1-4)".
std::optional<ScriptLine> parseScriptLine(QStringView line, QString *error);
void applyAction(ControllerSimulator &sim, const SimAction &action);

// Lines as their bytes arrive, from a file or a keyboard, in pieces of any size. Blank and
// comment lines are skipped; each bad line is kept as "line 4: …" and reading goes on, so one
// run names them all. A line longer than MaxLineLength ends the reading: a stream without line
// ends (/dev/zero) is refused there, and no more than a line is ever held.
class ScriptReader
{
public:
    static constexpr qsizetype MaxLineLength = 1000;

    // False once the reading has ended on an overlong line; nothing more is taken then.
    bool feed(QByteArrayView bytes);
    // The last line, when the stream ends without a line end.
    void finish();
    QList<ScriptLine> takeLines() { return std::exchange(m_lines, {}); }
    QStringList takeErrors() { return std::exchange(m_errors, {}); }
    qsizetype held() const { return m_pending.size(); }

private:
    void take(QByteArrayView line);

    QByteArray m_pending;
    int m_lineNumber = 0;
    bool m_ended = false;
    QList<ScriptLine> m_lines;
    QStringList m_errors;
};

// A whole script: its lines, or every reason it is refused.
std::optional<QList<ScriptLine>> parseScript(QByteArrayView text, QStringList *errors);

// Plays lines at their times against a clock the caller keeps, so a test plays a script
// without waiting.
class ScriptPlayer
{
public:
    // After the lines already due at the same time, so lines keep their order.
    void add(const ScriptLine &line);
    // Acts every line due by elapsedMs; the time of the next line, or -1 when none is left.
    qint64 playUntil(ControllerSimulator &sim, qint64 elapsedMs);

private:
    QList<ScriptLine> m_lines; // by time
};
