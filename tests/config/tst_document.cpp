#include "FieldTable.h"
#include "modOVMXConfig.h"

#include <QTemporaryDir>
#include <QTest>

#include <map>

// Every accessor is reached through the field table by name, so one table pins word and bit.
static const FieldTable::Field &accessor(const QString &name)
{
    const FieldTable::Field *field = FieldTable::findField(name);
    if (!field)
        qFatal("no field %s", qPrintable(name));
    return *field;
}

class DocumentTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void field_storesInItsWordOnly_data();
    void field_storesInItsWordOnly();
    void splitField_storesHighThenLowWord_data();
    void splitField_storesHighThenLowWord();
    void sharedWord_keepsOtherBits_data();
    void sharedWord_keepsOtherBits();
    void everyWriter_setsModifiedEvenForSameValue();
    void freshDocument_readsZeroEverywhere();
    void newConfiguration_resetsToExactlyTheDefaultWords();
    void readAndWrite_doNotTouchModified();
    void level_givesFootCandles_data();
    void level_givesFootCandles();
    void risingLevel_neverDecreases();
};

void DocumentTest::field_storesInItsWordOnly_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("a");
    QTest::addColumn<int>("b");
    QTest::addColumn<int>("word");
    QTest::addColumn<int>("bit"); // -1: the value fills the word
    QTest::addColumn<int>("value");
    struct Row {
        const char *field;
        int a, b, word, bit, value;
    };
    const Row rows[] = {
        {"RelayCloseAction", 0, 0, 0, -1, 11},
        {"RelayCloseAction", 23, 3, 380, -1, 10},
        {"RelayHoldStatus", 23, 3, 380, 7, 1},
        {"RelayOpenAction", 23, 3, 381, -1, 5},
        {"InputDisableClosed", 0, 0, 384, 0, 1},
        {"InputDisableClosed", 9, 2, 391, 1, 1},
        {"InputDisableClosed", 15, 1, 388, 7, 1},
        {"InputDisableClosed", 23, 23, 455, 7, 1},
        {"InputDisableOpen", 23, 0, 898, 7, 1},
        {"RelayPowerOn", 3, 0, 459, -1, 2},
        {"PhotocellFilter", 1, 0, 461, -1, 1},
        {"PhotocellOffLevel", 1, 2, 470, -1, 17},
        {"PhotocellOnLevel", 1, 3, 479, -1, 128},
        {"DimmerPowerOnLevel", 3, 0, 492, -1, 99},
        {"DimmerFadeRate", 3, 0, 495, -1, 42},
        {"PilotLight", 1, 3, 505, -1, 4},
        {"TimedOffAlert", 0, 0, 510, -1, 97},
        {"ComPort", 0, 0, 511, -1, 7},
        {"DimmerControl", 23, 3, 797, -1, 3},
        {"DimmerControlFadeRate", 23, 3, 798, -1, 1},
        {"DimmerRevert", 23, 3, 799, -1, 2},
        {"ScaleLevel1", 0, 1, 806, -1, 30},
        {"ScaleLevel1", 1, 3, 842, -1, 31},
        {"ScaleOutput3", 1, 3, 847, -1, 36},
        {"ScaleTarget", 1, 3, 855, -1, 240},
        {"PhotocellTracking", 1, 3, 863, -1, 3},
    };
    for (const Row &r : rows)
        QTest::addRow("%s(%d,%d)", r.field, r.a, r.b)
            << QString::fromLatin1(r.field) << r.a << r.b << r.word << r.bit << r.value;
}

void DocumentTest::field_storesInItsWordOnly()
{
    QFETCH(QString, field);
    QFETCH(int, a);
    QFETCH(int, b);
    QFETCH(int, word);
    QFETCH(int, bit);
    QFETCH(int, value);
    const FieldTable::Field &acc = accessor(field);
    modOVMXConfig doc;
    acc.set(doc, a, b, value);
    const int stored = bit < 0 ? value : (1 << bit);
    for (int w = 0; w < modOVMXConfig::WordCount; ++w)
        QCOMPARE(QStringLiteral("word %1 = %2").arg(w).arg(doc.GetWord(w)),
                 QStringLiteral("word %1 = %2").arg(w).arg(w == word ? stored : 0));
    QCOMPARE(acc.get(doc, a, b), value);

    modOVMXConfig other; // a neighbour's content does not leak into the reader
    for (int w = 0; w < modOVMXConfig::WordCount; ++w)
        if (w != word)
            other.SetWord(w, 255);
    QCOMPARE(acc.get(other, a, b), 0);
}

void DocumentTest::splitField_storesHighThenLowWord_data()
{
    QTest::addColumn<int>("i");
    QTest::addColumn<int>("r"); // -1: TimedOffOverride
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("highWord");
    QTest::addColumn<int>("high");
    QTest::addColumn<int>("low");
    QTest::newRow("timed on 994") << 2 << 1 << 994 << 38 << 3 << 226;
    QTest::newRow("timed on 255") << 23 << 3 << 255 << 382 << 0 << 255;
    QTest::newRow("timed on 256") << 0 << 0 << 256 << 2 << 1 << 0;
    QTest::newRow("override 115") << 0 << -1 << 115 << 508 << 0 << 115;
    QTest::newRow("override 994") << 0 << -1 << 994 << 508 << 3 << 226;
}

void DocumentTest::splitField_storesHighThenLowWord()
{
    QFETCH(int, i);
    QFETCH(int, r);
    QFETCH(int, value);
    QFETCH(int, highWord);
    QFETCH(int, high);
    QFETCH(int, low);
    modOVMXConfig doc;
    if (r < 0)
        doc.SetTimedOffOverride(value);
    else
        doc.SetRelayTimedOn(i, r, value);
    QCOMPARE(doc.GetWord(highWord), high);
    QCOMPARE(doc.GetWord(highWord + 1), low);
    QCOMPARE(r < 0 ? doc.GetTimedOffOverride() : doc.GetRelayTimedOn(i, r), value);
    int nonzero = 0;
    for (int w = 0; w < modOVMXConfig::WordCount; ++w)
        nonzero += doc.GetWord(w) != 0;
    QCOMPARE(nonzero, (high != 0) + (low != 0));
}

void DocumentTest::sharedWord_keepsOtherBits_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("a");
    QTest::addColumn<int>("b");
    QTest::addColumn<int>("word");
    QTest::addColumn<int>("before");
    QTest::addColumn<int>("reads"); // what the field reads from `before`
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("after");
    QTest::newRow("close beside hold")
        << "RelayCloseAction" << 5 << 2 << 88 << 131 << 3 << 5 << 133;
    QTest::newRow("hold clear drops high byte")
        << "RelayHoldStatus" << 7 << 1 << 116 << 0x0183 << 1 << 0 << 0x0003;
    QTest::newRow("hold set keeps close")
        << "RelayHoldStatus" << 1 << 3 << 28 << 2 << 0 << 1 << 130;
    QTest::newRow("open reads whole word")
        << "RelayOpenAction" << 2 << 1 << 37 << 300 << 300 << 1 << 1;
    QTest::newRow("disable clear")
        << "InputDisableClosed" << 9 << 2 << 391 << 0xFF << 1 << 0 << 0xFD;
    QTest::newRow("disable set") << "InputDisableClosed" << 9 << 2 << 391 << 0xFD << 0 << 1 << 0xFF;
}

void DocumentTest::sharedWord_keepsOtherBits()
{
    QFETCH(QString, field);
    QFETCH(int, a);
    QFETCH(int, b);
    QFETCH(int, word);
    QFETCH(int, before);
    QFETCH(int, reads);
    QFETCH(int, value);
    QFETCH(int, after);
    const FieldTable::Field &acc = accessor(field);
    modOVMXConfig doc;
    doc.SetWord(word, before);
    QCOMPARE(acc.get(doc, a, b), reads);
    acc.set(doc, a, b, value);
    QCOMPARE(doc.GetWord(word), after);
    QCOMPARE(acc.get(doc, a, b), value);
}

void DocumentTest::everyWriter_setsModifiedEvenForSameValue()
{
    for (const FieldTable::Field &field : FieldTable::fields()) {
        modOVMXConfig doc;
        QVERIFY(!doc.ConfigModified);
        field.set(doc, 0, 0, 0); // the value the word already holds
        QVERIFY2(doc.ConfigModified, field.name);
    }
    modOVMXConfig doc;
    doc.SetWord(462, 0);
    QVERIFY(doc.ConfigModified);
}

void DocumentTest::freshDocument_readsZeroEverywhere()
{
    const modOVMXConfig doc;
    for (int w = 0; w < modOVMXConfig::WordCount; ++w)
        QCOMPARE(doc.GetWord(w), 0);
    QCOMPARE(doc.DataFileName, QStringLiteral("None"));
    QVERIFY(!doc.ConfigModified);
    QVERIFY(!doc.ExitConfirmed);
    QVERIFY(!doc.ShowLevelsInFC);
    QCOMPARE(doc.BaseTitle, QStringLiteral("Tevara Orvandel MX Configuration Tool  Rev 1.60"));
}

void DocumentTest::newConfiguration_resetsToExactlyTheDefaultWords()
{
    std::map<int, int> expected = {{509, 115}, {510, 3}, {460, 1}, {461, 1}};
    for (int d = 0; d < 4; ++d) {
        expected[480 + 4 * d] = 100; // power-on level
        expected[481 + 4 * d] = 1;   // minimum 0 %
        expected[482 + 4 * d] = 101; // maximum 100 %
        for (int p = 0; p < 2; ++p)
            for (auto [offset, value] : {std::pair{0, 255}, {1, 128}, {4, 50}, {5, 100}})
                expected[800 + 24 * p + 6 * d + offset] = value;
    }
    modOVMXConfig doc;
    for (int w = 0; w < modOVMXConfig::WordCount; ++w)
        doc.SetWord(w, 0x5A5A);
    doc.DataFileName = QStringLiteral("/somewhere/old.OMX");
    doc.ConfigModified = false;
    doc.NewConfiguration();
    for (int w = 0; w < modOVMXConfig::WordCount; ++w) {
        const auto it = expected.find(w);
        QCOMPARE(QStringLiteral("word %1 = %2").arg(w).arg(doc.GetWord(w)),
                 QStringLiteral("word %1 = %2").arg(w).arg(it == expected.end() ? 0 : it->second));
    }
    QVERIFY(doc.ConfigModified);
    QCOMPARE(doc.DataFileName, QStringLiteral("None"));
}

void DocumentTest::readAndWrite_doNotTouchModified()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    for (bool modified : {false, true}) {
        modOVMXConfig doc;
        doc.NewConfiguration();
        doc.DataFileName = dir.filePath(QStringLiteral("a.OMX"));
        doc.ConfigModified = modified;
        QVERIFY(doc.WriteDataFile().ok);
        QCOMPARE(doc.ConfigModified, modified);
        QVERIFY(doc.ReadDataFile().ok);
        QCOMPARE(doc.ConfigModified, modified);
    }
}

void DocumentTest::level_givesFootCandles_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("footCandles");
    // Both ends of each segment, products that extended precision would round one lower, and
    // levels outside the scale.
    const int table[][2] = {
        {0, 0},      {19, 0},       {20, 1},     {75, 3},     {76, 4},    {116, 10},
        {117, 11},   {137, 17},     {138, 18},   {170, 39},   {171, 40},  {181, 52},
        {182, 55},   {190, 75},     {191, 80},   {203, 120},  {204, 125}, {218, 213},
        {219, 220},  {228, 400},    {229, 450},  {233, 650},  {234, 700}, {237, 1000},
        {238, 1200}, {240, 1600},   {241, 1800}, {255, 1800}, {112, 10},  {126, 14},
        {136, 17},   {196, 97},     {201, 114},  {214, 188},  {-1, 1800}, {-32768, 1800},
        {256, 1800}, {32767, 1800},
    };
    for (const auto &row : table)
        QTest::addRow("level %d", row[0]) << row[0] << row[1];
}

void DocumentTest::level_givesFootCandles()
{
    QFETCH(int, level);
    QFETCH(int, footCandles);
    QCOMPARE(modOVMXConfig::LevelToFootCandles(level), footCandles);
}

void DocumentTest::risingLevel_neverDecreases()
{
    for (int level = 1; level <= 255; ++level)
        QVERIFY2(modOVMXConfig::LevelToFootCandles(level) >=
                     modOVMXConfig::LevelToFootCandles(level - 1),
                 qPrintable(QString::number(level)));
}

QTEST_GUILESS_MAIN(DocumentTest)
#include "tst_document.moc"
