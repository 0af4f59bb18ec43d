#include "HandoverFile.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

namespace HandoverFile
{

namespace
{
constexpr qsizetype Longest = 500; // characters in one name: room for a company's full name
} // namespace

const std::array<Field, 7> &fields()
{
    static const std::array<Field, 7> all{{{"site", &Report::People::site},
                                           {"customer", &Report::People::customer},
                                           {"installer", &Report::People::installer},
                                           {"tester", &Report::People::tester},
                                           {"certificate", &Report::People::certificate},
                                           {"company", &Report::People::company},
                                           {"witness", &Report::People::witness}}};
    return all;
}

QString pathFor(const QString &dataFile)
{
    if (dataFile.isEmpty() || dataFile == QLatin1String("None"))
        return {};
    const QFileInfo data(dataFile);
    return data.path() + QLatin1Char('/') + data.completeBaseName() +
           QStringLiteral(".handover.json");
}

modOVMXConfig::FileResult parse(const QByteArray &json, Report::People &people)
{
    people = {};
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return {false, QStringLiteral("it is not a file of handover names")};
    const QJsonObject root = document.object();
    Report::People read;
    for (auto it = root.begin(); it != root.end(); ++it) {
        const auto field = std::find_if(fields().begin(), fields().end(), [&](const Field &f) {
            return it.key() == QLatin1String(f.first);
        });
        if (field == fields().end())
            return {false, QStringLiteral("\"%1\" is not a name it keeps").arg(it.key().left(40))};
        const QString text = it.value().toString();
        if (!it.value().isString())
            return {false, QStringLiteral("%1 is not text").arg(it.key())};
        if (text.size() > Longest)
            return {false, QStringLiteral("%1 is %2 characters long, more than %3")
                               .arg(it.key())
                               .arg(text.size())
                               .arg(Longest)};
        if (std::any_of(text.begin(), text.end(),
                        [](QChar c) { return c.category() == QChar::Other_Control; }))
            return {false, QStringLiteral("%1 holds a control character").arg(it.key())};
        read.*(field->second) = text;
    }
    people = read;
    return {};
}

modOVMXConfig::FileResult read(const QString &dataFile, Report::People &people)
{
    people = {};
    QFile file(pathFor(dataFile));
    if (file.fileName().isEmpty() || !file.exists())
        return {};
    if (!file.open(QIODevice::ReadOnly))
        return {false,
                QStringLiteral("Cannot open \"%1\": %2").arg(file.fileName(), file.errorString())};
    if (file.size() > 64 * 1024)
        return {false, QStringLiteral("Cannot use \"%1\": it is too large to hold names")
                           .arg(file.fileName())};
    modOVMXConfig::FileResult result = parse(file.readAll(), people);
    if (!result.ok)
        result.error = QStringLiteral("Cannot use \"%1\": %2").arg(file.fileName(), result.error);
    return result;
}

modOVMXConfig::FileResult write(const QString &dataFile, const Report::People &people)
{
    const QString path = pathFor(dataFile);
    if (path.isEmpty())
        return {};
    QJsonObject json;
    for (const auto &[name, member] : fields())
        json.insert(QLatin1String(name), people.*member);
    return modOVMXConfig::writeBytes(path, QJsonDocument(json).toJson());
}

} // namespace HandoverFile
