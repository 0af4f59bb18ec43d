#include "FakePrompts.h"
#include "SettingsTestKit.h"

#include <QGroupBox>

using namespace SettingsTestKit;

class tst_pilots : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void frames_holdSixListsEach();
    void lists_offerTenEntriesOfTheirSwitch_data();
    void lists_offerTenEntriesOfTheirSwitch();
    void newConfiguration_showsOn();
    void storedValues_areSelectedOnActivation();
    void beforeActivation_userInputWritesNothing();
    void choosingEntry_writesWordAndMarksModified_data();
    void choosingEntry_writesWordAndMarksModified();
    void choosingInOneStation_leavesTheOtherStationsListAlone();
    void valueOutsideList_showsNothingUntilChosen();

private:
    modOVMXConfig m_doc;
    FakePrompts m_prompts;
    std::unique_ptr<QDialog> m_dialog;
    QComboBox *list(int k)
    {
        return child<QComboBox>(m_dialog.get(), QString("cboTBPilot_%1").arg(k));
    }
    void open()
    {
        m_dialog = makeDialog("frmPilots", m_doc, m_prompts);
        m_dialog->show();
    }
};

void tst_pilots::init()
{
    m_dialog.reset();
    m_doc = modOVMXConfig();
    startClean(m_doc);
}

void tst_pilots::frames_holdSixListsEach()
{
    open();
    auto *first = child<QGroupBox>(m_dialog.get(), "frmTB1Pilots");
    auto *second = child<QGroupBox>(m_dialog.get(), "frmTB2Pilots");
    QCOMPARE(first->title(), QString("Tamberline 01 Pilots"));
    QCOMPARE(second->title(), QString("Tamberline 02 Pilots"));
    for (int k = 0; k < 12; ++k)
        QVERIFY((k < 6 ? first : second)->isAncestorOf(list(k)));
}

void tst_pilots::lists_offerTenEntriesOfTheirSwitch_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<QString>("n");
    for (int k = 0; k < 12; ++k)
        QTest::addRow("cboTBPilot(%d)", k) << k << QString::number(k % 6 + 1);
}

void tst_pilots::lists_offerTenEntriesOfTheirSwitch()
{
    QFETCH(int, k);
    QFETCH(QString, n);
    open();
    const QString head = "Pilot " + n;
    QCOMPARE(entries(list(k)),
             QStringList({head + " = On", head + " = Off", head + " = Relay 1 On",
                          head + " = Relay 1 Off", head + " = Relay 2 On", head + " = Relay 2 Off",
                          head + " = Relay 3 On", head + " = Relay 3 Off", head + " = Relay 4 On",
                          head + " = Relay 4 Off"}));
}

void tst_pilots::newConfiguration_showsOn()
{
    open();
    for (int k = 0; k < 12; ++k)
        QCOMPARE(list(k)->currentText(), QString("Pilot %1 = On").arg(k % 6 + 1));
}

void tst_pilots::storedValues_areSelectedOnActivation()
{
    m_doc.SetPilotLight(0, 1, 3);
    m_doc.SetPilotLight(1, 5, 9);
    open();
    QCOMPARE(list(1)->currentText(), QString("Pilot 2 = Relay 1 Off"));
    QCOMPARE(list(11)->currentText(), QString("Pilot 6 = Relay 4 Off"));
    QCOMPARE(list(5)->currentText(), QString("Pilot 6 = On"));
}

void tst_pilots::beforeActivation_userInputWritesNothing()
{
    m_dialog = makeDialog("frmPilots", m_doc, m_prompts);
    const modOVMXConfig::Image before = m_doc.image();
    QTest::keyClick(list(2), Qt::Key_Down);
    QVERIFY(m_doc.image() == before);
    QVERIFY(!m_doc.ConfigModified);
}

void tst_pilots::choosingEntry_writesWordAndMarksModified_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("word");
    QTest::newRow("station 01 switch 1") << 0 << 1 << 496;
    QTest::newRow("station 01 switch 6") << 5 << 9 << 501;
    QTest::newRow("station 02 switch 4") << 9 << 4 << 505;
    QTest::newRow("station 02 switch 6") << 11 << 7 << 507;
}

void tst_pilots::choosingEntry_writesWordAndMarksModified()
{
    QFETCH(int, k);
    QFETCH(int, position);
    QFETCH(int, word);
    modOVMXConfig::Image expected = m_doc.image();
    expected[word] = static_cast<int16_t>(position);
    open();
    chooseEntry(list(k), position);
    QVERIFY(m_doc.image() == expected);
    QVERIFY(m_doc.ConfigModified);
}

void tst_pilots::choosingInOneStation_leavesTheOtherStationsListAlone()
{
    open();
    chooseEntry(list(3), 6);
    QCOMPARE(list(3)->currentText(), QString("Pilot 4 = Relay 3 On"));
    QCOMPARE(list(9)->currentText(), QString("Pilot 4 = On"));
    QCOMPARE(entries(list(9)).size(), 10);
    QCOMPARE(m_doc.GetPilotLight(1, 3), 0);
}

void tst_pilots::valueOutsideList_showsNothingUntilChosen()
{
    m_doc.SetPilotLight(1, 0, 10);
    m_doc.ConfigModified = false;
    open();
    QCOMPARE(list(6)->currentIndex(), -1);
    QCOMPARE(m_doc.GetPilotLight(1, 0), 10);
    QVERIFY(!m_doc.ConfigModified);
    chooseEntry(list(6), 2);
    QCOMPARE(m_doc.GetPilotLight(1, 0), 2);
}

QTEST_MAIN(tst_pilots)
#include "tst_pilots.moc"
