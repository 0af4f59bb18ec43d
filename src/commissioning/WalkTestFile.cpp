#include "WalkTest.h"

#include "Frames.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <set>

// The record as JSON: times as ISO 8601 in UTC with milliseconds, so a record reads the same
// wherever it is opened; checksums as the eight hexadecimal digits MSW then LSW. A person may
// edit it, so it is read strictly: a field that cannot be right refuses the whole record, by
// name, rather than being read as something else.
namespace
{
QString isoTime(qint64 ms)
{
    return QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC).toString(Qt::ISODateWithMs);
}

QString isoTime(const QDateTime &t)
{
    return t.isValid() ? t.toUTC().toString(Qt::ISODateWithMs) : QString();
}

QJsonArray seenArray(const QList<WalkTest::Seen> &list)
{
    QJsonArray a;
    for (const WalkTest::Seen &s : list)
        a.append(QJsonObject{{QStringLiteral("time"), isoTime(s.timeMs)},
                             {QStringLiteral("words"), s.words},
                             {QStringLiteral("confirmed"), s.confirmed}});
    return a;
}

QJsonArray attemptArray(const QList<WalkTest::Attempt> &list)
{
    QJsonArray a;
    for (const WalkTest::Attempt &t : list)
        a.append(QJsonObject{{QStringLiteral("time"), isoTime(t.timeMs)},
                             {QStringLiteral("verdict"), verdictText(t.verdict)},
                             {QStringLiteral("comment"), t.comment},
                             {QStringLiteral("confirmed"), t.confirmed}});
    return a;
}

// Reads fields by their path ("inputs[3].verdict"), remembering the first that is wrong.
class Strict
{
public:
    QString error;

    bool ok() const { return error.isEmpty(); }

    QJsonValue field(const QJsonObject &o, const QString &path, const QString &name)
    {
        if (ok() && !o.contains(name))
            error = QStringLiteral("%1 is missing").arg(join(path, name));
        return o.value(name);
    }

    QString text(const QJsonObject &o, const QString &path, const QString &name)
    {
        const QJsonValue v = field(o, path, name);
        if (ok() && !v.isString())
            wrong(join(path, name), v, QStringLiteral("text"));
        return v.toString();
    }

    bool flag(const QJsonObject &o, const QString &path, const QString &name)
    {
        const QJsonValue v = field(o, path, name);
        if (ok() && !v.isBool())
            wrong(join(path, name), v, QStringLiteral("true or false"));
        return v.toBool();
    }

    QJsonArray array(const QJsonObject &o, const QString &path, const QString &name, qsizetype cap)
    {
        const QJsonValue v = field(o, path, name);
        if (ok() && !v.isArray())
            wrong(join(path, name), v, QStringLiteral("a list"));
        else if (ok() && v.toArray().size() > cap)
            error = QStringLiteral("%1 holds %2 entries, more than the %3 a record keeps")
                        .arg(join(path, name))
                        .arg(v.toArray().size())
                        .arg(cap);
        return v.toArray();
    }

    QJsonObject object(const QJsonValue &v, const QString &path)
    {
        if (ok() && !v.isObject())
            wrong(path, v, QStringLiteral("an object"));
        return v.toObject();
    }

    // Eight hexadecimal digits; "" is allowed where `optional`.
    std::optional<uint32_t> checksum(const QJsonObject &o, const QString &path, const QString &name,
                                     bool optional = false)
    {
        const QString t = text(o, path, name);
        static const QRegularExpression hex(QStringLiteral("^[0-9A-Fa-f]{8}$"));
        if (!ok() || (optional && t.isEmpty()))
            return std::nullopt;
        if (!hex.match(t).hasMatch()) {
            error = QStringLiteral("%1 is \"%2\", not eight hexadecimal digits")
                        .arg(join(path, name), t);
            return std::nullopt;
        }
        return t.toUInt(nullptr, 16);
    }

    // A date and time in ISO 8601 with its zone ("2026-03-14T09:12:00.000Z"); "" is allowed
    // where `optional`.
    QDateTime time(const QJsonObject &o, const QString &path, const QString &name,
                   bool optional = false)
    {
        const QString t = text(o, path, name);
        if (!ok() || (optional && t.isEmpty()))
            return {};
        static const QRegularExpression iso(QStringLiteral(
            "^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d(\\.\\d{1,3})?(Z|[+-]\\d\\d:\\d\\d)$"));
        const QDateTime parsed = QDateTime::fromString(t, Qt::ISODateWithMs);
        if (!iso.match(t).hasMatch() || !parsed.isValid())
            error = QStringLiteral("%1 is \"%2\", not a date and time such as "
                                   "2026-03-14T09:12:00.000Z")
                        .arg(join(path, name), t);
        return parsed;
    }

    Verdict verdict(const QJsonObject &o, const QString &path)
    {
        const QString t = text(o, path, QStringLiteral("verdict"));
        const std::optional<Verdict> v = verdictFrom(t);
        if (ok() && !v)
            error = QStringLiteral("%1 is \"%2\", not None, Pass or Fail")
                        .arg(join(path, QStringLiteral("verdict")), t);
        return v.value_or(Verdict::None);
    }

    void wrong(const QString &path, const QJsonValue &v, const QString &expected)
    {
        const QString shown =
            v.isString() ? QLatin1Char('"') + v.toString() + QLatin1Char('"')
            : v.isUndefined()
                ? QStringLiteral("missing")
                : QString::fromUtf8(QJsonDocument(QJsonArray{v}).toJson(QJsonDocument::Compact))
                      .mid(1)
                      .chopped(1);
        error = QStringLiteral("%1 is %2, not %3").arg(path, shown.left(60), expected);
    }

    static QString join(const QString &path, const QString &name)
    {
        return path.isEmpty() ? name : path + QLatin1Char('.') + name;
    }
};

QList<WalkTest::Seen> seenList(Strict &s, const QJsonObject &o, const QString &path,
                               const QString &name, int version)
{
    QList<WalkTest::Seen> list;
    const QJsonArray a = s.array(o, path, name, WalkTest::EventCap);
    for (qsizetype n = 0; n < a.size() && s.ok(); ++n) {
        const QString at = QStringLiteral("%1.%2[%3]").arg(path, name).arg(n);
        const QJsonObject item = s.object(a[n], at);
        const QDateTime time = s.time(item, at, QStringLiteral("time"));
        const QString words = s.text(item, at, QStringLiteral("words"));
        // A first record never knew what the controller ran.
        const bool confirmed = version == 1 || s.flag(item, at, QStringLiteral("confirmed"));
        list.append({time.toMSecsSinceEpoch(), words, confirmed});
    }
    return list;
}

QList<WalkTest::Attempt> attemptList(Strict &s, const QJsonObject &o, const QString &path)
{
    QList<WalkTest::Attempt> list;
    const QJsonArray a = s.array(o, path, QStringLiteral("attempts"), WalkTest::EventCap);
    for (qsizetype n = 0; n < a.size() && s.ok(); ++n) {
        const QString at = QStringLiteral("%1.attempts[%2]").arg(path).arg(n);
        const QJsonObject item = s.object(a[n], at);
        WalkTest::Attempt attempt;
        attempt.timeMs = s.time(item, at, QStringLiteral("time")).toMSecsSinceEpoch();
        attempt.verdict = s.verdict(item, at);
        attempt.comment = s.text(item, at, QStringLiteral("comment"));
        attempt.confirmed = s.flag(item, at, QStringLiteral("confirmed"));
        list.append(attempt);
    }
    return list;
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
            {QStringLiteral("attempts"), attemptArray(in.attempts)},
        });
    }
    const auto known = [this](uint32_t Controller::*sum) {
        return m_controller ? checksumText((*m_controller).*sum) : QString();
    };
    const QJsonObject root{
        {QStringLiteral("version"), Version},
        {QStringLiteral("dataFile"), header.dataFile},
        {QStringLiteral("programming"), checksumText(m_programming)},
        {QStringLiteral("checksum"), checksumText(m_checksum)},
        {QStringLiteral("controller"),
         QJsonObject{{QStringLiteral("model"), header.model},
                     {QStringLiteral("firmware"), header.firmware},
                     {QStringLiteral("node"), header.node},
                     {QStringLiteral("checksum"), known(&Controller::checksum)},
                     {QStringLiteral("programming"), known(&Controller::programming)}}},
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
    // Ten thousand events for each input and list is well under this.
    constexpr qint64 Largest = 256 * 1024 * 1024;
    if (file.size() > Largest)
        return refused(path, QStringLiteral("it is too large to be a commissioning record"));
    modOVMXConfig::FileResult result = read(file.readAll());
    if (!result.ok)
        result.error = QStringLiteral("Cannot use \"%1\": %2").arg(path, result.error);
    return result;
}

modOVMXConfig::FileResult WalkTest::read(const QByteArray &json)
{
    QJsonParseError parsed{};
    const QJsonDocument document = QJsonDocument::fromJson(json, &parsed);
    if (parsed.error != QJsonParseError::NoError || !document.isObject())
        return {false, QStringLiteral("it is not a commissioning record")};
    const QJsonObject root = document.object();
    Strict s;
    const QJsonValue versionValue = s.field(root, {}, QStringLiteral("version"));
    const int version = versionValue.toInt(0);
    if (s.ok() && (version != 1 && version != Version))
        return {false, QStringLiteral("it was written by another version of the tool (version "
                                      "%1)")
                           .arg(versionValue.toVariant().toString())};
    const std::optional<uint32_t> sum = s.checksum(root, {}, QStringLiteral("checksum"));
    std::optional<uint32_t> programming;
    if (version == 1 && sum) {
        // That checksum covers the port word too: any port will do.
        for (int port = 0; port < 256 && !programming; ++port)
            if (Frames::blockChecksum(
                    std::span<const int16_t>(modOVMXConfig::withPort(m_image, port))) == *sum)
                programming = m_programming;
        if (!programming)
            programming = *sum; // not this programming
    } else if (version == Version) {
        programming = s.checksum(root, {}, QStringLiteral("programming"));
    }
    if (!s.ok())
        return {false, s.error};
    if (*programming != m_programming)
        return {false,
                QStringLiteral("it belongs to other settings (%1 %2; the open settings have "
                               "%3)")
                    .arg(version == 1 ? QStringLiteral("checksum") : QStringLiteral("programming"),
                         checksumText(*programming),
                         checksumText(version == 1 ? m_checksum : m_programming))};

    const QJsonObject c =
        s.object(s.field(root, {}, QStringLiteral("controller")), QStringLiteral("controller"));
    const QString cp = QStringLiteral("controller");
    Header h{s.text(root, {}, QStringLiteral("dataFile")),
             s.text(c, cp, QStringLiteral("model")),
             s.text(c, cp, QStringLiteral("firmware")),
             s.text(c, cp, QStringLiteral("node")),
             s.time(root, {}, QStringLiteral("started"), true),
             s.time(root, {}, QStringLiteral("ended"), true)};
    std::optional<Controller> controller;
    if (version == Version) {
        const auto full = s.checksum(c, cp, QStringLiteral("checksum"), true);
        const auto mine = s.checksum(c, cp, QStringLiteral("programming"), true);
        if (s.ok() && full.has_value() != mine.has_value())
            s.error = QStringLiteral("controller.checksum and controller.programming are "
                                     "either both known or both empty");
        if (full && mine)
            controller = Controller{*full, *mine};
    }

    std::array<Input, InputCount> inputs;
    std::set<int> given;
    const QJsonArray list = s.array(root, {}, QStringLiteral("inputs"), InputCount);
    for (qsizetype n = 0; n < list.size() && s.ok(); ++n) {
        const QString path = QStringLiteral("inputs[%1]").arg(n);
        const QJsonObject o = s.object(list[n], path);
        const QJsonValue number = s.field(o, path, QStringLiteral("input"));
        const int i = number.toInt(-1);
        if (s.ok() && (!number.isDouble() || number.toDouble() != i || i < 0 || i >= InputCount))
            s.wrong(path + QStringLiteral(".input"), number, QStringLiteral("an input 0 to 23"));
        else if (s.ok() && !given.insert(i).second)
            s.error = QStringLiteral("%1.input is %2, given twice").arg(path).arg(i);
        s.text(o, path, QStringLiteral("name"));
        if (!s.ok())
            break;
        Input &in = inputs[static_cast<size_t>(i)];
        in.programmed = input(i).programmed;
        in.seenClosed = s.flag(o, path, QStringLiteral("seenClosed"));
        in.seenOpened = s.flag(o, path, QStringLiteral("seenOpened"));
        in.events = seenList(s, o, path, QStringLiteral("events"), version);
        in.followed = seenList(s, o, path, QStringLiteral("followed"), version);
        if (version == Version) {
            in.attempts = attemptList(s, o, path);
            continue;
        }
        const Verdict verdict = s.verdict(o, path);
        const QString comment = s.text(o, path, QStringLiteral("comment"));
        if (verdict != Verdict::None || !comment.isEmpty())
            in.attempts = {{in.lastMs() < 0 ? h.ended.toMSecsSinceEpoch() : in.lastMs(), verdict,
                            comment, false}};
    }
    if (!s.ok())
        return {false, s.error};
    // A first record's observations were never confirmed: taken up, they stay so.
    if (version == 1)
        for (Input &in : inputs)
            for (QList<Seen> *seen : {&in.events, &in.followed})
                for (Seen &one : *seen)
                    one.confirmed = false;
    header = h;
    m_inputs = inputs;
    m_controller = controller;
    m_version = version;
    return {};
}
