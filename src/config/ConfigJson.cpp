#include "ConfigJson.h"

#include "FieldTable.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <algorithm>
#include <cmath>

namespace ConfigJson
{

namespace
{
using FieldTable::Field;

QJsonValue elementValue(const Field &f, const modOVMXConfig &doc, int a, int b)
{
    const int v = f.get(doc, a, b);
    return f.boolean ? QJsonValue(v != 0) : QJsonValue(v);
}

QJsonValue fieldValue(const Field &f, const modOVMXConfig &doc)
{
    if (!f.rows)
        return elementValue(f, doc, 0, 0);
    QJsonArray outer;
    for (int a = 0; a < f.rows; ++a) {
        if (!f.cols) {
            outer.append(elementValue(f, doc, a, 0));
            continue;
        }
        QJsonArray inner;
        for (int b = 0; b < f.cols; ++b)
            inner.append(elementValue(f, doc, a, b));
        outer.append(inner);
    }
    return outer;
}

QString expected(int min, int max, const QString &found)
{
    return QStringLiteral("expected a whole number from %1 to %2, found %3")
        .arg(min)
        .arg(max)
        .arg(found);
}

QString shown(const QJsonValue &v)
{
    switch (v.type()) {
    case QJsonValue::Double:
        return QString::number(v.toDouble(), 'g', 17);
    case QJsonValue::Bool:
        return v.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    case QJsonValue::String:
        return QLatin1Char('"') + v.toString() + QLatin1Char('"');
    case QJsonValue::Array:
        return QStringLiteral("an array");
    case QJsonValue::Object:
        return QStringLiteral("an object");
    default:
        return QStringLiteral("null");
    }
}

// The reader of one import: the first problem found is kept and ends the walk.
class Importer
{
public:
    bool readField(const Field &f, const QJsonValue &value);
    bool readUnusedWords(const QJsonValue &value);
    QString error;
    modOVMXConfig doc;

private:
    bool readElement(const Field &f, const QJsonValue &v, int a, int b, const QString &where);
    bool readArray(const QJsonValue &v, int count, const QString &where, QJsonArray &out);
    bool fail(const QString &where, const QString &what)
    {
        error = where + QStringLiteral(": ") + what;
        return false;
    }
};

bool Importer::readArray(const QJsonValue &v, int count, const QString &where, QJsonArray &out)
{
    if (!v.isArray() || v.toArray().size() != count)
        return fail(where, QStringLiteral("expected an array of %1 values").arg(count));
    out = v.toArray();
    return true;
}

bool Importer::readElement(const Field &f, const QJsonValue &v, int a, int b, const QString &where)
{
    int value = 0;
    if (f.boolean) {
        if (!v.isBool())
            return fail(where, QStringLiteral("expected true or false"));
        value = v.toBool() ? 1 : 0;
    } else {
        const double d = v.toDouble(std::nan(""));
        if (!v.isDouble() || d != std::floor(d) || d < f.min || d > f.max)
            return fail(where, expected(f.min, f.max, shown(v)));
        value = static_cast<int>(d);
    }
    f.set(doc, a, b, value);
    return true;
}

bool Importer::readField(const Field &f, const QJsonValue &value)
{
    const QString name = QLatin1String(f.name);
    if (!f.rows)
        return readElement(f, value, 0, 0, name);
    QJsonArray outer;
    if (!readArray(value, f.rows, name, outer))
        return false;
    for (int a = 0; a < f.rows; ++a) {
        const QString where = name + QStringLiteral("[%1]").arg(a);
        if (!f.cols) {
            if (!readElement(f, outer[a], a, 0, where))
                return false;
            continue;
        }
        QJsonArray inner;
        if (!readArray(outer[a], f.cols, where, inner))
            return false;
        for (int b = 0; b < f.cols; ++b)
            if (!readElement(f, inner[b], a, b, where + QStringLiteral("[%1]").arg(b)))
                return false;
    }
    return true;
}

bool Importer::readUnusedWords(const QJsonValue &value)
{
    if (!value.isObject())
        return fail(QStringLiteral("unusedWords"), QStringLiteral("expected an object"));
    const QJsonObject words = value.toObject();
    for (auto it = words.begin(); it != words.end(); ++it) {
        const QString where = QStringLiteral("unusedWords[\"%1\"]").arg(it.key());
        bool isNumber = false;
        const int w = it.key().toInt(&isNumber);
        if (!isNumber || it.key() != QString::number(w) || !FieldTable::isUnusedWord(w))
            return fail(where, QStringLiteral("not the index of an unused word"));
        const double d = it.value().toDouble(std::nan(""));
        if (!it.value().isDouble() || d != std::floor(d) || d < 0 || d > 255)
            return fail(where, expected(0, 255, shown(it.value())));
        doc.SetWord(w, static_cast<int>(d));
    }
    return true;
}

ImportResult refused(const QString &error) { return {false, error, {}}; }

// A scalar or a key exactly as JSON writes it, quotes and escapes included.
QByteArray scalarText(const QJsonValue &v)
{
    const QByteArray wrapped = QJsonDocument(QJsonArray{v}).toJson(QJsonDocument::Compact);
    return wrapped.mid(1, wrapped.size() - 2);
}

bool holdsOnlyScalars(const QJsonArray &array)
{
    return std::none_of(array.begin(), array.end(),
                        [](const QJsonValue &v) { return v.isArray() || v.isObject(); });
}

// Qt's indented layout, except that an array of plain values stays on one line: one row of a
// matrix per line reads as the grid it is.
void writeValue(QByteArray &out, const QJsonValue &value, int depth)
{
    const QByteArray inner(4 * (depth + 1), ' ');
    if (value.isArray()) {
        const QJsonArray array = value.toArray();
        QByteArrayList items;
        for (const QJsonValue &v : array) {
            QByteArray item;
            writeValue(item, v, depth + 1);
            items << item;
        }
        if (holdsOnlyScalars(array))
            out += '[' + items.join(", ") + ']';
        else
            out += "[\n" + inner + items.join(",\n" + inner) + '\n' + inner.mid(4) + ']';
    } else if (value.isObject()) {
        const QJsonObject object = value.toObject();
        QByteArrayList items;
        for (auto it = object.begin(); it != object.end(); ++it) {
            QByteArray item = scalarText(it.key()) + ": ";
            writeValue(item, it.value(), depth + 1);
            items << item;
        }
        out += items.isEmpty()
                   ? QByteArray("{}")
                   : "{\n" + inner + items.join(",\n" + inner) + '\n' + inner.mid(4) + '}';
    } else {
        out += scalarText(value);
    }
}

// "line 3, column 17": where an editor shows the problem; a byte offset helps nobody.
QString position(const QByteArray &json, qsizetype offset)
{
    const QByteArray before = json.left(offset);
    const qsizetype lineStart = before.lastIndexOf('\n') + 1;
    return QStringLiteral("line %1, column %2")
        .arg(before.count('\n') + 1)
        .arg(QString::fromUtf8(before.mid(lineStart)).size() + 1);
}
} // namespace

QJsonObject toJson(const modOVMXConfig &doc)
{
    QJsonObject json;
    json.insert(QStringLiteral("format"), QLatin1String(FormatName));
    for (const Field &f : FieldTable::fields())
        json.insert(QLatin1String(f.name), fieldValue(f, doc));
    QJsonObject unused;
    for (int w = 0; w < modOVMXConfig::WordCount; ++w)
        if (FieldTable::isUnusedWord(w) && doc.GetWord(w) != 0)
            unused.insert(QString::number(w), doc.GetWord(w));
    json.insert(QStringLiteral("unusedWords"), unused);
    QJsonObject units;
    for (const Field &f : FieldTable::fields())
        units.insert(QLatin1String(f.name), f.unitsText());
    units.insert(QStringLiteral("unusedWords"),
                 QStringLiteral("word index: its value 0–255; words no field uses"));
    // What the index brackets above stand for.
    units.insert(QStringLiteral("[input]"),
                 QStringLiteral("0–5 = Tamberline 01 switches 1–6; 6–11 = Tamberline 02 switches "
                                "1–6; 12–15 = hardwired inputs 1–4; 16–19 = photocell 1 levels "
                                "1–4; 20–23 = photocell 2 levels 1–4"));
    units.insert(QStringLiteral("[other indices]"),
                 QStringLiteral("count from 0: [relay] 0 is relay 1, [station] 0 is Tamberline "
                                "01, [level] 0 is level 1, and so on"));
    json.insert(QStringLiteral("units"), units);
    return json;
}

QByteArray exportText(const modOVMXConfig &doc)
{
    QByteArray text;
    writeValue(text, toJson(doc), 0);
    return text + '\n';
}

QList<int> unrepresentedWords(const modOVMXConfig &doc)
{
    modOVMXConfig rebuilt;
    for (int w = 0; w < modOVMXConfig::WordCount; ++w)
        if (FieldTable::isUnusedWord(w))
            rebuilt.SetWord(w, doc.GetWord(w));
    for (const Field &f : FieldTable::fields())
        for (int n = 0; n < f.elementCount(); ++n)
            f.set(rebuilt, f.firstIndex(n), f.secondIndex(n),
                  f.get(doc, f.firstIndex(n), f.secondIndex(n)));
    QList<int> words;
    for (int w = 0; w < modOVMXConfig::WordCount; ++w)
        if (rebuilt.GetWord(w) != doc.GetWord(w))
            words << w;
    return words;
}

QString wideWordRefusal(const modOVMXConfig &doc)
{
    const QList<FieldTable::WideWord> wide = FieldTable::wideWords(doc);
    if (wide.isEmpty())
        return {};
    const FieldTable::WideWord &w = wide.first();
    if (!w.field)
        return QStringLiteral("unusedWords[\"%1\"]: ").arg(w.word) +
               expected(0, 255, QString::number(w.value));
    const Field &f = *w.field;
    const int v = f.get(doc, f.firstIndex(w.element), f.secondIndex(w.element));
    if (!f.inCoding(v))
        return f.elementName(w.element) + QStringLiteral(": ") +
               expected(f.min, f.max, QString::number(v));
    // The element reads as a value of its coding; the rest of the word is what an import loses.
    return QStringLiteral("%1: its word %2 holds %3; an import gives back words of 0 to 255 only")
        .arg(f.elementName(w.element))
        .arg(w.word)
        .arg(w.value);
}

ImportResult fromJson(const QByteArray &json)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError)
        return refused(QStringLiteral("not valid JSON: %1 at %2")
                           .arg(parseError.errorString(), position(json, parseError.offset)));
    if (!document.isObject())
        return refused(QStringLiteral("not valid JSON: expected an object"));
    const QJsonObject object = document.object();
    if (object.value(QStringLiteral("format")) != QJsonValue(QLatin1String(FormatName)))
        return refused(QStringLiteral("format: expected \"%1\"").arg(QLatin1String(FormatName)));
    for (auto it = object.begin(); it != object.end(); ++it)
        if (it.key() != QStringLiteral("format") && it.key() != QStringLiteral("unusedWords") &&
            it.key() != QStringLiteral("units") && !FieldTable::findField(it.key()))
            return refused(it.key() + QStringLiteral(": no such field"));

    Importer importer;
    for (const Field &f : FieldTable::fields()) {
        const QString name = QLatin1String(f.name);
        if (!object.contains(name))
            return refused(name + QStringLiteral(": missing"));
        if (!importer.readField(f, object.value(name)))
            return refused(importer.error);
    }
    if (!object.contains(QStringLiteral("unusedWords")))
        return refused(QStringLiteral("unusedWords: missing"));
    if (!importer.readUnusedWords(object.value(QStringLiteral("unusedWords"))))
        return refused(importer.error);
    return {true, {}, importer.doc.image()};
}

} // namespace ConfigJson
