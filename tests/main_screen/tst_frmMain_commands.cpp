#include "MainWindowDriver.h"
#include "PanelFrame.h"
#include "SimulatedSerialPort.h"
#include "modOVMXCommunications.h"

#include <QAction>
#include <QHelpEvent>
#include <QLabel>
#include <QToolTip>

#include <memory>

// The mouse and the keyboard on the grid and the panels, and what each command opens.
class tst_frmMain_commands : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { m_home = std::make_unique<IsolatedHome>(); }
    void init()
    {
        m_ui = std::make_unique<MainWindowDriver>();
        m_ui->window.setCommunications(&m_comm);
    }
    void cleanup() { m_ui.reset(); }

    void hover_mouseMoves_highlightOnScreen_data();
    void hover_mouseMoves_highlightOnScreen();
    void click_cell_setsSelectionAndModified_data();
    void click_cell_setsSelectionAndModified();
    void click_trackingCell_refusedWhileOtherPhotocellTracks_data();
    void click_trackingCell_refusedWhileOtherPhotocellTracks();
    void click_diagonalOrOutside_refused();
    void sideCommands_afterDialog_refreshScreen_data();
    void sideCommands_afterDialog_refreshScreen();
    void tooltip_overCell_showsFullCaption_data();
    void tooltip_overCell_showsFullCaption();
    void keyboard_arrowsAndEnter_driveTheGrid();

private:
    std::unique_ptr<IsolatedHome> m_home;
    std::unique_ptr<MainWindowDriver> m_ui;
    ControllerSimulator m_controller;
    SimulatedSerialPort m_port{m_controller};
    modOVMXCommunications m_comm{m_port};
};

void tst_frmMain_commands::hover_mouseMoves_highlightOnScreen_data()
{
    QTest::addColumn<QList<QPoint>>("moves"); // client points after cell 29
    QTest::addColumn<int>("highlighted");
    QTest::addColumn<QList<QRect>>("at"); // painted colours, sampled inside each rect
    QTest::addColumn<QList<QColor>>("colours");
    const QColor lit = GridModel::HeadingHighlight, plain = GridModel::HeadingColour;
    QTest::newRow("down a column")
        << QList<QPoint>{} << 29
        << QList<QRect>{GridModel::cellRect(29), GridModel::cellRect(5),   GridModel::deviceRect(0),
                        GridModel::inputRect(5), GridModel::outputRect(1), GridModel::outputRect(0),
                        GridModel::inputRect(4)}
        << QList<QColor>{
               GridModel::UnderMouse, GridModel::RelayColour, lit, lit, lit, plain, plain};
    QTest::newRow("onto a row heading")
        << QList<QPoint>{QPoint(20, 146)} << -1
        << QList<QRect>{GridModel::cellRect(29), GridModel::outputRect(1)}
        << QList<QColor>{GridModel::RelayColour, plain};
    // The pilot frame, a pilot label and a timed-off list keep it; the background clears it.
    QTest::newRow("over panels") << QList<QPoint>{{100, 10}, {100, 32}, {650, 26}} << 29
                                 << QList<QRect>{GridModel::cellRect(29)}
                                 << QList<QColor>{GridModel::UnderMouse};
    QTest::newRow("window background")
        << QList<QPoint>{{650, 26}, {1021, 300}} << -1 << QList<QRect>{GridModel::inputRect(5)}
        << QList<QColor>{plain};
}

void tst_frmMain_commands::hover_mouseMoves_highlightOnScreen()
{
    QFETCH(QList<QPoint>, moves);
    QFETCH(QList<QRect>, at);
    QFETCH(QList<QColor>, colours);
    QVERIFY(m_ui->show());
    m_ui->moveTo(MainWindowDriver::inCell(5));
    m_ui->moveTo(MainWindowDriver::inCell(29));
    for (const QPoint &p : moves)
        m_ui->moveTo(p);
    QTEST(m_ui->model().HLIndex(), "highlighted");
    const QImage painted = m_ui->window.grid()->grab().toImage();
    for (qsizetype n = 0; n < at.size(); ++n)
        QCOMPARE(painted.pixelColor(at[n].topLeft() + QPoint(2, 2)), colours[n]);
}

void tst_frmMain_commands::click_cell_setsSelectionAndModified_data()
{
    QTest::addColumn<int>("cell");
    QTest::addColumn<QList<int>>("selection"); // input, relay, disable input, dimmer, photocell
    QTest::addColumn<QString>("editor");
    QTest::addColumn<QString>("mapDef");
    QTest::newRow("relay 26") << 26 << QList<int>{2, 1, -3, -27, -4} << "frmRelayControl"
                              << "Tamberline 01 Input 3 / Relay 2 Control";
    QTest::newRow("disable 110") << 110 << QList<int>{14, 4, 0, -24, -1} << "frmInputControl"
                                 << "Hardwire Input  3 / Tamberline 01 Input 1 Control";
    QTest::newRow("dimmer 700") << 700 << QList<int>{4, 29, 25, 1, -3} << "frmDimmerControl"
                                << "Tamberline 01 Input 5 / Dimmer Output 2 Control";
    QTest::newRow("tracking 712") << 712 << QList<int>{16, 29, 25, 1, 0} << "frmDimmerScale"
                                  << "Photocell 1 / Dimmer Output 2 Control";
    QTest::newRow("tracking 764") << 764 << QList<int>{20, 31, 27, 3, 1} << "frmDimmerScale"
                                  << "Photocell 2 / Dimmer Output 4 Control";
}

void tst_frmMain_commands::click_cell_setsSelectionAndModified()
{
    QFETCH(int, cell);
    QVERIFY(m_ui->show());
    m_ui->clickAt(MainWindowDriver::inCell(cell));
    QVERIFY(m_ui->doc.ConfigModified);
    const auto &d = m_ui->doc;
    QTEST((QList<int>{d.SelInput, d.SelRelay, d.SelDisInput, d.SelDimmer, d.SelPhotocell}),
          "selection");
    QVERIFY(m_ui->prompts.calls.isEmpty());
    QCOMPARE(m_ui->opened.size(), 1);
    QTEST(m_ui->opened.first().className, "editor");
    QTEST(m_ui->opened.first().mapDef, "mapDef");
}

void tst_frmMain_commands::click_trackingCell_refusedWhileOtherPhotocellTracks_data()
{
    QTest::addColumn<int>("cell");
    QTest::addColumn<int>("tracking"); // the photocell already tracking
    QTest::addColumn<int>("dimmer");
    QTest::addColumn<QString>("text"); // empty: accepted
    QTest::newRow("photocell 1 while 2 tracks")
        << 712 << 1 << 1
        << "This Dimmer Output Is Configured To Track Photocell 2.\r\n"
           "Tracking Of 2 Photocells Is Not Permitted.";
    QTest::newRow("photocell 2 while 1 tracks")
        << 764 << 0 << 3
        << "This Dimmer Output Is Configured To Track Photocell 1.\r\n"
           "Tracking Of 2 Photocells Is Not Permitted.";
    QTest::newRow("its own photocell tracks") << 712 << 0 << 1 << QString();
}

void tst_frmMain_commands::click_trackingCell_refusedWhileOtherPhotocellTracks()
{
    QFETCH(int, cell);
    QFETCH(int, tracking);
    QFETCH(int, dimmer);
    QFETCH(QString, text);
    m_ui->doc.SetPhotocellTracking(tracking, dimmer, 2);
    m_ui->doc.SetRelayCloseAction(0, 0, 2); // not on screen until the next refresh
    m_ui->doc.ConfigModified = false;
    QVERIFY(m_ui->show());
    m_ui->clickAt(MainWindowDriver::inCell(cell));
    QVERIFY(m_ui->doc.ConfigModified);
    if (text.isEmpty()) {
        QVERIFY(m_ui->prompts.calls.isEmpty());
        QCOMPARE(m_ui->model().cellText(0), QStringLiteral("On-"));
        return;
    }
    QCOMPARE(m_ui->prompts.calls.size(), 1);
    QCOMPARE(m_ui->prompts.last().kind, FakePrompts::Kind::Message);
    QCOMPARE(m_ui->prompts.last().title, QStringLiteral("Error"));
    QCOMPARE(m_ui->prompts.last().text, text);
    QCOMPARE(m_ui->prompts.last().icon, Prompts::Icon::Critical);
    QCOMPARE(m_ui->model().cellText(0), QStringLiteral("-"));
}

void tst_frmMain_commands::click_diagonalOrOutside_refused()
{
    m_ui->window.lblControl_Click(-1);
    m_ui->window.lblControl_Click(768);
    QVERIFY(!m_ui->doc.ConfigModified);
    QVERIFY(m_ui->prompts.calls.isEmpty());
    m_ui->doc.SetDimmerControl(0, 0, 1);
    m_ui->window.lblControl_Click(96 + 25 * 7);
    QCOMPARE(m_ui->prompts.calls.size(), 1);
    QCOMPARE(m_ui->prompts.last().title, QStringLiteral("Error"));
    QCOMPARE(m_ui->prompts.last().text,
             QStringLiteral("Unable To Disable An Input From The Same Input."));
    QCOMPARE(m_ui->prompts.last().icon, Prompts::Icon::Information);
    QVERIFY(m_ui->doc.ConfigModified);
    QCOMPARE(m_ui->model().cellText(672), QStringLiteral("Revert"));
    QVERIFY(m_ui->opened.isEmpty());
}

void tst_frmMain_commands::sideCommands_afterDialog_refreshScreen_data()
{
    QTest::addColumn<QString>("dialog");
    QTest::newRow("lblPilot(3)") << "frmPilots";
    QTest::newRow("lblPilot(10)") << "frmPilots";
    QTest::newRow("lblPCInp(5)") << "frmPCInputs";
    QTest::newRow("lblPCOff(7)") << "frmPCInputs";
    QTest::newRow("mnuRelayOptions") << "frmRelayPowerOn";
    QTest::newRow("mnuDimmerOptions") << "frmDimmerSettings";
    QTest::newRow("mnuConnect") << "frmConnect";
}

void tst_frmMain_commands::sideCommands_afterDialog_refreshScreen()
{
    const QString control = QString::fromLatin1(QTest::currentDataTag());
    QVERIFY(m_ui->show());
    // The change is made while the window is open: only the refresh after it can show it.
    m_ui->onDialog = [this](QDialog &) {
        m_ui->doc.SetPilotLight(0, 0, 4);
        m_ui->doc.SetPhotocellFilter(1, 0);
    };
    if (auto *action = m_ui->child<QAction>(control)) {
        action->trigger();
    } else {
        auto *label = m_ui->child<QWidget>(control);
        QVERIFY(label);
        m_ui->clickAt(label->mapTo(m_ui->window.centralWidget(), label->rect().center()));
    }
    QCOMPARE(m_ui->child<QLabel>("lblPilot(0)")->text(), QStringLiteral(" Pilot 1 - Relay 2 On"));
    QCOMPARE(m_ui->child<PanelFrame>("frmPC2Levels")->caption(),
             QStringLiteral("Photocell 2 [2 Sec Filter]"));
    QCOMPARE(m_ui->opened.size(), 1);
    QTEST(m_ui->opened.first().className, "dialog");
}

void tst_frmMain_commands::tooltip_overCell_showsFullCaption_data()
{
    QTest::addColumn<int>("cell");
    QTest::addColumn<QString>("caption");
    QTest::newRow("relay") << 26 << "Tamberline 01 Input 3 / Relay 2 Control";
    QTest::newRow("disable") << 110 << "Hardwire Input  3 / Tamberline 01 Input 1 Control";
    QTest::newRow("tracking") << 740 << "Photocell 2 / Dimmer Output 3 Control";
}

void tst_frmMain_commands::tooltip_overCell_showsFullCaption()
{
    QFETCH(int, cell);
    QVERIFY(m_ui->show());
    ProgrammingGrid *grid = m_ui->window.grid();
    const QPoint at = MainWindowDriver::inCell(cell), off(20, 100);
    QHelpEvent help(QEvent::ToolTip, at, grid->mapToGlobal(at));
    QApplication::sendEvent(grid, &help);
    QTEST(QToolTip::text(), "caption");
    QHelpEvent away(QEvent::ToolTip, off, grid->mapToGlobal(off));
    QApplication::sendEvent(grid, &away);
    QTRY_VERIFY(!QToolTip::isVisible());
}

void tst_frmMain_commands::keyboard_arrowsAndEnter_driveTheGrid()
{
    QVERIFY(m_ui->show());
    ProgrammingGrid *grid = m_ui->window.grid();
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_Right);
    QCOMPARE(m_ui->model().HLIndex(), 0);
    QTest::keyClick(grid, Qt::Key_Right);
    QTest::keyClick(grid, Qt::Key_Down);
    QCOMPARE(m_ui->model().HLIndex(), 25);
    QCOMPARE(m_ui->model().inputColour(1), GridModel::HeadingHighlight);
    QVERIFY(!m_ui->doc.ConfigModified);
    QTest::keyClick(grid, Qt::Key_Return);
    QVERIFY(m_ui->doc.ConfigModified);
    QCOMPARE(int(m_ui->doc.SelInput), 1);
    QCOMPARE(int(m_ui->doc.SelRelay), 1);
    for (int step = 0; step < 40; ++step)
        QTest::keyClick(grid, Qt::Key_Down);
    QCOMPARE(m_ui->model().HLIndex(), 745);
    QTest::keyClick(grid, Qt::Key_Space);
    QCOMPARE(int(m_ui->doc.SelDimmer), 3);
}

QTEST_MAIN(tst_frmMain_commands)
#include "tst_frmMain_commands.moc"
