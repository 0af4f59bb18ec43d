#include "FakePrompts.h"
#include "SettingsTestKit.h"

#include <QGroupBox>

using namespace SettingsTestKit;

class tst_dimmer_settings : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void frames_holdTheirDimmersLists();
    void lists_haveTheirEntries_data();
    void lists_haveTheirEntries();
    void newConfiguration_shows100_0_100_0Seconds();
    void storedValues_areSelected();
    void choosingEntry_writesWordAndMarksModified_data();
    void choosingEntry_writesWordAndMarksModified();
    void minimumAboveMaximum_isStoredAsChosen();
    void valueOutsideList_showsNothingUntilChosen();

private:
    modOVMXConfig m_doc;
    FakePrompts m_prompts;
    std::unique_ptr<QDialog> m_dialog;
    QComboBox *list(const QString &name, int d)
    {
        return child<QComboBox>(m_dialog.get(), QString("%1_%2").arg(name).arg(d));
    }
    void open()
    {
        m_dialog = makeDialog("frmDimmerSettings", m_doc, m_prompts);
        m_dialog->show();
    }
};

void tst_dimmer_settings::init()
{
    m_dialog.reset();
    m_doc = modOVMXConfig();
    startClean(m_doc);
}

void tst_dimmer_settings::frames_holdTheirDimmersLists()
{
    open();
    for (int d = 0; d < 4; ++d) {
        auto *frame = child<QGroupBox>(m_dialog.get(), QString("frmDim%1").arg(d + 1));
        QCOMPARE(frame->title(), QString("Dimmer %1").arg(d + 1));
        for (const char *name :
             {"cboDimPowerOn", "cboDimMinLevel", "cboDimMaxLevel", "cboDimFadeRate"})
            QVERIFY(frame->isAncestorOf(list(name, d)));
    }
}

void tst_dimmer_settings::lists_haveTheirEntries_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("count");
    QTest::addColumn<QList<int>>("positions");
    QTest::addColumn<QStringList>("texts");
    QTest::newRow("power on") << "cboDimPowerOn" << 101 << QList<int>{0, 1, 50, 100}
                              << QStringList{"Power On Level: 0%", "Power On Level: 1%",
                                             "Power On Level: 50%", "Power On Level: 100%"};
    QTest::newRow("minimum") << "cboDimMinLevel" << 102 << QList<int>{0, 1, 2, 51, 101}
                             << QStringList{"Min Level: Photocell", "Min Level: 0%",
                                            "Min Level: 1%", "Min Level: 50%", "Min Level: 100%"};
    QTest::newRow("maximum") << "cboDimMaxLevel" << 102 << QList<int>{0, 1, 101}
                             << QStringList{"Max Level: Photocell", "Max Level: 0%",
                                            "Max Level: 100%"};
    QTest::newRow("fade rate") << "cboDimFadeRate" << 43 << QList<int>{0, 1, 15, 16, 17, 42}
                               << QStringList{"Fade Rate: 0 Sec",  "Fade Rate: 2 Sec",
                                              "Fade Rate: 30 Sec", "Fade Rate: 40 Sec",
                                              "Fade Rate: 50 Sec", "Fade Rate: 300 Sec"};
}

void tst_dimmer_settings::lists_haveTheirEntries()
{
    QFETCH(QString, name);
    QFETCH(int, count);
    QFETCH(QList<int>, positions);
    QFETCH(QStringList, texts);
    open();
    for (int d = 0; d < 4; ++d) {
        const QStringList all = entries(list(name, d));
        QCOMPARE(all.size(), count);
        for (int n = 0; n < positions.size(); ++n)
            QCOMPARE(all.at(positions[n]), texts[n]);
    }
}

void tst_dimmer_settings::newConfiguration_shows100_0_100_0Seconds()
{
    open();
    for (int d = 0; d < 4; ++d) {
        QCOMPARE(list("cboDimPowerOn", d)->currentText(), QString("Power On Level: 100%"));
        QCOMPARE(list("cboDimMinLevel", d)->currentText(), QString("Min Level: 0%"));
        QCOMPARE(list("cboDimMaxLevel", d)->currentText(), QString("Max Level: 100%"));
        QCOMPARE(list("cboDimFadeRate", d)->currentText(), QString("Fade Rate: 0 Sec"));
    }
}

void tst_dimmer_settings::storedValues_areSelected()
{
    m_doc.SetDimmerPowerOnLevel(1, 37);
    m_doc.SetDimmerMinLevel(2, 0);
    m_doc.SetDimmerMaxLevel(3, 76);
    m_doc.SetDimmerFadeRate(0, 16);
    open();
    QCOMPARE(list("cboDimPowerOn", 1)->currentText(), QString("Power On Level: 37%"));
    QCOMPARE(list("cboDimMinLevel", 2)->currentText(), QString("Min Level: Photocell"));
    QCOMPARE(list("cboDimMaxLevel", 3)->currentText(), QString("Max Level: 75%"));
    QCOMPARE(list("cboDimFadeRate", 0)->currentText(), QString("Fade Rate: 40 Sec"));
}

void tst_dimmer_settings::choosingEntry_writesWordAndMarksModified_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("dimmer");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("word");
    QTest::addColumn<QString>("shown");
    QTest::newRow("power on 0%") << "cboDimPowerOn" << 0 << 0 << 480 << "Power On Level: 0%";
    QTest::newRow("min photocell") << "cboDimMinLevel" << 1 << 0 << 485 << "Min Level: Photocell";
    QTest::newRow("min 0%") << "cboDimMinLevel" << 2 << 1 << 489 << "Min Level: 0%";
    QTest::newRow("max 99%") << "cboDimMaxLevel" << 3 << 100 << 494 << "Max Level: 99%";
    QTest::newRow("fade 40 s") << "cboDimFadeRate" << 0 << 16 << 483 << "Fade Rate: 40 Sec";
    QTest::newRow("fade 300 s") << "cboDimFadeRate" << 3 << 42 << 495 << "Fade Rate: 300 Sec";
}

void tst_dimmer_settings::choosingEntry_writesWordAndMarksModified()
{
    QFETCH(QString, name);
    QFETCH(int, dimmer);
    QFETCH(int, position);
    QFETCH(int, word);
    QFETCH(QString, shown);
    modOVMXConfig::Image expected = m_doc.image();
    expected[word] = static_cast<int16_t>(position);
    open();
    chooseEntry(list(name, dimmer), position);
    QCOMPARE(list(name, dimmer)->currentText(), shown);
    QVERIFY(m_doc.image() == expected);
    QVERIFY(m_doc.ConfigModified);
}

void tst_dimmer_settings::minimumAboveMaximum_isStoredAsChosen()
{
    open();
    chooseEntry(list("cboDimMaxLevel", 1), 21);
    chooseEntry(list("cboDimMinLevel", 1), 81);
    QCOMPARE(m_doc.GetDimmerMaxLevel(1), 21);
    QCOMPARE(m_doc.GetDimmerMinLevel(1), 81);
    QCOMPARE(list("cboDimMinLevel", 1)->currentText(), QString("Min Level: 80%"));
}

void tst_dimmer_settings::valueOutsideList_showsNothingUntilChosen()
{
    m_doc.SetDimmerFadeRate(2, 43);
    m_doc.SetDimmerPowerOnLevel(0, 101);
    m_doc.ConfigModified = false;
    const modOVMXConfig::Image before = m_doc.image();
    open();
    QCOMPARE(list("cboDimFadeRate", 2)->currentIndex(), -1);
    QCOMPARE(list("cboDimPowerOn", 0)->currentIndex(), -1);
    QVERIFY(m_doc.image() == before);
    QVERIFY(!m_doc.ConfigModified);
    chooseEntry(list("cboDimFadeRate", 2), 5);
    QCOMPARE(m_doc.GetDimmerFadeRate(2), 5);
    QCOMPARE(m_doc.GetDimmerPowerOnLevel(0), 101);
}

QTEST_MAIN(tst_dimmer_settings)
#include "tst_dimmer_settings.moc"
