#include "ConnectRig.h"
#include "MainWindowDriver.h"
#include "modOVMXCommunications.h"

// The port list, Connect and its layout switch, losing the line, closing, the window from the
// main screen, every field of the status reply and the manual output commands.
class tst_frmConnect : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { m_home = std::make_unique<IsolatedHome>(); }
    void init() { m_rig = std::make_unique<ConnectRig>(); }
    void cleanup() { m_rig.reset(); }

    void open_storedPort_selectedAndModified_data();
    void open_storedPort_selectedAndModified();
    void choosePort_byUser_storesPositionAndOpensIt();
    void connect_data();
    void connect();
    void connect_missingPort_reportsReasonAndStaysUnconnected();
    void lineLost_closesPortAndWindowWithMessage_data();
    void lineLost_closesPortAndWindowWithMessage();
    void timer_everyQuarterSecond_showsNewState();
    void close_afterConnect_stopsPollAndClosesPort_data();
    void close_afterConnect_stopsPollAndClosesPort();
    void mainScreen_connectWithoutComm_opensNothingButRefreshes();
    void beforeFirstPoll_everyValueDash();
    void statusField_shownWithColour_data();
    void statusField_shownWithColour();
    void modelBit_showsOrHidesThirdAndFourthOutputs_data();
    void modelBit_showsOrHidesThirdAndFourthOutputs();
    void outputButton_sendsItsCommand_data();
    void outputButton_sendsItsCommand();
    void dimmerButton_refusedWhenNetworkedOrUnknown_data();
    void dimmerButton_refusedWhenNetworkedOrUnknown();

private:
    void poll(const QByteArray &payload)
    {
        QVERIFY(m_rig->open());
        m_rig->click(QStringLiteral("cmdConnect"));
        m_rig->port.statusPayload = payload;
        m_rig->window->Timer1_Timer();
        QVERIFY(m_rig->window->isConnected());
    }
    std::unique_ptr<IsolatedHome> m_home;
    std::unique_ptr<ConnectRig> m_rig;
};

void tst_frmConnect::open_storedPort_selectedAndModified_data()
{
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("index"); // -1: outside the list, nothing selected, nothing changed
    QTest::newRow("COM1") << 0 << 0;
    QTest::newRow("COM8") << 7 << 7;
    QTest::newRow("COM10") << 9 << -1;
}

void tst_frmConnect::open_storedPort_selectedAndModified()
{
    QFETCH(int, stored);
    QFETCH(int, index);
    m_rig->doc.SetComPort(stored);
    m_rig->doc.ConfigModified = false;
    QVERIFY(m_rig->open());
    auto *list = m_rig->child<QComboBox>(QStringLiteral("cboComPort"));
    QCOMPARE(list->count(), 8);
    QCOMPARE(list->itemText(7), QStringLiteral("COM8"));
    QCOMPARE(list->currentIndex(), index);
    QCOMPARE(m_rig->doc.ConfigModified, index >= 0);
    QCOMPARE(m_rig->doc.GetComPort(), stored);
    QCOMPARE(m_rig->child<QPushButton>(QStringLiteral("cmdConnect"))->isEnabled(), index >= 0);
    if (index >= 0)
        QCOMPARE(m_rig->text(QStringLiteral("lblDevice")),
                 QStringLiteral("simulated controller (COM%1)").arg(stored + 1));
    for (const char *hidden : {"frmStatus", "cmdDownload", "lblVerify"})
        QVERIFY2(!m_rig->visible(QLatin1String(hidden)), hidden);
    QVERIFY(m_rig->visible(QStringLiteral("cmdClose")));
}

void tst_frmConnect::choosePort_byUser_storesPositionAndOpensIt()
{
    m_rig->doc.SetComPort(9);
    QVERIFY(m_rig->open());
    auto *list = m_rig->child<QComboBox>(QStringLiteral("cboComPort"));
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(list->currentText(), QStringLiteral("COM3"));
    QCOMPARE(m_rig->doc.GetComPort(), 2);
    QVERIFY(m_rig->doc.ConfigModified);
    m_rig->click(QStringLiteral("cmdConnect"));
    QCOMPARE(m_rig->port.openedPort(), 3);
}

void tst_frmConnect::connect_data()
{
    QTest::addColumn<bool>("controllerDiffers");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("equal") << false << "Settings Are Equal" << QColor(128, 255, 128);
    QTest::newRow("not equal") << true << "Settings Are  Not Equal" << QColor(255, 128, 128);
}

void tst_frmConnect::connect()
{
    QFETCH(bool, controllerDiffers);
    if (controllerDiffers)
        m_rig->sim.memory[700] = 9;
    QVERIFY(m_rig->open());
    m_rig->click(QStringLiteral("cmdConnect"));
    QVERIFY(m_rig->window->isConnected());
    QVERIFY(m_rig->comm.PortOpen());
    QTEST(m_rig->text(QStringLiteral("lblVerify")), "caption");
    QTEST(ConnectColours::background(m_rig->child<QLabel>(QStringLiteral("lblVerify"))), "colour");
    QCOMPARE(m_rig->visible(QStringLiteral("cmdDifferences")), controllerDiffers);
    for (const char *shown : {"lblVerify", "frmStatus", "cmdDownload", "cmdUpload", "cmdClose"})
        QVERIFY2(m_rig->visible(QLatin1String(shown)), shown);
    for (const char *hidden : {"cboComPort", "cmdConnect"})
        QVERIFY2(!m_rig->visible(QLatin1String(hidden)), hidden);
    QVERIFY(m_rig->window->timer()->isActive());
    QCOMPARE(m_rig->window->timer()->interval(), 250);
    QVERIFY(m_rig->prompts.calls.isEmpty());
}

void tst_frmConnect::connect_missingPort_reportsReasonAndStaysUnconnected()
{
    m_rig->port.setPorts({1});
    m_rig->doc.SetComPort(1);
    QVERIFY(m_rig->open());
    m_rig->click(QStringLiteral("cmdConnect"));
    QVERIFY(!m_rig->window->isConnected());
    QCOMPARE(m_rig->prompts.calls.size(), 1);
    QCOMPARE(m_rig->prompts.last().title, QStringLiteral("Port Error"));
    QCOMPARE(m_rig->prompts.last().text, QStringLiteral("Unable To Open Port"));
    QCOMPARE(m_rig->prompts.last().icon, Prompts::Icon::Critical);
    auto *reason = m_rig->child<QLabel>(QStringLiteral("lblPortError"));
    QVERIFY(reason->isVisible());
    QCOMPARE(reason->text(), QStringLiteral("simulated controller (COM2) is missing"));
    QVERIFY(m_rig->visible(QStringLiteral("cmdConnect")));
    QVERIFY(!m_rig->visible(QStringLiteral("frmStatus")));
    QVERIFY(!m_rig->window->timer()->isActive());
    // Another port, and the user is through.
    auto *list = m_rig->child<QComboBox>(QStringLiteral("cboComPort"));
    list->setCurrentIndex(0);
    Q_EMIT list->activated(0);
    QVERIFY(!reason->isVisible());
    m_rig->click(QStringLiteral("cmdConnect"));
    QVERIFY(m_rig->window->isConnected());
}

void tst_frmConnect::lineLost_closesPortAndWindowWithMessage_data()
{
    QTest::addColumn<QString>("when"); // silent from Connect, or from a later poll or button
    QTest::newRow("at connect") << "connect";
    QTest::newRow("poll") << "poll";
    QTest::newRow("relay button") << "cmdRly2On";
}

void tst_frmConnect::lineLost_closesPortAndWindowWithMessage()
{
    QFETCH(QString, when);
    if (when == QLatin1String("connect")) {
        m_rig->fault(QStringLiteral("silent"));
        QVERIFY(m_rig->open());
        m_rig->click(QStringLiteral("cmdConnect"));
        QVERIFY(m_rig->window->isConnected()); // the first poll decides
        QCOMPARE(m_rig->text(QStringLiteral("lblVerify")),
                 QStringLiteral("Settings Are  Not Equal"));
        QVERIFY(!m_rig->visible(QStringLiteral("cmdDifferences")));
        m_rig->window->Timer1_Timer();
    } else {
        QVERIFY(m_rig->connect());
        m_rig->fault(QStringLiteral("silent"));
        if (when == QLatin1String("poll")) {
            m_rig->window->Timer1_Timer();
        } else {
            m_rig->click(when);
            QVERIFY(m_rig->port.simulatedMs() >= 1000); // the full second was waited
        }
    }
    QCOMPARE(m_rig->prompts.calls.size(), 1);
    QCOMPARE(m_rig->prompts.last().title, QStringLiteral("Communications Error"));
    QCOMPARE(m_rig->prompts.last().text, QStringLiteral("Unable To Connect To Orvandel-2"));
    QCOMPARE(m_rig->prompts.last().icon, Prompts::Icon::Critical);
    QVERIFY(!m_rig->comm.PortOpen());
    QVERIFY(!m_rig->window->timer()->isActive());
    QVERIFY(!m_rig->window->isVisible());
}

void tst_frmConnect::timer_everyQuarterSecond_showsNewState()
{
    QVERIFY(m_rig->open());
    m_rig->click(QStringLiteral("cmdConnect"));
    QTRY_COMPARE_WITH_TIMEOUT(m_rig->statusText(0), QStringLiteral("Off"), 2000);
    m_rig->sim.relays = 0x1;
    m_rig->sim.dimmers[2] = 77;
    QTRY_COMPARE_WITH_TIMEOUT(m_rig->statusText(0), QStringLiteral("On"), 2000);
    QCOMPARE(m_rig->statusText(34), QStringLiteral("77"));
}

void tst_frmConnect::close_afterConnect_stopsPollAndClosesPort_data()
{
    QTest::addColumn<bool>("byEscape");
    QTest::newRow("Close") << false;
    QTest::newRow("Escape") << true;
}

void tst_frmConnect::close_afterConnect_stopsPollAndClosesPort()
{
    QFETCH(bool, byEscape);
    QVERIFY(m_rig->connect());
    if (byEscape)
        QTest::keyClick(m_rig->window.get(), Qt::Key_Escape);
    else
        m_rig->click(QStringLiteral("cmdClose"));
    QVERIFY(!m_rig->window->isVisible());
    QVERIFY(!m_rig->comm.PortOpen());
    QVERIFY(!m_rig->window->timer()->isActive());
    QVERIFY(m_rig->prompts.calls.isEmpty());
}

void tst_frmConnect::mainScreen_connectWithoutComm_opensNothingButRefreshes()
{
    MainWindowDriver ui;
    QVERIFY(ui.show());
    ui.onDialog = [&](QDialog &) { QFAIL("nothing should open"); };
    ui.doc.SetRelayCloseAction(2, 1, 2);
    ui.doc.SetRelayOpenAction(2, 1, 1);
    ui.child<QAction>(QStringLiteral("mnuConnect"))->trigger();
    QVERIFY(ui.opened.isEmpty());
    QCOMPARE(ui.model().cellText(26), QStringLiteral("OnOff"));
}

void tst_frmConnect::beforeFirstPoll_everyValueDash()
{
    QVERIFY(m_rig->open());
    m_rig->click(QStringLiteral("cmdConnect"));
    for (int i = 0; i < frmConnect::StatusCount; ++i)
        QCOMPARE(m_rig->statusText(i), QStringLiteral("-"));
    QCOMPARE(m_rig->statusColour(4), QColor(255, 128, 128));
    QCOMPARE(m_rig->statusColour(32), QColor(255, 255, 128));
    QCOMPARE(m_rig->statusColour(0), QColor(128, 128, 128));
    auto *caption = m_rig->child<QLabel>(QStringLiteral("lblStatusName(21)"));
    QCOMPARE(caption->text(), QStringLiteral("Input 4"));
    QCOMPARE(ConnectColours::background(caption), QColor(128, 255, 255));
}

void tst_frmConnect::statusField_shownWithColour_data()
{
    QTest::addColumn<QByteArray>("payload");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QColor>("colour");
    const QColor white(255, 255, 255), grey(128, 128, 128), red(255, 128, 128),
        yellow(255, 255, 128);
    StatusText s;
    s.inputs = "2E"; // hardwired 1-4 in bits 0-3, stations 1-2 in bits 4-5
    s.station1 = "2A";
    s.station2 = "C1";
    s.unused = "F";
    s.relays = "5";
    s.dimmers = "0AFF1080";
    s.pc1 = "60";
    s.pc2 = "A0";
    s.pcInputs = "81";
    s.node = "01";
    s.firmware = "B";
    const QByteArray p = s.payload();
    QTest::newRow("station 1 down") << p << 4 << "No" << red;
    QTest::newRow("station 2 up") << p << 11 << "Yes" << white;
    QTest::newRow("hardwired 1") << p << 18 << "Off" << grey;
    QTest::newRow("hardwired 2") << p << 19 << "On" << white;
    QTest::newRow("relay 1") << p << 0 << "On" << white;
    QTest::newRow("relay 2") << p << 1 << "Off" << grey;
    QTest::newRow("relay 4, unused F ignored") << p << 3 << "Off" << grey;
    QTest::newRow("station 1 switch 2") << p << 6 << "On" << white;
    QTest::newRow("station 1 switch 3") << p << 7 << "Off" << grey;
    QTest::newRow("station 2 switch 1") << p << 12 << "On" << white;
    QTest::newRow("station 2 switch 6") << p << 17 << "Off" << grey;
    QTest::newRow("dimmer 1") << p << 32 << "10" << yellow;
    QTest::newRow("dimmer 2") << p << 33 << "255" << yellow;
    QTest::newRow("photocell 1 level") << p << 22 << "96" << yellow;
    QTest::newRow("photocell 1 in 1") << p << 24 << "On" << white;
    QTest::newRow("photocell 2 in 1") << p << 28 << "Off" << grey;
    QTest::newRow("photocell 2 in 4") << p << 31 << "On" << white;
    QTest::newRow("node") << p << 36 << "01" << yellow;
    QTest::newRow("firmware") << p << 37 << "Rev B" << yellow;
    QTest::newRow("model 80") << p << 38 << "MX-4" << yellow;
    s.model = "7F";
    QTest::newRow("model 7F") << s.payload() << 38 << "MX-2" << yellow;
}

void tst_frmConnect::statusField_shownWithColour()
{
    QFETCH(QByteArray, payload);
    QFETCH(int, index);
    QCOMPARE(payload.size(), Frames::StatusPayload);
    poll(payload);
    QTEST(m_rig->statusText(index), "text");
    QTEST(m_rig->statusColour(index), "colour");
}

void tst_frmConnect::modelBit_showsOrHidesThirdAndFourthOutputs_data()
{
    QTest::addColumn<QByteArray>("model");
    QTest::addColumn<bool>("shown");
    QTest::newRow("80 MX-4") << QByteArray("80") << true;
    QTest::newRow("7F MX-2") << QByteArray("7F") << false;
}

void tst_frmConnect::modelBit_showsOrHidesThirdAndFourthOutputs()
{
    QFETCH(QByteArray, model);
    QFETCH(bool, shown);
    StatusText status;
    status.model = model;
    status.relays = "F";
    status.dimmers = "01020304";
    poll(status.payload());
    for (const char *row :
         {"lblStatus(2)", "lblStatusName(3)", "lblStatus(34)", "lblStatusName(35)", "cmdRly3Off",
          "cmdRly4On", "cmdDim3DnB", "cmdDim4UpB"})
        QVERIFY2(m_rig->visible(QLatin1String(row)) == shown, row);
    for (const char *always : {"lblStatus(1)", "cmdRly2On", "lblStatus(33)", "cmdDim2Up"})
        QVERIFY2(m_rig->visible(QLatin1String(always)), always);
    // Hidden rows are still written.
    QCOMPARE(m_rig->statusText(3), QStringLiteral("On"));
    QCOMPARE(m_rig->statusText(35), QStringLiteral("4"));
}

void tst_frmConnect::outputButton_sendsItsCommand_data()
{
    QTest::addColumn<int>("output"); // relays 0-3, dimmers 4-7
    QTest::addColumn<int>("before");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QByteArray>("command");
    QTest::addColumn<int>("after");
    QTest::newRow("relay 1 on") << 0 << 0x4 << "cmdRly1On" << QByteArray("0201") << 0x5;
    QTest::newRow("relay 2 off") << 1 << 0xF << "cmdRly2Off" << QByteArray("0210") << 0xD;
    QTest::newRow("relay 4 on") << 3 << 0x5 << "cmdRly4On" << QByteArray("0231") << 0xD;
    QTest::newRow("250 +16 stops at FF") << 4 << 250 << "cmdDim1UpB" << QByteArray("030FF") << 255;
    QTest::newRow("10 -16 stops at 00") << 5 << 10 << "cmdDim2DnB" << QByteArray("03100") << 0;
    QTest::newRow("255 +1 sends FF again") << 6 << 255 << "cmdDim3Up" << QByteArray("032FF") << 255;
    QTest::newRow("0 -1 sends 00 again") << 7 << 0 << "cmdDim4Dn" << QByteArray("03300") << 0;
    QTest::newRow("100 -1") << 4 << 100 << "cmdDim1Dn" << QByteArray("03063") << 99;
    QTest::newRow("100 +16") << 5 << 100 << "cmdDim2UpB" << QByteArray("03174") << 116;
    QTest::newRow("9 +1") << 7 << 9 << "cmdDim4Up" << QByteArray("0330A") << 10;
}

void tst_frmConnect::outputButton_sendsItsCommand()
{
    QFETCH(int, output);
    QFETCH(int, before);
    QFETCH(QString, button);
    const bool relay = output < 4;
    auto &dimmer = m_rig->sim.dimmers[static_cast<size_t>(output % 4)];
    if (relay)
        m_rig->sim.relays = static_cast<uint8_t>(before);
    else
        dimmer = static_cast<uint8_t>(before);
    QVERIFY(m_rig->connect());
    m_rig->port.commands.clear();
    m_rig->click(button);
    QCOMPARE(m_rig->port.commands.size(), 1);
    QTEST(m_rig->port.commands.first(), "command");
    QTEST(relay ? int(m_rig->sim.relays) : int(dimmer), "after");
    QVERIFY(m_rig->prompts.calls.isEmpty());
    // The next poll shows it.
    m_rig->window->Timer1_Timer();
    QFETCH(int, after);
    const int index = relay ? output : 32 + output % 4;
    const bool on = (after >> output) & 1;
    QCOMPARE(m_rig->statusText(index),
             relay ? QString::fromLatin1(on ? "On" : "Off") : QString::number(after));
}

void tst_frmConnect::dimmerButton_refusedWhenNetworkedOrUnknown_data()
{
    QTest::addColumn<bool>("networked"); // else: clicked before the first answer
    QTest::newRow("networked node") << true;
    QTest::newRow("before the first answer") << false;
}

void tst_frmConnect::dimmerButton_refusedWhenNetworkedOrUnknown()
{
    QFETCH(bool, networked);
    if (networked) {
        m_rig->sim.node = "01";
        QVERIFY(m_rig->connect());
    } else {
        QVERIFY(m_rig->open());
        m_rig->click(QStringLiteral("cmdConnect"));
    }
    m_rig->port.commands.clear();
    for (int d = 1; d <= 4; ++d)
        for (const char *suffix : {"DnB", "Dn", "Up", "UpB"})
            m_rig->click(QStringLiteral("cmdDim%1%2").arg(d).arg(QLatin1String(suffix)));
    QVERIFY(m_rig->port.commands.isEmpty());
    QCOMPARE(m_rig->prompts.calls.size(), 16);
    QCOMPARE(m_rig->prompts.last().title, QString());
    QCOMPARE(m_rig->prompts.last().text,
             QStringLiteral("OV-2 Is Networked. Dimmer Output Levels May Not Be Controlled From "
                            "This Software"));
    QCOMPARE(m_rig->prompts.last().icon, Prompts::Icon::NoIcon);
    if (networked) { // relays still work
        m_rig->click(QStringLiteral("cmdRly1On"));
        QCOMPARE(m_rig->port.commands, QList<QByteArray>{QByteArray("0201")});
        QVERIFY(m_rig->window->isConnected());
    }
}

QTEST_MAIN(tst_frmConnect)
#include "tst_frmConnect.moc"
