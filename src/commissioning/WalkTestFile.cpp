#include "WalkTest.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

// The record as JSON: times as ISO 8601 in UTC with milliseconds, so a record reads the same
// wherever it is opened; the checksum as the eight hexadecimal digits MSW then LSW.
namespace
{
constexpr int Version = 1;

QString isoTime(qint64 ms)
{
    return QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC).toString(Qt::ISODateWithMs);
}

QString isoTime(const QDateTime &t)
{
    return t.isValid() ? t.toUTC().toString(Qt::ISODateWithMs) : QString();
}

QDateTime dateFrom(const QJsonValue &v)
{
    return QDateTime::fromString(v.toString(), Qt::ISODateWithMs);
}

QString checksumText(uint32_t sum)
{
    return QStringLiteral("%1").arg(sum, 8, 16, QLatin1Char('0')).toUpper();
}

QJsonArray seenArray(const QList<WalkTest::Seen> &list)
{
    QJsonArray a;
    for (const WalkTest::Seen &s : list)
        a.append(QJsonObject{{QStringLiteral("time"), isoTime(s.timeMs)},
                             {QStringLiteral("words"), s.words}});
    return a;
}

QList<WalkTest::Seen> seenList(const QJsonValue &v)
{
    QList<WalkTest::Seen> list;
    for (const QJsonValue &item : v.toArray()) {
        const QJsonObject o = item.toObject();
        list.append({dateFrom(o.value(QStringLiteral("time"))).toMSecsSinceEpoch(),
                     o.value(QStringLiteral("words")).toString()});
    }
    return list;
}

WalkTest::Verdict verdictFrom(const QString &text)
{
    for (const WalkTest::Verdict v : {WalkTest::Verdict::Pass, WalkTest::Verdict::Fail})
        if (text == verdictText(v))
            return v;
    return WalkTest::Verdict::None;
}

modOVMXConfig::FileResult refused(const QString &path, const QString &reason)
{
    return {false, QStringLiteral("Cannot use \"%1\": %2").arg(path, reason)};
}
} // namespace

QByteArray WalkTest::toJson() const
{
    QJsonArray inputs;
    for (int i = 0; i < InputCount; ++i) {
        const Input &in = input(i);
        inputs.append(QJsonObject{
            {QStringLiteral("input"), i},
            {QStringLiteral("name"), ConfigTexts::inputShortName(i)},
            {QStringLiteral("seenClosed"), in.seenClosed},
            {QStringLiteral("seenOpened"), in.seenOpened},
            {QStringLiteral("events"), seenArray(in.events)},
            {QStringLiteral("followed"), seenArray(in.followed)},
            {QStringLiteral("verdict"), verdictText(in.verdict)},
            {QStringLiteral("comment"), in.comment},
        });
    }
    const QJsonObject root{
        {QStringLiteral("version"), Version},
        {QStringLiteral("dataFile"), header.dataFile},
        {QStringLiteral("checksum"), checksumText(m_checksum)},
        {QStringLiteral("controller"), QJsonObject{{QStringLiteral("model"), header.model},
                                                   {QStringLiteral("firmware"), header.firmware},
                                                   {QStringLiteral("node"), header.node}}},
        {QStringLiteral("started"), isoTime(header.started)},
        {QStringLiteral("ended"), isoTime(header.ended)},
        {QStringLiteral("inputs"), inputs},
    };
    return QJsonDocument(root).toJson();
}

modOVMXConfig::FileResult WalkTest::save(const QString &path) const
{
    return modOVMXConfig::writeBytes(path, toJson());
}

modOVMXConfig::FileResult WalkTest::load(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {false, QStringLiteral("Cannot open \"%1\": %2").arg(path, file.errorString())};
    QJsonParseError error{};
    const QJsonObject root = QJsonDocument::fromJson(file.readAll(), &error).object();
    if (error.error != QJsonParseError::NoError || root.isEmpty())
        return refused(path, QStringLiteral("it is not a commissioning record"));
    if (root.value(QStringLiteral("version")).toInt() != Version)
        return refused(path, QStringLiteral("it was written by another version of the tool"));
    const QString sum = root.value(QStringLiteral("checksum")).toString();
    if (sum != checksumText(m_checksum))
        return refused(path, QStringLiteral("it belongs to other settings (checksum %1; the open "
                                            "settings have %2)")
                                 .arg(sum, checksumText(m_checksum)));
    const QJsonObject controller = root.value(QStringLiteral("controller")).toObject();
    header = {root.value(QStringLiteral("dataFile")).toString(),
              controller.value(QStringLiteral("model")).toString(),
              controller.value(QStringLiteral("firmware")).toString(),
              controller.value(QStringLiteral("node")).toString(),
              dateFrom(root.value(QStringLiteral("started"))),
              dateFrom(root.value(QStringLiteral("ended")))};
    for (Input &in : m_inputs)
        in = Input{in.programmed, false, false, {}, {}, Verdict::None, {}};
    for (const QJsonValue &v : root.value(QStringLiteral("inputs")).toArray()) {
        const QJsonObject o = v.toObject();
        const int i = o.value(QStringLiteral("input")).toInt(-1);
        if (i < 0 || i >= InputCount)
            continue;
        Input &in = at(i);
        in.seenClosed = o.value(QStringLiteral("seenClosed")).toBool();
        in.seenOpened = o.value(QStringLiteral("seenOpened")).toBool();
        in.events = seenList(o.value(QStringLiteral("events")));
        in.followed = seenList(o.value(QStringLiteral("followed")));
        in.verdict = verdictFrom(o.value(QStringLiteral("verdict")).toString());
        in.comment = o.value(QStringLiteral("comment")).toString();
    }
    return {};
}
