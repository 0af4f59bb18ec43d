#include "HandoverFile.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

namespace HandoverFile
{

QString pathFor(const QString &dataFile)
{
    if (dataFile.isEmpty() || dataFile == QLatin1String("None"))
        return {};
    const QFileInfo data(dataFile);
    return data.path() + QLatin1Char('/') + data.completeBaseName() +
           QStringLiteral(".handover.json");
}

Report::People read(const QString &dataFile)
{
    QFile file(pathFor(dataFile));
    if (file.fileName().isEmpty() || !file.open(QIODevice::ReadOnly))
        return {};
    const QJsonObject json = QJsonDocument::fromJson(file.readAll()).object();
    return {json.value(QLatin1String("site")).toString(),
            json.value(QLatin1String("customer")).toString(),
            json.value(QLatin1String("installer")).toString()};
}

modOVMXConfig::FileResult write(const QString &dataFile, const Report::People &people)
{
    const QString path = pathFor(dataFile);
    if (path.isEmpty())
        return {};
    const QJsonObject json{{QStringLiteral("site"), people.site},
                           {QStringLiteral("customer"), people.customer},
                           {QStringLiteral("installer"), people.installer}};
    return modOVMXConfig::writeBytes(path, QJsonDocument(json).toJson());
}

} // namespace HandoverFile
