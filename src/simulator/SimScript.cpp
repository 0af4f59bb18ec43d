#include "SimScript.h"

#include "CommTexts.h"

#include <QRegularExpression>

#include <algorithm>

namespace
{
struct Command {
    const char *name;
    const char *usage;
    // The words after the name, lower case; nullopt when they do not fit the usage.
    std::optional<SimAction> (*parse)(const QStringList &args);
};

// A whole number in [low, high], or nullopt.
std::optional<int> number(const QString &word, int low, int high)
{
    bool ok = false;
    const int v = word.toInt(&ok);
    return ok && v >= low && v <= high ? std::optional(v) : std::nullopt;
}

// "on"/"off" and the like as 1/0, or nullopt.
std::optional<int> either(const QString &word, const char *yes, const char *no)
{
    if (word == QLatin1String(yes))
        return 1;
    if (word == QLatin1String(no))
        return 0;
    return std::nullopt;
}

std::optional<SimAction> make(SimAction::Kind kind, std::optional<int> index, int offset,
                              std::optional<int> value)
{
    if (!index || !value)
        return std::nullopt;
    return SimAction{kind, *index + offset, *value};
}

std::optional<SimAction> switchAction(const QStringList &a, int closed)
{
    static const QRegularExpression name(QStringLiteral("^tb0([12])-([1-6])$"));
    const QRegularExpressionMatch m = a.size() == 1 ? name.match(a[0]) : QRegularExpressionMatch();
    if (!m.hasMatch())
        return std::nullopt;
    return SimAction{SimAction::Kind::Input,
                     6 * (m.captured(1).toInt() - 1) + m.captured(2).toInt() - 1, closed};
}

const Command commands[] = {
    {"press", "press TB0S-K (S 1-2, K 1-6)",
     [](const QStringList &a) { return switchAction(a, 1); }},
    {"release", "release TB0S-K (S 1-2, K 1-6)",
     [](const QStringList &a) { return switchAction(a, 0); }},
    {"hardwired", "hardwired N close|open (N 1-4)",
     [](const QStringList &a) {
         return a.size() == 2 ? make(SimAction::Kind::Input, number(a[0], 1, 4), 11,
                                     either(a[1], "close", "open"))
                              : std::nullopt;
     }},
    {"photocell", "photocell P LEVEL (P 1-2, LEVEL 0-255), or photocell P in L close|open (L 1-4)",
     [](const QStringList &a) -> std::optional<SimAction> {
         const std::optional<int> p = a.isEmpty() ? std::nullopt : number(a[0], 1, 2);
         if (p && a.size() == 2)
             return make(SimAction::Kind::LightLevel, p, -1, number(a[1], 0, 255));
         if (p && a.size() == 4 && a[1] == QLatin1String("in"))
             return make(SimAction::Kind::Input, number(a[2], 1, 4), 15 + 4 * (*p - 1),
                         either(a[3], "close", "open"));
         return std::nullopt;
     }},
    {"relay", "relay N on|off (N 1-4)",
     [](const QStringList &a) {
         return a.size() == 2 ? make(SimAction::Kind::Relay, number(a[0], 1, 4), -1,
                                     either(a[1], "on", "off"))
                              : std::nullopt;
     }},
    {"dimmer", "dimmer N LEVEL (N 1-4, LEVEL 0-255 or 0%-100%)",
     [](const QStringList &a) {
         return a.size() == 2 ? make(SimAction::Kind::Dimmer, number(a[0], 1, 4), -1,
                                     CommTexts::dimmerLevel(a[1]))
                              : std::nullopt;
     }},
    {"station", "station S online|offline (S 1-2)",
     [](const QStringList &a) {
         return a.size() == 2 ? make(SimAction::Kind::Station, number(a[0], 1, 2), -1,
                                     either(a[1], "online", "offline"))
                              : std::nullopt;
     }},
};
constexpr int DaySeconds = 24 * 60 * 60;
const QString TimeLooks = QStringLiteral(
    "a time is the seconds from the start, 0 to 86400, with a point before any fraction, followed "
    "by what happens: \"1.5 press TB01-3\"");

// A first word that starts as a number is meant as the time, whatever follows in it.
std::optional<qint64> timeMs(const QString &word, QString *error)
{
    static const QRegularExpression seconds(QStringLiteral("^(\\d+(\\.\\d*)?|\\.\\d+)$"));
    if (!seconds.match(word).hasMatch()) {
        *error = QStringLiteral("\"%1\" is not a time: %2").arg(word, TimeLooks);
        return std::nullopt;
    }
    const double value = word.toDouble();
    if (value > DaySeconds) {
        *error = QStringLiteral("%1 s is beyond a day: %2").arg(word, TimeLooks);
        return std::nullopt;
    }
    return qRound64(value * 1000);
}
} // namespace

std::optional<ScriptLine> parseScriptLine(QStringView line, QString *error)
{
    line = line.left(line.indexOf(QLatin1Char('#'))); // a comment runs to the end
    // Tabs and runs of blanks separate as one blank does.
    const QString text = line.toString().simplified(); // as written, for the reasons
    QStringList words = text.toLower().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    ScriptLine parsed;
    static const QRegularExpression numberLike(QStringLiteral("^[-+.0-9]"));
    if (!words.isEmpty() && numberLike.match(words.first()).hasMatch()) {
        const std::optional<qint64> at = timeMs(words.takeFirst(), error);
        if (!at)
            return std::nullopt;
        if (words.isEmpty()) {
            *error = QStringLiteral("\"%1\" is a time alone: %2").arg(text, TimeLooks);
            return std::nullopt;
        }
        parsed.atMs = *at;
    }
    const QString name = words.isEmpty() ? QString() : words.takeFirst();
    const auto command =
        std::find_if(std::begin(commands), std::end(commands),
                     [&](const Command &c) { return name == QLatin1String(c.name); });
    if (command == std::end(commands)) {
        *error = QStringLiteral("unknown command \"%1\"; the commands are press, release, "
                                "hardwired, photocell, relay, dimmer, station")
                     .arg(name);
        return std::nullopt;
    }
    const std::optional<SimAction> action = command->parse(words);
    if (!action) {
        *error = QStringLiteral("\"%1\": expected %2").arg(text, QLatin1String(command->usage));
        return std::nullopt;
    }
    parsed.action = *action;
    return parsed;
}

bool ScriptReader::feed(QByteArrayView bytes)
{
    while (!m_ended && !bytes.isEmpty()) {
        const qsizetype end = bytes.indexOf('\n');
        const QByteArrayView part = end < 0 ? bytes : bytes.first(end);
        if (m_pending.size() + part.size() > MaxLineLength) {
            m_errors << QStringLiteral(
                            "line %1: longer than %2 characters; nothing after it is read")
                            .arg(QString::number(m_lineNumber + 1), QString::number(MaxLineLength));
            m_pending.clear();
            m_ended = true;
            break;
        }
        m_pending += part;
        if (end < 0)
            break;
        take(m_pending);
        m_pending.clear();
        bytes = bytes.sliced(end + 1);
    }
    return !m_ended;
}

void ScriptReader::finish()
{
    if (!m_ended && !m_pending.isEmpty())
        take(m_pending);
    m_pending.clear();
}

void ScriptReader::take(QByteArrayView bytes)
{
    ++m_lineNumber;
    const QString line = QString::fromUtf8(bytes);
    if (line.section(QLatin1Char('#'), 0, 0).trimmed().isEmpty())
        return;
    QString reason;
    if (const std::optional<ScriptLine> parsed = parseScriptLine(line, &reason))
        m_lines << *parsed;
    else
        m_errors << QStringLiteral("line %1: %2").arg(QString::number(m_lineNumber), reason);
}

std::optional<QList<ScriptLine>> parseScript(QByteArrayView text, QStringList *errors)
{
    ScriptReader reader;
    reader.feed(text);
    reader.finish();
    *errors = reader.takeErrors();
    if (!errors->isEmpty())
        return std::nullopt;
    return reader.takeLines();
}

void applyAction(ControllerSimulator &sim, const SimAction &a)
{
    const auto setBit = [](uint8_t &bits, int bit, bool on) {
        bits = static_cast<uint8_t>(on ? bits | (1 << bit) : bits & ~(1 << bit));
    };
    switch (a.kind) {
    case SimAction::Kind::Input:
        sim.setInput(a.index, a.value != 0);
        break;
    case SimAction::Kind::Station:
        setBit(sim.inputs, 4 + a.index, a.value != 0);
        break;
    case SimAction::Kind::LightLevel:
        sim.photocellLevels[static_cast<size_t>(a.index)] = static_cast<uint8_t>(a.value);
        break;
    case SimAction::Kind::Relay:
        setBit(sim.relays, a.index, a.value != 0);
        break;
    case SimAction::Kind::Dimmer:
        sim.dimmers[static_cast<size_t>(a.index)] = static_cast<uint8_t>(a.value);
        break;
    }
}

void ScriptPlayer::add(const ScriptLine &line)
{
    const auto after = std::upper_bound(m_lines.begin(), m_lines.end(), line.atMs,
                                        [](qint64 at, const ScriptLine &l) { return at < l.atMs; });
    m_lines.insert(after, line);
}

qint64 ScriptPlayer::playUntil(ControllerSimulator &sim, qint64 elapsedMs)
{
    while (!m_lines.isEmpty() && m_lines.first().atMs <= elapsedMs)
        applyAction(sim, m_lines.takeFirst().action);
    return m_lines.isEmpty() ? -1 : m_lines.first().atMs;
}
