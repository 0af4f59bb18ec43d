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

    void hover_downAColumn_movesHighlightOnScreen();
    void hover_ontoRowHeading_clearsHighlight();
    void hover_overPanels_keepsHighlight();
    void click_cell_setsSelectionAndModified_data();
    void click_cell_setsSelectionAndModified();
    void click_trackingWhileOtherTracks_refusedWithoutRefresh_data();
    void click_trackingWhileOtherTracks_refusedWithoutRefresh();
    void click_trackingAlone_refreshesWithoutMessage();
    void click_diagonalCell_refusedWithInformationThenRefreshes();
    void click_indexOutsideGrid_changesNothing();
    void sideCommands_afterDialog_refreshScreen_data();
    void sideCommands_afterDialog_refreshScreen();
    void tooltip_overCell_showsFullCaption_data();
    void tooltip_overCell_showsFullCaption();
    void keyboard_arrowsAndEnter_driveTheGrid();

private:
    QColor pixelAt(QPoint client) const
    {
        return m_ui->window.grid()->grab().toImage().pixelColor(client);
    }
    QString labelText(const QString &name) const { return m_ui->child<QLabel>(name)->text(); }

    std::unique_ptr<IsolatedHome> m_home;
    std::unique_ptr<MainWindowDriver> m_ui;
    ControllerSimulator m_controller;
    SimulatedSerialPort m_port{m_controller};
    modOVMXCommunications m_comm{m_port};
};

void tst_frmMain_commands::hover_downAColumn_movesHighlightOnScreen()
{
    QVERIFY(m_ui->show());
    m_ui->moveTo(MainWindowDriver::inCell(5));
    m_ui->moveTo(MainWindowDriver::inCell(29));
    QCOMPARE(m_ui->model().HLIndex(), 29);
    const QPoint inside(2, 2);
    QCOMPARE(pixelAt(GridModel::cellRect(29).topLeft() + inside), GridModel::UnderMouse);
    QCOMPARE(pixelAt(GridModel::cellRect(5).topLeft() + inside), GridModel::RelayColour);
    QCOMPARE(pixelAt(GridModel::deviceRect(0).topLeft() + inside), GridModel::HeadingHighlight);
    QCOMPARE(pixelAt(GridModel::inputRect(5).topLeft() + inside), GridModel::HeadingHighlight);
    QCOMPARE(pixelAt(GridModel::outputRect(1).topLeft() + inside), GridModel::HeadingHighlight);
    QCOMPARE(pixelAt(GridModel::outputRect(0).topLeft() + inside), GridModel::HeadingColour);
    QCOMPARE(pixelAt(GridModel::inputRect(4).topLeft() + inside), GridModel::HeadingColour);
}

void tst_frmMain_commands::hover_ontoRowHeading_clearsHighlight()
{
    QVERIFY(m_ui->show());
    m_ui->moveTo(MainWindowDriver::inCell(29));
    m_ui->moveTo(QPoint(20, 146));
    QVERIFY(!m_ui->model().HLActive());
    QCOMPARE(m_ui->model().HLIndex(), -1);
    QCOMPARE(pixelAt(GridModel::cellRect(29).topLeft() + QPoint(2, 2)), GridModel::RelayColour);
    QCOMPARE(pixelAt(GridModel::outputRect(1).topLeft() + QPoint(2, 2)), GridModel::HeadingColour);
}

void tst_frmMain_commands::hover_overPanels_keepsHighlight()
{
    QVERIFY(m_ui->show());
    m_ui->moveTo(MainWindowDriver::inCell(29));
    m_ui->moveTo(QPoint(100, 10)); // the Tamberline 01 pilot frame
    m_ui->moveTo(QPoint(100, 32)); // a pilot label
    m_ui->moveTo(QPoint(650, 26)); // a timed-off list
    QCOMPARE(m_ui->model().HLIndex(), 29);
    m_ui->moveTo(QPoint(1021, 300)); // the window background
    QCOMPARE(m_ui->model().HLIndex(), -1);
}

void tst_frmMain_commands::click_cell_setsSelectionAndModified_data()
{
    QTest::addColumn<int>("cell");
    QTest::addColumn<int>("input");
    QTest::addColumn<int>("relay");
    QTest::addColumn<int>("disInput");
    QTest::addColumn<int>("dimmer");
    QTest::addColumn<int>("photocell");
    QTest::addColumn<QString>("editor");
    QTest::addColumn<QString>("mapDef");
    QTest::newRow("relay cell 26") << 26 << 2 << 1 << -3 << -27 << -4 << "frmRelayControl"
                                   << "Tamberline 01 Input 3 / Relay 2 Control";
    QTest::newRow("disable cell 110") << 110 << 14 << 4 << 0 << -24 << -1 << "frmInputControl"
                                      << "Hardwire Input  3 / Tamberline 01 Input 1 Control";
    QTest::newRow("dimmer cell 700") << 700 << 4 << 29 << 25 << 1 << -3 << "frmDimmerControl"
                                     << "Tamberline 01 Input 5 / Dimmer Output 2 Control";
    QTest::newRow("tracking cell 712") << 712 << 16 << 29 << 25 << 1 << 0 << "frmDimmerScale"
                                       << "Photocell 1 / Dimmer Output 2 Control";
    QTest::newRow("tracking cell 764") << 764 << 20 << 31 << 27 << 3 << 1 << "frmDimmerScale"
                                       << "Photocell 2 / Dimmer Output 4 Control";
}

void tst_frmMain_commands::click_cell_setsSelectionAndModified()
{
    QFETCH(int, cell);
    QVERIFY(m_ui->show());
    m_ui->clickAt(MainWindowDriver::inCell(cell));
    QVERIFY(m_ui->doc.ConfigModified);
    QTEST(int(m_ui->doc.SelInput), "input");
    QTEST(int(m_ui->doc.SelRelay), "relay");
    QTEST(int(m_ui->doc.SelDisInput), "disInput");
    QTEST(int(m_ui->doc.SelDimmer), "dimmer");
    QTEST(int(m_ui->doc.SelPhotocell), "photocell");
    QVERIFY(m_ui->prompts.calls.isEmpty());
    QCOMPARE(m_ui->opened.size(), 1);
    QTEST(m_ui->opened.first().className, "editor");
    QTEST(m_ui->opened.first().mapDef, "mapDef");
}

void tst_frmMain_commands::click_trackingWhileOtherTracks_refusedWithoutRefresh_data()
{
    QTest::addColumn<int>("cell");
    QTest::addColumn<int>("otherPhotocell");
    QTest::addColumn<int>("dimmer");
    QTest::addColumn<QString>("text");
    QTest::newRow("photocell 1 while 2 tracks")
        << 712 << 1 << 1
        << "This Dimmer Output Is Configured To Track Photocell 2.\r\n"
           "Tracking Of 2 Photocells Is Not Permitted.";
    QTest::newRow("photocell 2 while 1 tracks")
        << 764 << 0 << 3
        << "This Dimmer Output Is Configured To Track Photocell 1.\r\n"
           "Tracking Of 2 Photocells Is Not Permitted.";
}

void tst_frmMain_commands::click_trackingWhileOtherTracks_refusedWithoutRefresh()
{
    QFETCH(int, cell);
    QFETCH(int, otherPhotocell);
    QFETCH(int, dimmer);
    QFETCH(QString, text);
    m_ui->doc.SetPhotocellTracking(otherPhotocell, dimmer, 2);
    m_ui->doc.SetRelayCloseAction(0, 0, 2); // not on screen until the next refresh
    m_ui->doc.ConfigModified = false;
    QVERIFY(m_ui->show());
    m_ui->clickAt(MainWindowDriver::inCell(cell));
    QCOMPARE(m_ui->prompts.calls.size(), 1);
    QCOMPARE(m_ui->prompts.last().kind, FakePrompts::Kind::Message);
    QCOMPARE(m_ui->prompts.last().title, QStringLiteral("Error"));
    QCOMPARE(m_ui->prompts.last().text, text);
    QCOMPARE(m_ui->prompts.last().icon, Prompts::Icon::Critical);
    QVERIFY(m_ui->doc.ConfigModified);
    QCOMPARE(m_ui->model().cellText(0), QStringLiteral("-"));
}

void tst_frmMain_commands::click_trackingAlone_refreshesWithoutMessage()
{
    m_ui->doc.SetPhotocellTracking(0, 1, 3); // its own photocell may already track
    m_ui->doc.SetRelayCloseAction(0, 0, 2);
    QVERIFY(m_ui->show());
    m_ui->clickAt(MainWindowDriver::inCell(712));
    QVERIFY(m_ui->prompts.calls.isEmpty());
    QCOMPARE(m_ui->model().cellText(0), QStringLiteral("On-"));
    QCOMPARE(m_ui->model().cellText(712), QStringLiteral("Setpoint Tracking"));
}

void tst_frmMain_commands::click_diagonalCell_refusedWithInformationThenRefreshes()
{
    m_ui->doc.SetDimmerControl(0, 0, 1);
    m_ui->doc.ConfigModified = false;
    m_ui->window.lblControl_Click(96 + 25 * 7);
    QCOMPARE(m_ui->prompts.calls.size(), 1);
    QCOMPARE(m_ui->prompts.last().title, QStringLiteral("Error"));
    QCOMPARE(m_ui->prompts.last().text,
             QStringLiteral("Unable To Disable An Input From The Same Input."));
    QCOMPARE(m_ui->prompts.last().icon, Prompts::Icon::Information);
    QVERIFY(m_ui->doc.ConfigModified);
    QCOMPARE(m_ui->model().cellText(672), QStringLiteral("Revert"));
}

void tst_frmMain_commands::click_indexOutsideGrid_changesNothing()
{
    m_ui->window.lblControl_Click(-1);
    m_ui->window.lblControl_Click(768);
    QVERIFY(!m_ui->doc.ConfigModified);
    QVERIFY(m_ui->prompts.calls.isEmpty());
}

void tst_frmMain_commands::sideCommands_afterDialog_refreshScreen_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("dialog");
    QTest::newRow("lblPilot(3)") << "lblPilot(3)"
                                 << "frmPilots";
    QTest::newRow("lblPilot(10)") << "lblPilot(10)"
                                  << "frmPilots";
    QTest::newRow("lblPCInp(5)") << "lblPCInp(5)"
                                 << "frmPCInputs";
    QTest::newRow("lblPCOn(2)") << "lblPCOn(2)"
                                << "frmPCInputs";
    QTest::newRow("lblPCOff(7)") << "lblPCOff(7)"
                                 << "frmPCInputs";
    QTest::newRow("mnuRelayOptions") << "mnuRelayOptions"
                                     << "frmRelayPowerOn";
    QTest::newRow("mnuDimmerOptions") << "mnuDimmerOptions"
                                      << "frmDimmerSettings";
    QTest::newRow("mnuConnect") << "mnuConnect"
                                << "frmConnect";
}

void tst_frmMain_commands::sideCommands_afterDialog_refreshScreen()
{
    QFETCH(QString, control);
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
        const QWidget *central = m_ui->window.centralWidget();
        m_ui->clickAt(label->mapTo(central, label->rect().center()));
    }
    QCOMPARE(labelText("lblPilot(0)"), QStringLiteral(" Pilot 1 - Relay 2 On"));
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
    const QPoint at = MainWindowDriver::inCell(cell);
    QHelpEvent help(QEvent::ToolTip, at, grid->mapToGlobal(at));
    QApplication::sendEvent(grid, &help);
    QTEST(QToolTip::text(), "caption");
    QHelpEvent off(QEvent::ToolTip, QPoint(20, 100), grid->mapToGlobal(QPoint(20, 100)));
    QApplication::sendEvent(grid, &off);
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
