#include "FieldTable.h"
#include "modOVMXConfig.h"

#include <QTest>

// The field table reaches every accessor by its field name, so one data table below can pin
// the word and bit of each; a wrong entry in the table fails here just as a wrong accessor.
static const FieldTable::Field &accessor(const QString &name)
{
    const FieldTable::Field *field = FieldTable::findField(name);
    if (!field)
        qFatal("no field %s", qPrintable(name));
    return *field;
}

class AccessorTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void singleWordField_storesInItsWordOnly_data();
    void singleWordField_storesInItsWordOnly();
    void splitField_storesHighThenLowWord_data();
    void splitField_storesHighThenLowWord();
    void closeActionWithHoldBit_readsBothParts();
    void closeActionWrite_keepsHoldBit();
    void holdClear_alsoClearsHighByte();
    void holdSet_keepsCloseAction();
    void openAction_readsWholeWord();
    void bitClear_keepsOtherLowBits();
    void everyWriter_setsModifiedEvenForSameValue();
    void freshDocument_readsZeroEverywhere();
};

void AccessorTest::singleWordField_storesInItsWordOnly_data()
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
        {"RelayCloseAction", 2, 1, 36, -1, 2},
        {"RelayCloseAction", 9, 2, 152, -1, 7},
        {"RelayCloseAction", 23, 3, 380, -1, 10},
        {"RelayHoldStatus", 2, 1, 36, 7, 1},
        {"RelayHoldStatus", 23, 3, 380, 7, 1},
        {"RelayOpenAction", 0, 0, 1, -1, 9},
        {"RelayOpenAction", 2, 1, 37, -1, 1},
        {"RelayOpenAction", 23, 3, 381, -1, 5},
        {"InputDisableClosed", 0, 0, 384, 0, 1},
        {"InputDisableClosed", 9, 2, 391, 1, 1},
        {"InputDisableClosed", 15, 1, 388, 7, 1},
        {"InputDisableClosed", 16, 5, 401, 0, 1},
        {"InputDisableClosed", 23, 23, 455, 7, 1},
        {"InputDisableOpen", 0, 0, 896, 0, 1},
        {"InputDisableOpen", 23, 0, 898, 7, 1},
        {"InputDisableOpen", 8, 10, 927, 0, 1},
        {"InputDisableOpen", 23, 23, 967, 7, 1},
        {"RelayPowerOn", 0, 0, 456, -1, 4},
        {"RelayPowerOn", 3, 0, 459, -1, 2},
        {"PhotocellFilter", 0, 0, 460, -1, 1},
        {"PhotocellFilter", 1, 0, 461, -1, 1},
        {"PhotocellOffLevel", 0, 0, 464, -1, 200},
        {"PhotocellOffLevel", 1, 2, 470, -1, 17},
        {"PhotocellOffLevel", 1, 3, 471, -1, 255},
        {"PhotocellOnLevel", 0, 0, 472, -1, 1},
        {"PhotocellOnLevel", 1, 3, 479, -1, 128},
        {"DimmerPowerOnLevel", 0, 0, 480, -1, 55},
        {"DimmerPowerOnLevel", 3, 0, 492, -1, 99},
        {"DimmerMinLevel", 0, 0, 481, -1, 101},
        {"DimmerMinLevel", 3, 0, 493, -1, 2},
        {"DimmerMaxLevel", 0, 0, 482, -1, 50},
        {"DimmerMaxLevel", 3, 0, 494, -1, 101},
        {"DimmerFadeRate", 0, 0, 483, -1, 16},
        {"DimmerFadeRate", 3, 0, 495, -1, 42},
        {"PilotLight", 0, 0, 496, -1, 9},
        {"PilotLight", 1, 3, 505, -1, 4},
        {"PilotLight", 1, 5, 507, -1, 1},
        {"TimedOffAlert", 0, 0, 510, -1, 97},
        {"ComPort", 0, 0, 511, -1, 7},
        {"DimmerControl", 0, 0, 512, -1, 104},
        {"DimmerControl", 4, 1, 563, -1, 54},
        {"DimmerControl", 23, 3, 797, -1, 3},
        {"DimmerControlFadeRate", 0, 0, 513, -1, 1},
        {"DimmerControlFadeRate", 23, 3, 798, -1, 1},
        {"DimmerRevert", 0, 0, 514, -1, 121},
        {"DimmerRevert", 23, 3, 799, -1, 2},
        {"ScaleLevel1", 0, 0, 800, -1, 255},
        {"ScaleLevel1", 0, 1, 806, -1, 30},
        {"ScaleLevel1", 1, 3, 842, -1, 31},
        {"ScaleLevel2", 1, 3, 843, -1, 32},
        {"ScaleLevel3", 1, 3, 844, -1, 33},
        {"ScaleOutput1", 1, 3, 845, -1, 34},
        {"ScaleOutput2", 1, 3, 846, -1, 35},
        {"ScaleOutput3", 0, 1, 811, -1, 100},
        {"ScaleOutput3", 1, 3, 847, -1, 36},
        {"ScaleTarget", 0, 0, 848, -1, 128},
        {"ScaleTarget", 1, 3, 855, -1, 240},
        {"PhotocellTracking", 0, 0, 856, -1, 1},
        {"PhotocellTracking", 0, 2, 858, -1, 2},
        {"PhotocellTracking", 1, 3, 863, -1, 3},
    };
    for (const Row &r : rows)
        QTest::addRow("%s(%d,%d)", r.field, r.a, r.b)
            << QString::fromLatin1(r.field) << r.a << r.b << r.word << r.bit << r.value;
}

void AccessorTest::singleWordField_storesInItsWordOnly()
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

    // The reader looks at its own word: a neighbour's content does not leak in.
    modOVMXConfig other;
    for (int w = 0; w < modOVMXConfig::WordCount; ++w)
        if (w != word)
            other.SetWord(w, 255);
    QCOMPARE(acc.get(other, a, b), 0);
}

void AccessorTest::splitField_storesHighThenLowWord_data()
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

void AccessorTest::splitField_storesHighThenLowWord()
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

void AccessorTest::closeActionWithHoldBit_readsBothParts()
{
    modOVMXConfig doc;
    doc.SetWord(16 * 5 + 4 * 2, 131);
    QCOMPARE(doc.GetRelayCloseAction(5, 2), 3);
    QVERIFY(doc.GetRelayHoldStatus(5, 2));
}

void AccessorTest::closeActionWrite_keepsHoldBit()
{
    modOVMXConfig doc;
    doc.SetWord(16 * 5 + 4 * 2, 131);
    doc.SetRelayCloseAction(5, 2, 5);
    QCOMPARE(doc.GetWord(16 * 5 + 4 * 2), 133);
}

void AccessorTest::holdClear_alsoClearsHighByte()
{
    modOVMXConfig doc;
    doc.SetWord(16 * 7 + 4 * 1, 0x0183);
    doc.SetRelayHoldStatus(7, 1, false);
    QCOMPARE(doc.GetWord(16 * 7 + 4 * 1), 0x0003);
}

void AccessorTest::holdSet_keepsCloseAction()
{
    modOVMXConfig doc;
    doc.SetRelayCloseAction(1, 3, 2);
    doc.SetRelayHoldStatus(1, 3, true);
    QCOMPARE(doc.GetWord(16 + 12), 130);
    QCOMPARE(doc.GetRelayCloseAction(1, 3), 2);
}

void AccessorTest::openAction_readsWholeWord()
{
    modOVMXConfig doc;
    doc.SetWord(37, 300);
    QCOMPARE(doc.GetRelayOpenAction(2, 1), 300);
}

void AccessorTest::bitClear_keepsOtherLowBits()
{
    modOVMXConfig doc;
    doc.SetWord(391, 0xFF);
    doc.SetInputDisableClosed(9, 2, false);
    QCOMPARE(doc.GetWord(391), 0xFD);
    doc.SetInputDisableClosed(9, 2, true);
    QCOMPARE(doc.GetWord(391), 0xFF);
}

void AccessorTest::everyWriter_setsModifiedEvenForSameValue()
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

void AccessorTest::freshDocument_readsZeroEverywhere()
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

QTEST_GUILESS_MAIN(AccessorTest)
#include "tst_accessors.moc"
