#include "ConnectRig.h"
#include "MainWindowDriver.h"
#include "modOVMXCommunications.h"

// The port list, Connect and its layout switch, losing the line, closing, and the window from
// the main screen.
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
    void centred_overParent();
    void mainScreen_connectWithoutComm_opensNothingButRefreshes();
    void mainScreen_upload_showsControllerSettingsOnGrid();

private:
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

void tst_frmConnect::centred_overParent()
{
    QWidget parent;
    parent.setGeometry(100, 80, 1025, 735);
    frmConnect window(m_rig->doc, m_rig->prompts, m_rig->comm, &parent);
    const QRect main = parent.frameGeometry();
    QCOMPARE(window.pos(), QPoint(main.left() + (main.width() - window.width()) / 2,
                                  main.top() + (main.height() - window.height()) / 2));
    QCOMPARE(window.windowTitle(), QStringLiteral("Connect"));
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

void tst_frmConnect::mainScreen_upload_showsControllerSettingsOnGrid()
{
    modOVMXConfig controller;
    controller.NewConfiguration();
    controller.SetRelayCloseAction(2, 1, 2);
    controller.SetRelayOpenAction(2, 1, 1);
    controller.SetComPort(5);
    for (int w = 0; w < modOVMXConfig::WordCount; ++w)
        m_rig->sim.memory[static_cast<size_t>(w)] = static_cast<uint8_t>(controller.GetWord(w));

    MainWindowDriver ui;
    ui.window.setCommunications(&m_rig->comm);
    QVERIFY(ui.show());
    QCOMPARE(ui.model().cellText(26), QStringLiteral("-"));
    ui.prompts.script({true});
    ui.onDialog = [](QDialog &dialog) {
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        for (const char *button : {"cmdConnect", "cmdUpload"})
            QTest::mouseClick(dialog.findChild<QPushButton *>(QLatin1String(button)),
                              Qt::LeftButton);
        dialog.close();
    };
    ui.child<QAction>(QStringLiteral("mnuConnect"))->trigger();
    QCOMPARE(ui.opened.size(), 1);
    QCOMPARE(ui.opened.first().className, QStringLiteral("frmConnect"));
    QCOMPARE(ui.prompts.last().text, QStringLiteral("Upload Complete"));
    QCOMPARE(ui.model().cellText(26), QStringLiteral("OnOff"));
    // The port chosen in the window, not the controller's, stays with the document.
    QCOMPARE(ui.doc.GetComPort(), 0);
    QVERIFY(ui.doc.ConfigModified);
}

QTEST_MAIN(tst_frmConnect)
#include "tst_frmConnect.moc"
