#include "DataDirectory.h"

#include <QDir>
#include <QStandardPaths>

namespace DataDirectory
{

QString path()
{
#ifdef Q_OS_WIN
    return QStringLiteral("C:\\Tevara Orvandel MX");
#else
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) +
           QStringLiteral("/Tevara Orvandel MX");
#endif
}

QString presetFileName() { return QDir::toNativeSeparators(path() + QStringLiteral("/*.OMX")); }

QString fileFilter()
{
    return QStringLiteral("Orvandel MX Data Files (*.OMX *.omx);;All Files (*)");
}

void ensureExists()
{
    const QString dir = path();
    if (!QDir(dir).exists())
        QDir().mkpath(dir);
}

} // namespace DataDirectory
