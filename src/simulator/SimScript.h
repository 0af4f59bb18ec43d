#pragma once

#include "ControllerSimulator.h"

#include <QList>
#include <QString>

#include <optional>

// What happens on site, played into the simulated controller from a script or typed on its
// standard input: "1.5 press TB01-3", "3 photocell 1 180", "station 2 offline". A line may start
// with its time in seconds; without one it acts at once.
struct SimAction {
    enum class Kind { Input, Station, LightLevel, Relay, Dimmer };
    Kind kind = Kind::Input;
    int index = 0; // input 0-23, station, photocell, relay or dimmer from 0
    int value = 0; // 1 closed, online or on, 0 not; or a level 0-255
};

struct ScriptLine {
    qint64 atMs = 0;
    SimAction action;
};

// A "#" starts a comment. A one-line reason when the line is not one:
// "\"relay 5 on\": expected relay N on|off (N 1-4)".
std::optional<ScriptLine> parseScriptLine(QStringView line, QString *error);
// Blank and comment lines are skipped; the first bad line is refused as "line 4: …".
std::optional<QList<ScriptLine>> parseScript(const QString &text, QString *error);
void applyAction(ControllerSimulator &sim, const SimAction &action);

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
