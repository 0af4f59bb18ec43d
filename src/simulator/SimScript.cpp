#include "SimScript.h"

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
    {"dimmer", "dimmer N LEVEL (N 1-4, LEVEL 0-255)",
     [](const QStringList &a) {
         return a.size() == 2
                    ? make(SimAction::Kind::Dimmer, number(a[0], 1, 4), -1, number(a[1], 0, 255))
                    : std::nullopt;
     }},
    {"station", "station S online|offline (S 1-2)",
     [](const QStringList &a) {
         return a.size() == 2 ? make(SimAction::Kind::Station, number(a[0], 1, 2), -1,
                                     either(a[1], "online", "offline"))
                              : std::nullopt;
     }},
};
} // namespace

std::optional<ScriptLine> parseScriptLine(QStringView line, QString *error)
{
    line = line.left(line.indexOf(QLatin1Char('#'))).trimmed(); // a comment runs to the end
    QStringList words = line.toString().toLower().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    ScriptLine parsed;
    bool timed = false;
    const double seconds = words.isEmpty() ? 0 : words.first().toDouble(&timed);
    if (timed) {
        if (!(seconds >= 0 && seconds <= 1e6)) { // NaN too
            *error = QStringLiteral("the time %1 is not a number of seconds from the start")
                         .arg(words.first());
            return std::nullopt;
        }
        parsed.atMs = qRound64(seconds * 1000);
        words.removeFirst();
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
        *error = QStringLiteral("\"%1\": expected %2").arg(line, QLatin1String(command->usage));
        return std::nullopt;
    }
    parsed.action = *action;
    return parsed;
}

std::optional<QList<ScriptLine>> parseScript(const QString &text, QString *error)
{
    QList<ScriptLine> lines;
    const QStringList rows = text.split(QLatin1Char('\n'));
    for (qsizetype n = 0; n < rows.size(); ++n) {
        const QString row = rows[n].trimmed();
        if (row.section(QLatin1Char('#'), 0, 0).isEmpty())
            continue;
        QString reason;
        const std::optional<ScriptLine> line = parseScriptLine(row, &reason);
        if (!line) {
            *error = QStringLiteral("line %1: %2").arg(n + 1).arg(reason);
            return std::nullopt;
        }
        lines.append(*line);
    }
    return lines;
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
