// The commands that watch and drive the controller by hand: status, relay, dimmer and identify.
#include "DeviceCommands.h"

#include "CommTexts.h"
#include "DeviceSession.h"
#include "Identify.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QThread>

#include <cstdio>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace DeviceCommands
{

namespace
{
using Cli::ControllerUnreadable;
using Cli::Failed;
using Cli::Success;

// Whether standard output is a terminal that can write over what it showed.
bool overwrites()
{
#ifdef Q_OS_WIN
    // A Windows console takes the escape sequences once asked to (Windows 10 and later).
    const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    DWORD mode = 0;
    return GetConsoleMode(out, &mode) &&
           SetConsoleMode(out, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING);
#else
    return ::isatty(::fileno(stdout));
#endif
}

int showStatus(Session &s, bool watch)
{
    if (!s.connect())
        return ControllerUnreadable;
    // On a terminal each reading overwrites the last; a file or a pipe gets every reading.
    const bool redraw = watch && overwrites();
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

// Connects and reads what a command to output n needs: the model has it, and a dimmer can be
// driven from here. The status, or none with `code` the exit status.
std::optional<ControllerStatus> outputReady(Session &s, bool dimmer, int n, int *code)
{
    *code = ControllerUnreadable;
    if (!s.connect())
        return std::nullopt;
    const std::optional<ControllerStatus> status = s.readStatus();
    if (!status) {
        *code = s.unreachable(QStringLiteral("could not be read"));
        return std::nullopt;
    }
    if (n > 2 && !status->fourChannel) {
        *code = s.refuseOutput(dimmer ? "dimmer" : "relay", n);
        return std::nullopt;
    }
    if (dimmer && !CommTexts::dimmersControllable(status->node)) {
        s.cli.note(CommTexts::networkedDimmers());
        *code = Failed;
        return std::nullopt;
    }
    return status;
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
    int code = Success;
    if (!outputReady(s, true, n, &code))
        return code;
    const bool ok = s.comm->Transact(Frames::dimmerCommand(n - 1, *level), Frames::AckLength,
                                     Frames::ShortLimit);
    return ok ? Success : s.unreachable(QStringLiteral("did not take the command"));
}

// Each step as the status reads it back after the command; Ctrl-C skips to the last step, so
// the output is always put back as it was.
int identifyOutput(Session &s, const QStringList &words)
{
    const QString kind = words.value(0).toLower();
    const bool relay = kind == QLatin1String("relay");
    int n = 0;
    if (!relay && kind != QLatin1String("dimmer"))
        return s.cli.usageError(
            QStringLiteral("identify names a relay or a dimmer, not \"%1\"").arg(words.value(0)));
    if (!number(words.value(1), 1, 4, &n))
        return s.cli.usageError(
            QStringLiteral("N is a %1 from 1 to 4, not \"%2\"").arg(kind, words.value(1)));
    int code = Success;
    const std::optional<ControllerStatus> status = outputReady(s, !relay, n, &code);
    if (!status)
        return code;
    const int subject = (relay ? 24 : 28) + n - 1;
    const QList<Identify::Step> steps =
        Identify::steps(subject, Identify::levelOf(*status, subject));
    const Interruption interruption;
    QElapsedTimer clock;
    clock.start();
    for (qsizetype i = 0; i < steps.size(); ++i) {
        const bool last = i + 1 == steps.size();
        if (interruption.happened() && !last)
            continue;
        while (!interruption.happened() && clock.elapsed() < steps[i].atMs)
            QThread::msleep(
                static_cast<unsigned long>(std::min<qint64>(50, steps[i].atMs - clock.elapsed())));
        if (!s.comm->Transact(steps[i].command, Frames::AckLength, Frames::ShortLimit))
            return s.unreachable(QStringLiteral("did not take the command"));
        const std::optional<ControllerStatus> seen = s.readStatus();
        if (!seen)
            return s.unreachable(QStringLiteral("could not be read"));
        const int level = Identify::levelOf(*seen, subject);
        s.cli.out(steps[i].words +
                  (level == steps[i].level ? QString()
                                           : QStringLiteral(" (the status shows %1)").arg(level)) +
                  QLatin1Char('\n'));
    }
    return Success;
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

int identify(const Cli::Invocation &cli)
{
    return withSession(cli, [&](Session &s) { return identifyOutput(s, cli.positional); });
}

} // namespace DeviceCommands
