#include "BackupStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

#include <algorithm>

namespace BackupStore
{
namespace
{

const QRegularExpression &namePattern()
{
    static const QRegularExpression re(
        QStringLiteral("^controller-(\\d{4}-\\d\\d-\\d\\d-\\d{6})(?:-(\\d+))?\\.OMX$"));
    return re;
}

struct Named {
    Entry entry;
    int copy = 1;
};

QList<Named> scan(const QString &folder)
{
    QList<Named> found;
    const QStringList names =
        QDir(folder).entryList({QStringLiteral("controller-*.OMX")}, QDir::Files);
    for (const QString &name : names) {
        const QRegularExpressionMatch m = namePattern().match(name);
        if (!m.hasMatch())
            continue;
        const QDateTime when =
            QDateTime::fromString(m.captured(1), QStringLiteral("yyyy-MM-dd-HHmmss"));
        if (!when.isValid())
            continue;
        found.append({{folder + QLatin1Char('/') + name, when},
                      m.captured(2).isEmpty() ? 1 : m.captured(2).toInt()});
    }
    // By name alone "-2" would sort before the first copy of its second.
    std::sort(found.begin(), found.end(), [](const Named &a, const Named &b) {
        if (a.entry.when != b.entry.when)
            return a.entry.when > b.entry.when;
        return a.copy > b.copy;
    });
    return found;
}

} // namespace

QString directory()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/orvandel-mx/backups");
}

QString fileName(const QDateTime &when)
{
    return QStringLiteral("controller-") + when.toString(QStringLiteral("yyyy-MM-dd-HHmmss")) +
           QStringLiteral(".OMX");
}

QList<Entry> list(const QString &folder)
{
    QList<Entry> entries;
    for (const Named &n : scan(folder))
        entries.append(n.entry);
    return entries;
}

Kept keep(const modOVMXConfig::Image &image, const QDateTime &when, const QString &folder,
          int limit)
{
    if (!QDir().mkpath(folder))
        return {false,
                false,
                {},
                QStringLiteral("Cannot create \"%1\"").arg(QDir::toNativeSeparators(folder))};
    QList<Named> kept = scan(folder);
    if (!kept.isEmpty()) {
        modOVMXConfig::Image newest{};
        if (modOVMXConfig::readImage(kept.first().entry.path, newest).ok && newest == image)
            return {true, false, kept.first().entry.path, {}};
    }
    const QString base = fileName(when);
    QString path = folder + QLatin1Char('/') + base;
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = folder + QLatin1Char('/') + base.chopped(4) + QStringLiteral("-%1.OMX").arg(n);
    const modOVMXConfig::FileResult written = modOVMXConfig::writeImage(path, image);
    if (!written.ok)
        return {false, false, {}, written.error};
    kept = scan(folder);
    for (qsizetype i = std::max(limit, 1); i < kept.size(); ++i)
        QFile::remove(kept.at(i).entry.path);
    return {true, true, path, {}};
}

} // namespace BackupStore
