#include "modOVMXConfig.h"

#include <QTemporaryDir>
#include <QTest>

#include <map>

// The words a new configuration holds, written out word by word: everything else is zero.
static std::map<int, int> expectedDefaults()
{
    std::map<int, int> words = {{509, 115}, {510, 3}, {460, 1}, {461, 1}};
    for (int d = 0; d < 4; ++d) {
        words[480 + 4 * d] = 100; // power-on level
        words[481 + 4 * d] = 1;   // minimum 0 %
        words[482 + 4 * d] = 101; // maximum 100 %
        for (int p = 0; p < 2; ++p) {
            const int curve = 800 + 24 * p + 6 * d;
            words[curve] = 255;
            words[curve + 1] = 128;
            words[curve + 3] = 0;
            words[curve + 4] = 50;
            words[curve + 5] = 100;
        }
    }
    return words;
}

class NewConfigurationTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void newConfiguration_holdsExactlyTheDefaultWords();
    void defaults_readThroughTheirAccessors_data();
    void defaults_readThroughTheirAccessors();
    void dirtyDocument_isResetWhole();
    void newConfiguration_leavesModifiedAndNoName();
    void readAndWrite_doNotTouchModified_data();
    void readAndWrite_doNotTouchModified();
};

void NewConfigurationTest::newConfiguration_holdsExactlyTheDefaultWords()
{
    modOVMXConfig doc;
    doc.NewConfiguration();
    const auto expected = expectedDefaults();
    QCOMPARE(expected.size(), size_t(4 + 4 * 3 + 8 * 5));
    for (int w = 0; w < modOVMXConfig::WordCount; ++w) {
        const auto it = expected.find(w);
        QCOMPARE(QStringLiteral("word %1 = %2").arg(w).arg(doc.GetWord(w)),
                 QStringLiteral("word %1 = %2").arg(w).arg(it == expected.end() ? 0 : it->second));
    }
}

void NewConfigurationTest::defaults_readThroughTheirAccessors_data()
{
    QTest::addColumn<int>("actual");
    QTest::addColumn<int>("expected");
    modOVMXConfig doc;
    doc.NewConfiguration();
    QTest::newRow("alert 5 minutes") << int(doc.GetTimedOffAlert()) << 3;
    QTest::newRow("override 120 minutes") << doc.GetTimedOffOverride() << 115;
    QTest::newRow("port COM1") << int(doc.GetComPort()) << 0;
    for (int d = 0; d < 4; ++d) {
        QTest::addRow("dimmer %d power-on 100%%", d) << int(doc.GetDimmerPowerOnLevel(d)) << 100;
        QTest::addRow("dimmer %d minimum 0%%", d) << int(doc.GetDimmerMinLevel(d)) << 1;
        QTest::addRow("dimmer %d maximum 100%%", d) << int(doc.GetDimmerMaxLevel(d)) << 101;
        QTest::addRow("dimmer %d fade 0 s", d) << int(doc.GetDimmerFadeRate(d)) << 0;
        QTest::addRow("relay %d no change", d) << int(doc.GetRelayPowerOn(d)) << 0;
        for (int p = 0; p < 2; ++p) {
            QTest::addRow("curve %d/%d point 1 level", p, d)
                << int(doc.GetScaleLevel1(p, d)) << 255;
            QTest::addRow("curve %d/%d point 1 output", p, d)
                << int(doc.GetScaleOutput1(p, d)) << 0;
            QTest::addRow("curve %d/%d point 2 level", p, d)
                << int(doc.GetScaleLevel2(p, d)) << 128;
            QTest::addRow("curve %d/%d point 2 output", p, d)
                << int(doc.GetScaleOutput2(p, d)) << 50;
            QTest::addRow("curve %d/%d point 3 level", p, d) << int(doc.GetScaleLevel3(p, d)) << 0;
            QTest::addRow("curve %d/%d point 3 output", p, d)
                << int(doc.GetScaleOutput3(p, d)) << 100;
            QTest::addRow("tracking %d/%d disabled", p, d)
                << int(doc.GetPhotocellTracking(p, d)) << 0;
        }
    }
    for (int p = 0; p < 2; ++p)
        QTest::addRow("photocell %d 30 s filter", p) << int(doc.GetPhotocellFilter(p)) << 1;
}

void NewConfigurationTest::defaults_readThroughTheirAccessors()
{
    QFETCH(int, actual);
    QFETCH(int, expected);
    QCOMPARE(actual, expected);
}

void NewConfigurationTest::dirtyDocument_isResetWhole()
{
    modOVMXConfig doc;
    for (int w = 0; w < modOVMXConfig::WordCount; ++w)
        doc.SetWord(w, 0x5A5A);
    doc.DataFileName = QStringLiteral("/somewhere/old.OMX");
    doc.NewConfiguration();
    modOVMXConfig fresh;
    fresh.NewConfiguration();
    QVERIFY(doc.image() == fresh.image());
    QCOMPARE(doc.GetWord(462), 0);
    QCOMPARE(doc.GetWord(1023), 0);
}

void NewConfigurationTest::newConfiguration_leavesModifiedAndNoName()
{
    modOVMXConfig doc;
    doc.DataFileName = QStringLiteral("/x/y.OMX");
    QVERIFY(!doc.ConfigModified);
    doc.NewConfiguration();
    QVERIFY(doc.ConfigModified);
    QCOMPARE(doc.DataFileName, QStringLiteral("None"));
}

void NewConfigurationTest::readAndWrite_doNotTouchModified_data()
{
    QTest::addColumn<bool>("modified");
    QTest::newRow("clean") << false;
    QTest::newRow("modified") << true;
}

void NewConfigurationTest::readAndWrite_doNotTouchModified()
{
    QFETCH(bool, modified);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    modOVMXConfig doc;
    doc.NewConfiguration();
    doc.DataFileName = dir.filePath(QStringLiteral("a.OMX"));
    doc.ConfigModified = modified;
    QVERIFY(doc.WriteDataFile().ok);
    QCOMPARE(doc.ConfigModified, modified);
    QVERIFY(doc.ReadDataFile().ok);
    QCOMPARE(doc.ConfigModified, modified);
}

QTEST_GUILESS_MAIN(NewConfigurationTest)
#include "tst_newconfig.moc"
