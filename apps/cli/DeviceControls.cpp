// The commands that watch and drive the controller by hand: status, relay and dimmer.
#include "DeviceCommands.h"

#include "CommTexts.h"
#include "DeviceSession.h"

#include <QThread>

#include <cstdio>
#include <unistd.h>

namespace DeviceCommands
{

namespace
{
using Cli::ControllerUnreadable;
using Cli::Failed;
using Cli::Success;

int showStatus(Session &s, bool watch)
{
    if (!s.connect())
        return ControllerUnreadable;
    // On a terminal each reading overwrites the last; a file or a pipe gets every reading.
    const bool redraw = watch && ::isatty(::fileno(stdout));
    qsizetype drawn = 0;
    const Interruption interruption;
    int code = Success;
    do {
        const std::optional<ControllerStatus> now = s.readStatus();
        if (!now) {
            code = s.unreachable(QStringLiteral("could not be read"));
            break;
        }
        const QStringList lines = describeStatus(*now);
        for (qsizetype n = 0; n < lines.size(); ++n) {
            // Back up over the last reading and write over it; each line clears what a longer
            // one left, the last line everything below it, so nothing flickers.
            const QString up =
                redraw && n == 0 && drawn ? QStringLiteral("\x1b[%1A\r").arg(drawn) : QString();
            const QString clear = !redraw                ? QString()
                                  : n + 1 < lines.size() ? QStringLiteral("\x1b[K")
                                                         : QStringLiteral("\x1b[J");
            s.cli.out(up + lines[n] + clear + QLatin1Char('\n'));
        }
        drawn = lines.size();
        if (watch) {
            if (!redraw)
                s.cli.out(QStringLiteral("\n"));
            QThread::msleep(250);
        }
    } while (watch && !interruption.happened());
    return code;
}

bool number(const QString &text, int min, int max, int *out)
{
    bool ok = false;
    *out = text.toInt(&ok);
    return ok && *out >= min && *out <= max;
}

int switchRelay(Session &s, const QStringList &words)
{
    int n = 0;
    const QString state = words.value(1).toLower();
    if (!number(words.value(0), 1, 4, &n))
        return s.cli.usageError(
            QStringLiteral("N is a relay from 1 to 4, not \"%1\"").arg(words.value(0)));
    if (state != QLatin1String("on") && state != QLatin1String("off"))
        return s.cli.usageError(
            QStringLiteral("a relay is switched on or off, not \"%1\"").arg(words.value(1)));
    if (!s.connect())
        return ControllerUnreadable;
    if (n > 2) {
        const std::optional<ControllerStatus> status = s.readStatus();
        if (!status)
            return s.unreachable(QStringLiteral("could not be read"));
        if (!status->fourChannel)
            return s.refuseOutput("relay", n);
    }
    const bool ok = s.comm->Transact(Frames::relayCommand(n - 1, state == QLatin1String("on")),
                                     Frames::AckLength, Frames::ShortLimit);
    return ok ? Success : s.unreachable(QStringLiteral("did not take the command"));
}

int setDimmer(Session &s, const QStringList &words)
{
    int n = 0;
    if (!number(words.value(0), 1, 4, &n))
        return s.cli.usageError(
            QStringLiteral("N is a dimmer from 1 to 4, not \"%1\"").arg(words.value(0)));
    const std::optional<int> level = CommTexts::dimmerLevel(words.value(1));
    if (!level)
        return s.cli.usageError(QStringLiteral("LEVEL is 0 to 255 or a percentage from 0% to 100%, "
                                               "not \"%1\"")
                                    .arg(words.value(1)));
    if (!s.connect())
        return ControllerUnreadable;
    const std::optional<ControllerStatus> status = s.readStatus();
    if (!status)
        return s.unreachable(QStringLiteral("could not be read"));
    if (n > 2 && !status->fourChannel)
        return s.refuseOutput("dimmer", n);
    if (!CommTexts::dimmersControllable(status->node)) {
        s.cli.note(CommTexts::networkedDimmers());
        return Failed;
    }
    const bool ok = s.comm->Transact(Frames::dimmerCommand(n - 1, *level), Frames::AckLength,
                                     Frames::ShortLimit);
    return ok ? Success : s.unreachable(QStringLiteral("did not take the command"));
}
} // namespace

int status(const Cli::Invocation &cli)
{
    return withSession(
        cli, [&](Session &s) { return showStatus(s, cli.isSet(QStringLiteral("watch"))); });
}

int relay(const Cli::Invocation &cli)
{
    return withSession(cli, [&](Session &s) { return switchRelay(s, cli.positional); });
}

int dimmer(const Cli::Invocation &cli)
{
    return withSession(cli, [&](Session &s) { return setDimmer(s, cli.positional); });
}

} // namespace DeviceCommands
