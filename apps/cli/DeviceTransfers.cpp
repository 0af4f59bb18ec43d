// The transfers of the whole settings memory: verify, download with its backup, upload.
#include "DeviceCommands.h"

#include "BackupStore.h"
#include "ConfigDiff.h"
#include "DeviceSession.h"
#include "FieldTable.h"
#include "modOVMXConfig.h"

#include <QDateTime>
#include <QDir>

namespace DeviceCommands
{

namespace
{
using Cli::ControllerUnreadable;
using Cli::Failed;
using Cli::Success;
using Cli::UsageError;

bool readFile(Session &s, const QString &file, modOVMXConfig &doc)
{
    const modOVMXConfig::FileResult read = doc.readFile(file);
    if (!read.ok)
        s.cli.fail(UsageError, read.error);
    return read.ok;
}

int verifyFile(Session &s, const QString &file)
{
    modOVMXConfig doc;
    if (!readFile(s, file, doc))
        return UsageError;
    const QString odd = Cli::outsideCodingsWarning(file, FieldTable::outOfCoding(doc).size());
    if (!odd.isEmpty())
        s.cli.warn(odd);
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
    s.cli.out(modOVMXCommunications::VerifyCaption(result.equal) + QLatin1Char('\n'));
    if (result.equal)
        return Success;
    // Read from FILE's point of view: "field: FILE's value → the controller's value".
    modOVMXConfig controller;
    controller.setImage(s.comm->ControllerCopy);
    for (const QString &line : ConfigDiff::describeDifferences(doc, controller))
        s.cli.out(line + QLatin1Char('\n'));
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
        return s.cli.fail(UsageError,
                          QStringLiteral("no backup of the controller's memory could be kept, so "
                                         "nothing was sent: %1 (--no-backup sends without one)")
                              .arg(kept.error));
    }
    s.cli.note(
        QStringLiteral("Backup of the controller's memory: %1%2")
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
        s.cli.fail(UsageError, QStringLiteral("nothing was sent: %1 holds %2")
                                   .arg(file, FieldTable::wideWordsText(wide, 3)));
    return wide.isEmpty();
}

// Told as the first block goes, so a download that stops before it claims nothing was sent.
void warnSentAsTheyAre(Session &s, const QString &file, const modOVMXConfig &doc)
{
    const QStringList odd = FieldTable::outOfCoding(doc);
    if (!odd.isEmpty())
        s.cli.warn(QStringLiteral("%1 holds %2, sent as they are: %3")
                       .arg(file, Cli::outsideCodings(odd.size()), FieldTable::firstOf(odd, 3)));
}

int downloadFile(Session &s, const QString &file, bool backup)
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
    TerminalPrompts prompts(s.cli, false);
    if (!s.comm->DownloadSettings(doc, prompts, {s.cli.sink.err, {}}))
        return s.unreachable(QStringLiteral("could not be written"));
    return Success;
}

int uploadFile(Session &s, const QString &file)
{
    if (!s.connect())
        return ControllerUnreadable;
    // Only the first line: the command line keeps no host data that could be cleared.
    TerminalPrompts prompts(s.cli, true);
    prompts.holdCompletion();
    modOVMXConfig received;
    if (!s.comm->UploadSettings(received, prompts, {s.cli.sink.err, {}}))
        return s.unreachable(QStringLiteral("could not be read, so no file was written"));
    if (const auto written = received.writeFile(file); !written.ok) {
        return s.cli.fail(UsageError, written.error);
    }
    prompts.releaseCompletion();
    return Success;
}
} // namespace

int verify(const Cli::Invocation &cli)
{
    return withSession(cli, [&](Session &s) { return verifyFile(s, cli.positional[0]); });
}

int download(const Cli::Invocation &cli)
{
    return withSession(cli, [&](Session &s) {
        return downloadFile(s, cli.positional[0], !cli.isSet(QStringLiteral("no-backup")));
    });
}

int upload(const Cli::Invocation &cli)
{
    return withSession(cli, [&](Session &s) { return uploadFile(s, cli.positional[0]); });
}

} // namespace DeviceCommands
