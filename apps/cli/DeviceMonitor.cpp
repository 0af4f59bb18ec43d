// monitor: the controller's events as they happen, from the readings status --watch takes.
#include "DeviceCommands.h"

#include "ConfigTexts.h"
#include "DeviceSession.h"
#include "EventCoalescer.h"
#include "modOVMXConfig.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QThread>

#include <algorithm>

namespace DeviceCommands
{

namespace
{
using Cli::ControllerUnreadable;
using Cli::Success;
using Cli::UsageError;

constexpr qint64 PollMs = 250;

const char *kindName(EventKind kind)
{
    switch (kind) {
    case EventKind::InputClosed:
        return "input-closed";
    case EventKind::InputOpened:
        return "input-opened";
    case EventKind::StationLost:
        return "station-lost";
    case EventKind::StationBack:
        return "station-back";
    case EventKind::RelayOn:
        return "relay-on";
    case EventKind::RelayOff:
        return "relay-off";
    case EventKind::DimmerMoved:
        return "dimmer-moved";
    case EventKind::LightMoved:
        return "light-moved";
    case EventKind::NodeChanged:
        return "node-changed";
    case EventKind::ModelChanged:
        return "model-changed";
    }
    return "";
}

// One value as JSON text, so the members keep the order a person reads them in.
QString json(const QJsonValue &value)
{
    const QByteArray text = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(text.mid(1, text.size() - 2));
}

// Local time with its offset from UTC, so a record read elsewhere still says when.
QString isoTime(qint64 ms)
{
    const QDateTime local = QDateTime::fromMSecsSinceEpoch(ms);
    return local.toOffsetFromUtc(local.offsetFromUtc()).toString(Qt::ISODateWithMs);
}

struct Monitor {
    Session &s;
    bool asJson = false;
    std::optional<ConfigTexts::ScreenTexts> texts; // FILE's, when one was given
    EventCoalescer coalescer;
    QList<StatusEvent> held; // by time, behind a move under way that will come before them

    // Prints every event that no move under way can precede; `all` at the end.
    void take(const QList<StatusEvent> &events, bool all)
    {
        held.append(events);
        std::stable_sort(held.begin(), held.end(), [](const StatusEvent &a, const StatusEvent &b) {
            return a.timeMs < b.timeMs;
        });
        const std::optional<qint64> moving = all ? std::nullopt : coalescer.movingSinceMs();
        qsizetype n = 0;
        for (; n < held.size() && (!moving || held[n].timeMs < *moving); ++n)
            s.cli.out(asJson ? jsonLine(held[n]) : textLine(held[n]));
        held.remove(0, n);
    }

    std::optional<QStringList> programming(const StatusEvent &e) const
    {
        if (!texts || e.input < 0)
            return std::nullopt;
        return inputProgramming(*texts, e.input);
    }

    // "14:03:07.250  TB01 In 3 closed — Relay 2: OnOff"
    QString textLine(const StatusEvent &e) const
    {
        QString line =
            QDateTime::fromMSecsSinceEpoch(e.timeMs).toString(QStringLiteral("HH:mm:ss.zzz")) +
            QStringLiteral("  ") + e.words;
        if (const std::optional<QStringList> p = programming(e))
            line += QStringLiteral(" — ") + (p->isEmpty() ? QStringLiteral("not programmed")
                                                          : p->join(QStringLiteral("; ")));
        return line + QLatin1Char('\n');
    }

    // Inputs and outputs numbered as the words name them: input 1-24 in the grid's order.
    QString jsonLine(const StatusEvent &e) const
    {
        QString line =
            QStringLiteral("{\"time\":%1,\"event\":%2,\"kind\":%3")
                .arg(json(isoTime(e.timeMs)), json(e.words), json(QLatin1String(kindName(e.kind))));
        if (e.input >= 0)
            line += QStringLiteral(",\"input\":%1").arg(e.input + 1);
        if (e.output >= 0)
            line += QStringLiteral(",\"output\":%1").arg(e.output + 1);
        if (const std::optional<QStringList> p = programming(e))
            line += QStringLiteral(",\"programming\":") + json(QJsonArray::fromStringList(*p));
        return line + QStringLiteral("}\n");
    }

    int watch(std::optional<qint64> forMs)
    {
        if (!s.connect())
            return ControllerUnreadable;
        const Interruption interruption;
        const QDeadlineTimer end = forMs ? QDeadlineTimer(*forMs) : QDeadlineTimer::Forever;
        for (bool first = true; !interruption.happened(); first = false) {
            const std::optional<ControllerStatus> now = s.readStatus();
            if (!now) {
                take(coalescer.flush(), true);
                return s.unreachable(QStringLiteral("could not be read"));
            }
            if (first)
                s.cli.note(QStringLiteral("Watching the controller on %1%2")
                               .arg(s.where(), forMs ? QStringLiteral(" for %1 s, or until Ctrl-C")
                                                           .arg(s.cli.value(QStringLiteral("for")))
                                                     : QStringLiteral(" until Ctrl-C")));
            take(coalescer.feed(*now, QDateTime::currentMSecsSinceEpoch()), false);
            if (end.hasExpired())
                break;
            QThread::msleep(static_cast<unsigned long>(
                end.isForever() ? PollMs : std::min(PollMs, end.remainingTime())));
        }
        take(coalescer.flush(), true);
        return Success;
    }
};

// --for's seconds, above 0; a fraction is allowed.
bool duration(const QString &text, std::optional<qint64> *ms)
{
    if (text.isNull())
        return true;
    bool ok = false;
    const double seconds = text.toDouble(&ok);
    if (!ok || !(seconds > 0) || seconds > 1e9)
        return false;
    *ms = qRound64(seconds * 1000);
    return true;
}
} // namespace

int monitor(const Cli::Invocation &cli)
{
    std::optional<qint64> forMs;
    if (!duration(cli.value(QStringLiteral("for")), &forMs))
        return cli.usageError(QStringLiteral("--for is a number of seconds above 0, not \"%1\"")
                                  .arg(cli.value(QStringLiteral("for"))));
    std::optional<ConfigTexts::ScreenTexts> texts;
    if (!cli.positional.isEmpty()) {
        modOVMXConfig doc;
        const modOVMXConfig::FileResult read = doc.readFile(cli.positional[0]);
        if (!read.ok)
            return cli.fail(UsageError, read.error);
        ConfigTexts::deriveScreenTexts(doc, texts.emplace());
    }
    return withSession(cli, [&](Session &s) {
        Monitor m{s, cli.isSet(QStringLiteral("json")), std::move(texts), {}, {}};
        return m.watch(forMs);
    });
}

} // namespace DeviceCommands
