#include "Backups.h"

#include "BackupStore.h"
#include "ConfigDiff.h"
#include "modOVMXConfig.h"

#include <QDir>

namespace Backups
{

namespace
{
// How much programming a backup holds, so the one taken before a mistake stands out.
QString content(const QString &path)
{
    modOVMXConfig doc;
    const modOVMXConfig::FileResult read = doc.readFile(path);
    if (!read.ok)
        return read.error;
    const qsizetype n = ConfigDiff::describeChangesFromNew(doc).size();
    return n == 1 ? QStringLiteral("1 field differs from a new configuration")
                  : QStringLiteral("%1 fields differ from a new configuration").arg(n);
}
} // namespace

int run(const Cli::Invocation &cli)
{
    const QString folder = QDir::toNativeSeparators(BackupStore::directory());
    const QList<BackupStore::Entry> entries = BackupStore::list();
    if (entries.isEmpty()) {
        cli.out(QStringLiteral("No backups in %1\n").arg(folder));
        return Cli::Success;
    }
    QString text = QStringLiteral("Backups in %1, newest first:\n").arg(folder);
    for (const BackupStore::Entry &e : entries)
        text += QStringLiteral("%1  %2  %3\n")
                    .arg(e.when.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
                         QFileInfo(e.path).fileName(), content(e.path));
    cli.out(text);
    return Cli::Success;
}

} // namespace Backups
