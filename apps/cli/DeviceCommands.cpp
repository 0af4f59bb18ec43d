#include "DeviceCommands.h"

#include "BackupStore.h"
#include "Backups.h"
#include "CommTexts.h"
#include "ConfigDiff.h"
#include "DeviceSession.h"
#include "FieldTable.h"
#include "modOVMXConfig.h"

#include <QDateTime>
#include <QDir>
#include <QThread>

#include <array>
#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace DeviceCommands
{

namespace
{
using Cli::ControllerUnreadable;
using Cli::Failed;
using Cli::Success;
using Cli::UsageError;

volatile std::sig_atomic_t g_interrupted = 0;
void onInterrupt(int) { g_interrupted = 1; }

struct Parsed {
    QStringList positional;
    QString port;
    bool trace = false;
    bool watch = false;
    bool noBackup = false;
    QString problem;
};

Parsed parse(const QStringList &args, const QString &command)
{
    Parsed p;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &a = args.at(i);
        if (a == QLatin1String("--trace"))
            p.trace = true;
        else if (a == QLatin1String("--watch") && command == QLatin1String("status"))
            p.watch = true;
        else if (a == QLatin1String("--no-backup") && command == QLatin1String("download"))
            p.noBackup = true;
        else if (a == QLatin1String("--port") && i + 1 < args.size())
            p.port = args.at(++i);
        else if (a.startsWith(QLatin1String("--port=")) && a.size() > 7)
            p.port = a.mid(7);
        else if (a == QLatin1String("--port") || a == QLatin1String("--port="))
            p.problem = QStringLiteral("--port needs a device or COMn");
        else if (a.startsWith(QLatin1String("--")))
            p.problem = QStringLiteral("unknown option \"%1\"").arg(a);
        else
            p.positional << a;
    }
    return p;
}

bool readFile(Session &s, const QString &file, modOVMXConfig &doc)
{
    const modOVMXConfig::FileResult read = doc.readFile(file);
    if (!read.ok)
        s.io.err(QStringLiteral("orvandel-mx-cli: ") + read.error);
    return read.ok;
}

int verify(Session &s, const QString &file)
{
    modOVMXConfig doc;
    if (!readFile(s, file, doc))
        return UsageError;
    const QString odd = Cli::outsideCodingsWarning(file, FieldTable::outOfCoding(doc).size());
    if (!odd.isEmpty())
        s.io.err(QStringLiteral("orvandel-mx-cli: warning: ") + odd);
    if (!s.connect())
        return ControllerUnreadable;
    const std::optional<ControllerStatus> status = s.readStatus();
    if (!status)
        return s.unreachable(QStringLiteral("could not be read"));
    s.warnModel(*status, doc);
    const modOVMXCommunications::VerifyResult result = s.comm->VerifySettings(doc);
    // Memory that its own checksum does not confirm says nothing about the settings.
    if (!result.confirmed)
        return s.unreachable(QStringLiteral("could not be read"));
    s.io.out(modOVMXCommunications::VerifyCaption(result.equal));
    if (result.equal)
        return Success;
    // Read from FILE's point of view: "field: FILE's value → the controller's value".
    modOVMXConfig controller;
    controller.setImage(s.comm->ControllerCopy);
    for (const QString &line : ConfigDiff::describeDifferences(doc, controller))
        s.io.out(line);
    return Failed;
}

// The controller's memory as it is, kept where the window keeps its backups, before anything
// overwrites it. Gives the exit code of a failure, or nothing when the download may go on.
std::optional<int> keepBackup(Session &s)
{
    bool whole = false;
    if (!s.comm->ReadMemory(&whole))
        // Memory that arrived whole but unconfirmed cannot be kept; replacing it is the way on.
        return s.unreachable(QStringLiteral("could not be read for a backup, so nothing was sent"),
                             whole ? QStringLiteral(" To send without a backup: download "
                                                    "--no-backup.")
                                   : QString());
    const BackupStore::Kept kept =
        BackupStore::keep(s.comm->ControllerCopy, QDateTime::currentDateTime());
    if (!kept.ok) {
        s.io.err(QStringLiteral("orvandel-mx-cli: no backup of the controller's memory could be "
                                "kept, so nothing was sent: %1 (--no-backup sends without one)")
                     .arg(kept.error));
        return UsageError;
    }
    s.io.err(QStringLiteral("Backup of the controller's memory: %1%2")
                 .arg(QDir::toNativeSeparators(kept.path),
                      kept.written ? QString() : QStringLiteral(" (it already held this memory)")));
    return std::nullopt;
}

// Refused before the port opens: the line moves bytes, so the controller would end up holding
// memory that its own checksum does not confirm.
bool sendable(Session &s, const QString &file, const modOVMXConfig &doc)
{
    const QList<FieldTable::WideWord> wide = FieldTable::wideWords(doc);
    if (!wide.isEmpty())
        s.io.err(QStringLiteral("orvandel-mx-cli: nothing was sent: %1 holds %2")
                     .arg(file, FieldTable::wideWordsText(wide, 3)));
    return wide.isEmpty();
}

// Told as the first block goes, so a download that stops before it claims nothing was sent.
void warnSentAsTheyAre(Session &s, const QString &file, const modOVMXConfig &doc)
{
    const QStringList odd = FieldTable::outOfCoding(doc);
    if (!odd.isEmpty())
        s.io.err(QStringLiteral("orvandel-mx-cli: warning: %1 holds %2, sent as they are: %3")
                     .arg(file, Cli::outsideCodings(odd.size()), FieldTable::firstOf(odd, 3)));
}

int download(Session &s, const QString &file, bool backup)
{
    modOVMXConfig doc;
    if (!readFile(s, file, doc) || !sendable(s, file, doc))
        return UsageError;
    if (!s.connect())
        return ControllerUnreadable;
    const std::optional<ControllerStatus> status = s.readStatus();
    if (!status)
        return s.unreachable(QStringLiteral("could not be read, so nothing was sent"));
    s.warnModel(*status, doc);
    if (backup)
        if (const std::optional<int> failed = keepBackup(s))
            return *failed;
    warnSentAsTheyAre(s, file, doc);
    TerminalPrompts prompts(s.io, false);
    if (!s.comm->DownloadSettings(doc, prompts, {s.io.err, {}}))
        return s.unreachable(QStringLiteral("could not be written"));
    return Success;
}

int upload(Session &s, const QString &file)
{
    if (!s.connect())
        return ControllerUnreadable;
    // Only the first line: the command line keeps no host data that could be cleared.
    TerminalPrompts prompts(s.io, true);
    prompts.holdCompletion();
    modOVMXConfig received;
    if (!s.comm->UploadSettings(received, prompts, {s.io.err, {}}))
        return s.unreachable(QStringLiteral("could not be read, so no file was written"));
    if (const auto written = received.writeFile(file); !written.ok) {
        s.io.err(QStringLiteral("orvandel-mx-cli: ") + written.error);
        return UsageError;
    }
    prompts.releaseCompletion();
    return Success;
}

int status(Session &s, bool watch)
{
    if (!s.connect())
        return ControllerUnreadable;
    // On a terminal each reading overwrites the last; a file or a pipe gets every reading.
    const bool redraw = watch && ::isatty(::fileno(stdout));
    qsizetype drawn = 0;
    g_interrupted = 0;
    const auto previous = std::signal(SIGINT, onInterrupt);
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
            s.io.out(up + lines[n] + clear);
        }
        drawn = lines.size();
        if (watch) {
            if (!redraw)
                s.io.out(QString());
            QThread::msleep(250);
        }
    } while (watch && !g_interrupted);
    std::signal(SIGINT, previous);
    return code;
}

bool number(const QString &text, int min, int max, int *out)
{
    bool ok = false;
    *out = text.toInt(&ok);
    return ok && *out >= min && *out <= max;
}

// "200" as it is, "50%" as that share of 255, rounded.
bool dimmerLevel(const QString &text, int *level)
{
    if (!text.endsWith(QLatin1Char('%')))
        return number(text, 0, 255, level);
    bool ok = false;
    const double percent = text.chopped(1).toDouble(&ok);
    *level = qRound(percent * 255 / 100);
    return ok && percent >= 0 && percent <= 100;
}

int relay(Session &s, const QStringList &words)
{
    int n = 0;
    const QString state = words.value(1).toLower();
    if (!number(words.value(0), 1, 4, &n))
        return s.usageError(
            QStringLiteral("N is a relay from 1 to 4, not \"%1\"").arg(words.value(0)));
    if (state != QLatin1String("on") && state != QLatin1String("off"))
        return s.usageError(
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

int dimmer(Session &s, const QStringList &words)
{
    int n = 0, level = 0;
    if (!number(words.value(0), 1, 4, &n))
        return s.usageError(
            QStringLiteral("N is a dimmer from 1 to 4, not \"%1\"").arg(words.value(0)));
    if (!dimmerLevel(words.value(1), &level))
        return s.usageError(QStringLiteral("LEVEL is 0 to 255 or a percentage from 0% to 100%, "
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
        s.io.err(CommTexts::networkedDimmers());
        return Failed;
    }
    const bool ok = s.comm->Transact(Frames::dimmerCommand(n - 1, level), Frames::AckLength,
                                     Frames::ShortLimit);
    return ok ? Success : s.unreachable(QStringLiteral("did not take the command"));
}
} // namespace

Output standardOutput()
{
    return {[](const QString &line) {
                std::fputs(qPrintable(line + QLatin1Char('\n')), stdout);
                std::fflush(stdout);
            },
            [](const QString &line) { std::fputs(qPrintable(line + QLatin1Char('\n')), stderr); }};
}

std::span<const Cli::Command> commands()
{
    static const std::array<Cli::Command, 7> table = {{
        {"verify", "FILE [--port DEVICE|COMn] [--trace]",
         "compare the controller's settings with FILE and list the fields that differ",
         [](const QStringList &a) { return run(QStringLiteral("verify"), a); }},
        {"download", "FILE [--no-backup] [--port DEVICE|COMn] [--trace]",
         "keep a backup of the controller's memory, then send FILE's settings to it",
         [](const QStringList &a) { return run(QStringLiteral("download"), a); }},
        {"upload", "FILE [--port DEVICE|COMn] [--trace]",
         "write the controller's settings to FILE, only once all of them arrived",
         [](const QStringList &a) { return run(QStringLiteral("upload"), a); }},
        {"status", "[--watch] [--port DEVICE|COMn] [--trace]",
         "show the controller's live status, once or four times a second until interrupted",
         [](const QStringList &a) { return run(QStringLiteral("status"), a); }},
        {"relay", "N on|off [--port DEVICE|COMn] [--trace]",
         "switch relay N (1-4; 3 and 4 exist on an MX-4 only)",
         [](const QStringList &a) { return run(QStringLiteral("relay"), a); }},
        {"dimmer", "N LEVEL [--port DEVICE|COMn] [--trace]",
         "set dimmer N (1-4) to LEVEL (0-255, or a percentage such as 50%)",
         [](const QStringList &a) { return run(QStringLiteral("dimmer"), a); }},
        {"backups", "", "the backups that download keeps, newest first, and their folder",
         Backups::run},
    }};
    return table;
}

int run(const QString &name, const QStringList &args, const Output &io)
{
    const auto table = commands();
    const auto usage = std::find_if(table.begin(), table.end(), [&](const Cli::Command &c) {
        return name == QLatin1String(c.name);
    });
    const auto usageError = [&](const QString &problem) {
        const QString synopsis = usage == table.end() ? QString() : QLatin1String(usage->synopsis);
        io.err(QStringLiteral("orvandel-mx-cli: %1 (usage: orvandel-mx-cli %2 %3)")
                   .arg(problem, name, synopsis));
        return int(UsageError);
    };
    if (usage == table.end())
        return usageError(QStringLiteral("unknown device command \"%1\"").arg(name));
    const Parsed p = parse(args, name);
    if (!p.problem.isEmpty())
        return usageError(p.problem);
    Session s{io, usageError};
    QString problem;
    if (!s.choosePort(p.port, &problem))
        return usageError(problem);
    if (p.trace)
        s.comm->setTraceHook(
            [&io](const modOVMXCommunications::TraceEvent &e) { io.err(traceLine(e)); });

    const int expected = (name == QLatin1String("status"))                                     ? 0
                         : (name == QLatin1String("relay") || name == QLatin1String("dimmer")) ? 2
                                                                                               : 1;
    if (p.positional.size() != expected)
        return usageError(QStringLiteral("wrong number of arguments"));
    int code = UsageError;
    if (name == QLatin1String("verify"))
        code = verify(s, p.positional.first());
    else if (name == QLatin1String("download"))
        code = download(s, p.positional.first(), !p.noBackup);
    else if (name == QLatin1String("upload"))
        code = upload(s, p.positional.first());
    else if (name == QLatin1String("status"))
        code = status(s, p.watch);
    else if (name == QLatin1String("relay"))
        code = relay(s, p.positional);
    else
        code = dimmer(s, p.positional);
    s.comm->ClosePort();
    return code;
}

} // namespace DeviceCommands
