#include "FakePrompts.h"
#include "SettingsTestKit.h"

#include <QGroupBox>

using namespace SettingsTestKit;

class tst_relay_power_on : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void frames_holdTheirRelay_data();
    void frames_holdTheirRelay();
    void everyList_offersTheFiveOptions();
    void newConfiguration_showsNoChange();
    void storedValues_areSelected();
    void choosingEntry_writesWordAndMarksModified_data();
    void choosingEntry_writesWordAndMarksModified();
    void valueOutsideList_showsNothingUntilChosen();

private:
    modOVMXConfig m_doc;
    FakePrompts m_prompts;
    std::unique_ptr<QDialog> m_dialog;
    QComboBox *list(int r)
    {
        return child<QComboBox>(m_dialog.get(), QString("cboRlyPowerOn_%1").arg(r));
    }
    void open()
    {
        m_dialog = makeDialog("frmRelayPowerOn", m_doc, m_prompts);
        m_dialog->show();
    }
};

void tst_relay_power_on::init()
{
    m_dialog.reset();
    m_doc = modOVMXConfig();
    startClean(m_doc);
}

void tst_relay_power_on::frames_holdTheirRelay_data()
{
    QTest::addColumn<QString>("frame");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("relay");
    QTest::newRow("1") << "frmRelay1"
                       << "Relay 1" << 0;
    QTest::newRow("2") << "frmRelay2"
                       << "Relay 2" << 1;
    QTest::newRow("3") << "frmRelay3"
                       << "Relay 3" << 2;
    QTest::newRow("4") << "Frame4"
                       << "Relay 4" << 3;
}

void tst_relay_power_on::frames_holdTheirRelay()
{
    QFETCH(QString, frame);
    QFETCH(QString, caption);
    QFETCH(int, relay);
    open();
    auto *box = child<QGroupBox>(m_dialog.get(), frame);
    QCOMPARE(box->title(), caption);
    QVERIFY(box->isAncestorOf(list(relay)));
}

void tst_relay_power_on::everyList_offersTheFiveOptions()
{
    open();
    const QStringList expected = {"No Change", "Turn Off", "Turn On",
                                  "Turn Off If HW Input 1 is closed",
                                  "Turn On If HW Input 1 is closed"};
    for (int r = 0; r < 4; ++r)
        QCOMPARE(entries(list(r)), expected);
}

void tst_relay_power_on::newConfiguration_showsNoChange()
{
    open();
    for (int r = 0; r < 4; ++r)
        QCOMPARE(list(r)->currentText(), QString("No Change"));
}

void tst_relay_power_on::storedValues_areSelected()
{
    for (int r = 0; r < 4; ++r)
        m_doc.SetRelayPowerOn(r, r + 1);
    open();
    QCOMPARE(list(0)->currentText(), QString("Turn Off"));
    QCOMPARE(list(1)->currentText(), QString("Turn On"));
    QCOMPARE(list(2)->currentText(), QString("Turn Off If HW Input 1 is closed"));
    QCOMPARE(list(3)->currentText(), QString("Turn On If HW Input 1 is closed"));
}

void tst_relay_power_on::choosingEntry_writesWordAndMarksModified_data()
{
    QTest::addColumn<int>("relay");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("word");
    QTest::newRow("relay 1 turn on") << 0 << 2 << 456;
    QTest::newRow("relay 3 last") << 2 << 4 << 458;
    QTest::newRow("relay 4 back to no change") << 3 << 0 << 459;
}

void tst_relay_power_on::choosingEntry_writesWordAndMarksModified()
{
    QFETCH(int, relay);
    QFETCH(int, position);
    QFETCH(int, word);
    m_doc.SetRelayPowerOn(3, 1);
    m_doc.ConfigModified = false;
    modOVMXConfig::Image expected = m_doc.image();
    expected[word] = static_cast<int16_t>(position);
    open();
    chooseEntry(list(relay), position);
    QVERIFY(m_doc.image() == expected);
    QVERIFY(m_doc.ConfigModified);
}

void tst_relay_power_on::valueOutsideList_showsNothingUntilChosen()
{
    m_doc.SetWord(457, 5);
    m_doc.ConfigModified = false;
    open();
    QCOMPARE(list(1)->currentIndex(), -1);
    QCOMPARE(list(1)->currentText(), QString());
    QCOMPARE(m_doc.GetWord(457), 5);
    QVERIFY(!m_doc.ConfigModified);
    QTest::keyClick(list(1), Qt::Key_Down);
    QCOMPARE(m_doc.GetWord(457), 0);
    QVERIFY(m_doc.ConfigModified);
}

QTEST_MAIN(tst_relay_power_on)
#include "tst_relay_power_on.moc"
