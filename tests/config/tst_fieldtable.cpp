#include "ConfigDiff.h"
#include "ConfigJson.h"
#include "FieldTable.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QRandomGenerator>
#include <QTest>

#include <set>

using FieldTable::Field;

namespace
{
// An image whose every field lies within its coding, with any bytes in the unused words.
modOVMXConfig randomValidDocument(quint32 seed)
{
    QRandomGenerator random(seed);
    modOVMXConfig doc;
    for (int w = 0; w < modOVMXConfig::WordCount; ++w)
        if (FieldTable::isUnusedWord(w))
            doc.SetWord(w, random.bounded(0, 256));
    for (const Field &f : FieldTable::fields())
        for (int n = 0; n < f.elementCount(); ++n)
            f.set(doc, f.firstIndex(n), f.secondIndex(n), random.bounded(f.min, f.max + 1));
    return doc;
}

QByteArray jsonBytes(const QJsonObject &object)
{
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}
} // namespace

class FieldTableTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void field_hasShapeCodingAndWords_data();
    void field_hasShapeCodingAndWords();
    void fields_coverEveryUsedWordAndNoUnusedOne();
    void element_isDescribedInWords_data();
    void element_isDescribedInWords();
    void differentWords_areDescribed_data();
    void differentWords_areDescribed();
    void anySingleWordChange_isReported();
    void newConfiguration_hasNoChangesFromNew();
    void export_nestsInAccessorIndexOrder();
    void validImages_surviveExportAndImport();
    void badJson_isRefusedNamingFieldAndIndex_data();
    void badJson_isRefusedNamingFieldAndIndex();
    void bitsNoFieldCarries_areFound();
};

void FieldTableTest::field_hasShapeCodingAndWords_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("cols");
    QTest::addColumn<bool>("boolean");
    QTest::addColumn<int>("max");
    QTest::addColumn<QList<int>>("firstWords");
    QTest::addColumn<QList<int>>("lastWords");
    struct Row {
        const char *name;
        int rows, cols;
        bool boolean;
        int max;
        QList<int> first, last;
    };
    const Row rows[] = {
        {"RelayCloseAction", 24, 4, false, 11, {0}, {380}},
        {"RelayHoldStatus", 24, 4, true, 1, {0}, {380}},
        {"RelayOpenAction", 24, 4, false, 9, {1}, {381}},
        {"RelayTimedOn", 24, 4, false, 994, {2, 3}, {382, 383}},
        {"InputDisableClosed", 24, 24, true, 1, {384}, {455}},
        {"InputDisableOpen", 24, 24, true, 1, {896}, {967}},
        {"RelayPowerOn", 4, 0, false, 4, {456}, {459}},
        {"PhotocellFilter", 2, 0, false, 1, {460}, {461}},
        {"PhotocellOffLevel", 2, 4, false, 255, {464}, {471}},
        {"PhotocellOnLevel", 2, 4, false, 255, {472}, {479}},
        {"DimmerPowerOnLevel", 4, 0, false, 100, {480}, {492}},
        {"DimmerMinLevel", 4, 0, false, 101, {481}, {493}},
        {"DimmerMaxLevel", 4, 0, false, 101, {482}, {494}},
        {"DimmerFadeRate", 4, 0, false, 42, {483}, {495}},
        {"PilotLight", 2, 6, false, 9, {496}, {507}},
        {"TimedOffOverride", 0, 0, false, 994, {508, 509}, {508, 509}},
        {"TimedOffAlert", 0, 0, false, 97, {510}, {510}},
        {"ComPort", 0, 0, false, 7, {511}, {511}},
        {"DimmerControl", 24, 4, false, 104, {512}, {797}},
        {"DimmerControlFadeRate", 24, 4, false, 1, {513}, {798}},
        {"DimmerRevert", 24, 4, false, 121, {514}, {799}},
        {"ScaleLevel1", 2, 4, false, 255, {800}, {842}},
        {"ScaleLevel2", 2, 4, false, 255, {801}, {843}},
        {"ScaleLevel3", 2, 4, false, 255, {802}, {844}},
        {"ScaleOutput1", 2, 4, false, 100, {803}, {845}},
        {"ScaleOutput2", 2, 4, false, 100, {804}, {846}},
        {"ScaleOutput3", 2, 4, false, 100, {805}, {847}},
        {"ScaleTarget", 2, 4, false, 255, {848}, {855}},
        {"PhotocellTracking", 2, 4, false, 3, {856}, {863}},
    };
    QCOMPARE(FieldTable::fields().size(), std::size(rows));
    for (const Row &r : rows)
        QTest::newRow(r.name) << r.name << r.rows << r.cols << r.boolean << r.max << r.first
                              << r.last;
}

void FieldTableTest::field_hasShapeCodingAndWords()
{
    QFETCH(QString, name);
    QFETCH(int, rows);
    QFETCH(int, cols);
    QFETCH(bool, boolean);
    QFETCH(int, max);
    QFETCH(QList<int>, firstWords);
    QFETCH(QList<int>, lastWords);
    const Field *f = FieldTable::findField(name);
    QVERIFY(f);
    QCOMPARE(f->rows, rows);
    QCOMPARE(f->cols, cols);
    QCOMPARE(f->boolean, boolean);
    QCOMPARE(f->min, 0);
    QCOMPARE(f->max, max);
    auto words = [f](int n) {
        QList<int> list;
        for (int w : FieldTable::wordsOf(*f, n))
            if (w >= 0)
                list << w;
        return list;
    };
    QCOMPARE(words(0), firstWords);
    QCOMPARE(words(f->elementCount() - 1), lastWords);
    // Every value of the coding has words; the next one past it has none.
    for (int v = f->min; v <= f->max; ++v)
        QVERIFY(f->words(v).has_value());
    QVERIFY(!f->words(f->max + 1).has_value());
    QVERIFY(!f->words(-1).has_value());
}

void FieldTableTest::fields_coverEveryUsedWordAndNoUnusedOne()
{
    std::set<int> covered;
    for (const Field &f : FieldTable::fields())
        for (int n = 0; n < f.elementCount(); ++n)
            for (int w : FieldTable::wordsOf(f, n))
                if (w >= 0)
                    covered.insert(w);
    for (int w = 0; w < modOVMXConfig::WordCount; ++w)
        QVERIFY2((covered.count(w) == 1) == !FieldTable::isUnusedWord(w),
                 qPrintable(QString::number(w)));
    QCOMPARE(covered.size(), size_t(1024 - 2 - 32 - 56));
}

void FieldTableTest::element_isDescribedInWords_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("close action")
        << "RelayCloseAction" << 9 << 3
        << "Relay 2 / Tamberline 01 Input 3: close action Toggle Relay Based On Relay 1 Status";
    QTest::newRow("hold") << "RelayHoldStatus" << 95 << 1
                          << "Relay 4 / Photocell 2 Input  4: hold status while closed Yes";
    QTest::newRow("open 10 has no entry")
        << "RelayOpenAction" << 0 << 10
        << "Relay 1 / Tamberline 01 Input 1: open action 10 (no entry)";
    QTest::newRow("timed on") << "RelayTimedOn" << 1 << 994
                              << "Relay 2 / Tamberline 01 Input 1: timed on 999 Minute";
    QTest::newRow("disable")
        << "InputDisableClosed" << 14 * 24 << 1
        << "Tamberline 01 Input 1 / Hardwire Input  3: disabled while input closed Yes";
    QTest::newRow("power on") << "RelayPowerOn" << 3 << 3
                              << "Relay 4: power on Turn Off If HW Input 1 is closed";
    QTest::newRow("filter") << "PhotocellFilter" << 1 << 0 << "Photocell 2: filter 2 Sec";
    QTest::newRow("min level") << "DimmerMinLevel" << 0 << 0 << "Dimmer 1: min level Photocell";
    QTest::newRow("fade rate") << "DimmerFadeRate" << 3 << 16 << "Dimmer 4: fade rate 40 Sec";
    QTest::newRow("pilot") << "PilotLight" << 9 << 4 << "Tamberline 02 Input 4: pilot Relay 2 On";
    QTest::newRow("override") << "TimedOffOverride" << 0 << 115 << "Timed Off: override 120 Minute";
    QTest::newRow("port") << "ComPort" << 0 << 7 << "Serial port: COM8";
    QTest::newRow("port 8") << "ComPort" << 0 << 8 << "Serial port: 8 (no entry)";
    QTest::newRow("dimmer control") << "DimmerControl" << 17 << 54
                                    << "Dimmer Output 2 / Tamberline 01 Input 5: control Goto 50%";
    QTest::newRow("revert") << "DimmerRevert" << 0 << 2
                            << "Dimmer Output 1 / Tamberline 01 Input 1: revert Revert After 5 Min";
    QTest::newRow("curve") << "ScaleOutput2" << 7 << 50
                           << "Dimmer Output 4 / Photocell 2: point 2 output 50%";
    QTest::newRow("tracking") << "PhotocellTracking" << 1 << 3
                              << "Dimmer Output 2 / Photocell 1: tracking Setpoint";
}

void FieldTableTest::element_isDescribedInWords()
{
    QFETCH(QString, name);
    QFETCH(int, n);
    QFETCH(int, value);
    QFETCH(QString, text);
    QCOMPARE(FieldTable::findField(name)->describe(n, value), text);
}

void FieldTableTest::differentWords_areDescribed_data()
{
    QTest::addColumn<int>("word");
    QTest::addColumn<int>("a");
    QTest::addColumn<int>("b");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("same") << 36 << 2 << 2 << QStringList{};
    QTest::newRow("close action")
        << 36 << 2 << 3
        << QStringList{"Relay 2 / Tamberline 01 Input 3: close action Turn On Relay → "
                       "Toggle Relay Based On Relay 1 Status"};
    QTest::newRow("unused word") << 870 << 0 << 17 << QStringList{"Unused word 870: 0 → 17"};
    QTest::newRow("high byte only") << 16 << 0x0100 << 0 << QStringList{"Word 16: 256 → 0"};
    QTest::newRow("high byte beside hold")
        << 16 << 0x0183 << 0x0083 << QStringList{"Word 16: 387 → 131"};
    QTest::newRow("close beyond list")
        << 0 << 0 << 50
        << QStringList{"Relay 1 / Tamberline 01 Input 1: close action None → 50 (no entry)"};
    QTest::newRow("disable high byte") << 384 << 0x0200 << 0 << QStringList{"Word 384: 512 → 0"};
    QTest::newRow("two fields in one word")
        << 4 << 0x02 << 0x81
        << QStringList{
               "Relay 2 / Tamberline 01 Input 1: close action Turn On Relay → Turn Off Relay",
               "Relay 2 / Tamberline 01 Input 1: hold status while closed No → Yes"};
}

void FieldTableTest::differentWords_areDescribed()
{
    QFETCH(int, word);
    QFETCH(int, a);
    QFETCH(int, b);
    QFETCH(QStringList, lines);
    modOVMXConfig first, second;
    first.SetWord(word, a);
    second.SetWord(word, b);
    QCOMPARE(ConfigDiff::describeDifferences(first, second), lines);
}

void FieldTableTest::anySingleWordChange_isReported()
{
    const modOVMXConfig base = randomValidDocument(11);
    for (int w = 0; w < modOVMXConfig::WordCount; ++w) {
        for (int delta : {1, 256}) {
            modOVMXConfig changed = base;
            changed.SetWord(w, base.GetWord(w) + delta);
            QVERIFY2(!ConfigDiff::describeDifferences(base, changed).isEmpty(),
                     qPrintable(QStringLiteral("word %1 + %2").arg(w).arg(delta)));
        }
    }
}

void FieldTableTest::newConfiguration_hasNoChangesFromNew()
{
    modOVMXConfig doc;
    doc.NewConfiguration();
    QVERIFY(ConfigDiff::describeChangesFromNew(doc).isEmpty());
    doc.SetDimmerRevert(4, 1, 1);
    doc.SetWord(1000, 9);
    QCOMPARE(ConfigDiff::describeChangesFromNew(doc),
             (QStringList{"Dimmer Output 2 / Tamberline 01 Input 5: revert Never Revert",
                          "Unused word 1000: 9"}));
}

void FieldTableTest::export_nestsInAccessorIndexOrder()
{
    modOVMXConfig doc;
    doc.NewConfiguration();
    doc.SetRelayCloseAction(2, 1, 3);
    doc.SetInputDisableClosed(9, 2, true);
    doc.SetPilotLight(1, 3, 4);
    doc.SetScaleTarget(1, 3, 200);
    doc.SetWord(1023, 5);
    const QJsonObject json = ConfigJson::toJson(doc);
    QCOMPARE(json.value("format").toString(), QStringLiteral("orvandel-mx/1"));
    QCOMPARE(json.size(), 29 + 2);
    const QJsonArray close = json.value("RelayCloseAction").toArray();
    QCOMPARE(close.size(), 24);
    QCOMPARE(close[2].toArray().size(), 4);
    QCOMPARE(close[2].toArray()[1], QJsonValue(3));
    QCOMPARE(json.value("InputDisableClosed").toArray()[9].toArray()[2], QJsonValue(true));
    QCOMPARE(json.value("InputDisableClosed").toArray()[2].toArray()[9], QJsonValue(false));
    QCOMPARE(json.value("PilotLight").toArray()[1].toArray()[3], QJsonValue(4));
    QCOMPARE(json.value("ScaleTarget").toArray()[1].toArray()[3], QJsonValue(200));
    QCOMPARE(json.value("DimmerMaxLevel").toArray(), (QJsonArray{101, 101, 101, 101}));
    QCOMPARE(json.value("TimedOffOverride"), QJsonValue(115));
    QCOMPARE(json.value("unusedWords").toObject(), (QJsonObject{{"1023", 5}}));
}

void FieldTableTest::validImages_surviveExportAndImport()
{
    for (quint32 seed : {1u, 2u, 3u, 4u}) {
        const modOVMXConfig doc = randomValidDocument(seed);
        const ConfigJson::ImportResult back =
            ConfigJson::fromJson(jsonBytes(ConfigJson::toJson(doc)));
        QVERIFY2(back.ok, qPrintable(back.error));
        QVERIFY(back.image == doc.image());
        QVERIFY(ConfigJson::unrepresentedWords(doc).isEmpty());
    }
}

void FieldTableTest::badJson_isRefusedNamingFieldAndIndex_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<QString>("error"); // the start of the message

    modOVMXConfig doc;
    doc.NewConfiguration();
    const QJsonObject valid = ConfigJson::toJson(doc);
    auto with = [&valid](const char *key, const QJsonValue &value) { // Undefined removes
        QJsonObject changed = valid;
        changed.insert(QLatin1String(key), value);
        return jsonBytes(changed);
    };
    auto element = [&valid, &with](const char *key, int a, int b, const QJsonValue &value) {
        QJsonArray outer = valid.value(QLatin1String(key)).toArray();
        QJsonArray inner = outer[a].toArray();
        inner[b] = value;
        outer[a] = inner;
        return with(key, outer);
    };
    QJsonArray shortRelay = valid.value("RelayCloseAction").toArray();
    shortRelay.removeLast();
    QJsonArray longRow = valid.value("RelayCloseAction").toArray();
    longRow[3] = QJsonArray{0, 0, 0, 0, 0};

    QTest::newRow("cut short") << QByteArray("{\"format\": ") << "not valid JSON: ";
    QTest::newRow("not an object") << QByteArray("[]") << "not valid JSON: expected an object";
    QTest::newRow("other format") << with("format", "orvandel-mx/2")
                                  << "format: expected \"orvandel-mx/1\"";
    QTest::newRow("no format") << with("format", QJsonValue::Undefined)
                               << "format: expected \"orvandel-mx/1\"";
    QTest::newRow("unknown field")
        << with("RelayCloseActon", 1) << "RelayCloseActon: no such field";
    QTest::newRow("missing field")
        << with("RelayOpenAction", QJsonValue::Undefined) << "RelayOpenAction: missing";
    QTest::newRow("missing unused words")
        << with("unusedWords", QJsonValue::Undefined) << "unusedWords: missing";
    QTest::newRow("23 rows") << with("RelayCloseAction", shortRelay)
                             << "RelayCloseAction: expected an array of 24 values";
    QTest::newRow("5 columns") << with("RelayCloseAction", longRow)
                               << "RelayCloseAction[3]: expected an array of 4 values";
    QTest::newRow("number for array")
        << with("PilotLight", 0) << "PilotLight: expected an array of 2 values";
    QTest::newRow("array for number")
        << with("ComPort", QJsonArray{0})
        << "ComPort: expected a whole number from 0 to 7, found an array";
    QTest::newRow("above coding")
        << element("RelayCloseAction", 3, 1, 12)
        << "RelayCloseAction[3][1]: expected a whole number from 0 to 11, found 12";
    QTest::newRow("negative")
        << element("DimmerRevert", 0, 0, -1)
        << "DimmerRevert[0][0]: expected a whole number from 0 to 121, found -1";
    QTest::newRow("fraction")
        << element("ScaleLevel1", 1, 3, 1.5)
        << "ScaleLevel1[1][3]: expected a whole number from 0 to 255, found 1.5";
    QTest::newRow("huge") << with("ComPort", 1e300)
                          << "ComPort: expected a whole number from 0 to 7, found 1";
    QTest::newRow("text") << with("TimedOffAlert", "3")
                          << "TimedOffAlert: expected a whole number from 0 to 97, found \"3\"";
    QTest::newRow("number for flag") << element("InputDisableOpen", 23, 0, 1)
                                     << "InputDisableOpen[23][0]: expected true or false";
    QTest::newRow("flag for number")
        << with("RelayPowerOn", QJsonArray{0, 0, 0, true})
        << "RelayPowerOn[3]: expected a whole number from 0 to 4, found true";
    QTest::newRow("null") << with("PhotocellFilter", QJsonArray{1, QJsonValue()})
                          << "PhotocellFilter[1]: expected a whole number from 0 to 1, found null";
    QTest::newRow("used word") << with("unusedWords", QJsonObject{{"16", 1}})
                               << "unusedWords[\"16\"]: not the index of an unused word";
    QTest::newRow("word beyond image") << with("unusedWords", QJsonObject{{"1024", 1}})
                                       << "unusedWords[\"1024\"]: not the index of an unused word";
    QTest::newRow("word not a number") << with("unusedWords", QJsonObject{{"x", 1}})
                                       << "unusedWords[\"x\"]: not the index of an unused word";
    QTest::newRow("word with leading zero")
        << with("unusedWords", QJsonObject{{"0870", 1}})
        << "unusedWords[\"0870\"]: not the index of an unused word";
    QTest::newRow("word value 256")
        << with("unusedWords", QJsonObject{{"870", 256}})
        << "unusedWords[\"870\"]: expected a whole number from 0 to 255, found 256";
    QTest::newRow("unused words array")
        << with("unusedWords", QJsonArray{}) << "unusedWords: expected an object";
}

void FieldTableTest::badJson_isRefusedNamingFieldAndIndex()
{
    QFETCH(QByteArray, json);
    QFETCH(QString, error);
    const ConfigJson::ImportResult result = ConfigJson::fromJson(json);
    QVERIFY(!result.ok);
    QVERIFY2(result.error.startsWith(error), qPrintable(result.error));
    QVERIFY(!result.error.contains(QLatin1Char('\n')));
}

void FieldTableTest::bitsNoFieldCarries_areFound()
{
    modOVMXConfig doc;
    doc.NewConfiguration();
    QVERIFY(ConfigJson::unrepresentedWords(doc).isEmpty());
    doc.SetWord(16, 0x0100);
    doc.SetWord(2, 0);
    doc.SetWord(3, 300); // a low part that no timed-on value writes
    doc.SetWord(870, -5);
    QCOMPARE(ConfigJson::unrepresentedWords(doc), (QList<int>{2, 3, 16}));
}

QTEST_GUILESS_MAIN(FieldTableTest)
#include "tst_fieldtable.moc"
