#include "MainWindowDriver.h"
#include "PanelFrame.h"
#include "SimulatedSerialPort.h"
#include "modOVMXCommunications.h"

#include <QAction>
#include <QComboBox>
#include <QHelpEvent>
#include <QLabel>
#include <QToolTip>

#include <memory>

// What the main window shows, the mouse and the keyboard on it, and what each command opens.
class tst_frmMain : public QObject
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
    void startup_newConfiguration_titledNoneAndUnmodified();
    void startup_texts_data();
    void startup_texts();
    void startup_timedOffLists_holdEveryMinute_data();
    void startup_timedOffLists_holdEveryMinute();
    void startup_cells_readDashInSectionColours();
    void panels_placement_matchesLayout_data();
    void panels_placement_matchesLayout();
    void timedOffList_userPicks_storesMinutesLessOffset_data();
    void timedOffList_userPicks_storesMinutesLessOffset();
    void showControl_listSelection_data();
    void showControl_listSelection();
    void showControl_footCandles_changesLevelLabelsOnly();
    void font_cellTexts_fitTheirCells_data();
    void font_cellTexts_fitTheirCells();
    void placement_screenHeight_decidesVerticalCentring_data();
    void placement_screenHeight_decidesVerticalCentring();

private:
    QString text(const QString &name) const
    {
        if (auto *frame = m_ui->child<PanelFrame>(name))
            return frame->caption();
        return m_ui->child<QLabel>(name)->text();
    }
    QComboBox *list(const QString &name) const { return m_ui->child<QComboBox>(name); }

    std::unique_ptr<IsolatedHome> m_home;
    std::unique_ptr<MainWindowDriver> m_ui;
    ControllerSimulator m_controller;
    SimulatedSerialPort m_port{m_controller};
    modOVMXCommunications m_comm{m_port};
};

void tst_frmMain::hover_mouseMoves_highlightOnScreen_data()
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

void tst_frmMain::hover_mouseMoves_highlightOnScreen()
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

void tst_frmMain::click_cell_setsSelectionAndModified_data()
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

void tst_frmMain::click_cell_setsSelectionAndModified()
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

void tst_frmMain::click_trackingCell_refusedWhileOtherPhotocellTracks_data()
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

void tst_frmMain::click_trackingCell_refusedWhileOtherPhotocellTracks()
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

void tst_frmMain::click_diagonalOrOutside_refused()
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

void tst_frmMain::sideCommands_afterDialog_refreshScreen_data()
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

void tst_frmMain::sideCommands_afterDialog_refreshScreen()
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

void tst_frmMain::tooltip_overCell_showsFullCaption_data()
{
    QTest::addColumn<int>("cell");
    QTest::addColumn<QString>("caption");
    QTest::newRow("relay") << 26 << "Tamberline 01 Input 3 / Relay 2 Control";
    QTest::newRow("disable") << 110 << "Hardwire Input  3 / Tamberline 01 Input 1 Control";
    QTest::newRow("tracking") << 740 << "Photocell 2 / Dimmer Output 3 Control";
}

void tst_frmMain::tooltip_overCell_showsFullCaption()
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

void tst_frmMain::keyboard_arrowsAndEnter_driveTheGrid()
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

void tst_frmMain::startup_newConfiguration_titledNoneAndUnmodified()
{
    QCOMPARE(m_ui->window.windowTitle(),
             QStringLiteral("Tevara Orvandel MX Configuration Tool  Rev 1.60   -   None"));
    QCOMPARE(m_ui->doc.DataFileName, QStringLiteral("None"));
    QVERIFY(!m_ui->doc.ConfigModified);
    QCOMPARE(m_ui->window.centralWidget()->size(), QSize(1025, 681));
    QVERIFY(m_ui->prompts.calls.isEmpty());
}

void tst_frmMain::startup_texts_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("lblPilot(0)") << " Pilot 1 - On";
    QTest::newRow("lblPilot(11)") << " Pilot 6 - On";
    QTest::newRow("lblPCOn(7)") << "0 / 255";
    QTest::newRow("lblPCInp(5)") << "2";
    QTest::newRow("lblAlert") << "Blink Alert";
    QTest::newRow("frmPC2Levels") << "Photocell 2 [30 Sec Filter]";
    QTest::newRow("frmTB2Pilots") << "Tamberline 02 Pilots";
    QTest::newRow("frmTimedOffConfig") << "Timed Off Configuation";
}

void tst_frmMain::startup_texts()
{
    QTEST(text(QString::fromLatin1(QTest::currentDataTag())), "text");
}

void tst_frmMain::startup_timedOffLists_holdEveryMinute_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("last");
    QTest::addColumn<QString>("selected");
    QTest::newRow("cboAlert") << 98 << "2 Minute"
                              << "99 Minute"
                              << "5 Minute";
    QTest::newRow("cboOverride") << 995 << "5 Minute"
                                 << "999 Minute"
                                 << "120 Minute";
}

void tst_frmMain::startup_timedOffLists_holdEveryMinute()
{
    QFETCH(int, count);
    QComboBox *combo = list(QString::fromLatin1(QTest::currentDataTag()));
    QCOMPARE(combo->count(), count);
    QTEST(combo->itemText(0), "first");
    QTEST(combo->itemText(count - 1), "last");
    QTEST(combo->currentText(), "selected");
}

void tst_frmMain::startup_cells_readDashInSectionColours()
{
    const GridModel &model = m_ui->model();
    QCOMPARE(model.HLIndex(), -1);
    for (int k = 0; k < GridModel::CellCount; ++k) {
        if (!GridModel::cellVisible(k))
            continue;
        QCOMPARE(model.cellText(k), QStringLiteral("-"));
        QCOMPARE(model.cellColour(k), GridModel::sectionColour(k));
    }
    QVERIFY(m_ui->show());
    const QImage painted = m_ui->window.grid()->grab().toImage();
    QCOMPARE(painted.pixelColor(GridModel::cellRect(700).topLeft() + QPoint(2, 2)),
             GridModel::DimmerColour);
    QCOMPARE(painted.pixelColor(GridModel::fillerRect(3).center()), GridModel::FillerColour);
    QCOMPARE(painted.pixelColor(GridModel::inputRect(3).topLeft() + QPoint(2, 2)),
             GridModel::HeadingColour);
}

void tst_frmMain::panels_placement_matchesLayout_data()
{
    QTest::addColumn<QRect>("rect");
    QTest::newRow("frmTB2Pilots") << QRect(296, 0, 241, 81);
    QTest::newRow("lblPilot(0)") << QRect(64, 24, 105, 17);
    QTest::newRow("lblPilot(11)") << QRect(424, 56, 105, 17);
    QTest::newRow("cboAlert") << QRect(612, 16, 81, 21);
    QTest::newRow("lblPCInp(0)") << QRect(704, 14, 17, 17);
    QTest::newRow("lblPCOff(7)") << QRect(880, 62, 65, 17);
}

void tst_frmMain::panels_placement_matchesLayout()
{
    auto *widget = m_ui->child<QWidget>(QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY(widget);
    QTEST(QRect(widget->mapTo(m_ui->window.centralWidget(), QPoint(0, 0)), widget->size()), "rect");
}

void tst_frmMain::timedOffList_userPicks_storesMinutesLessOffset_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("keys"); // typed; empty: End
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("stored");
    QTest::newRow("alert: types 7") << "cboAlert"
                                    << "7"
                                    << "7 Minute" << 5;
    QTest::newRow("override: End") << "cboOverride" << QString() << "999 Minute" << 994;
}

void tst_frmMain::timedOffList_userPicks_storesMinutesLessOffset()
{
    QFETCH(QString, name);
    QFETCH(QString, keys);
    QVERIFY(m_ui->show());
    QComboBox *combo = list(name);
    combo->setFocus();
    if (keys.isEmpty())
        QTest::keyClick(combo, Qt::Key_End);
    else
        QTest::keyClicks(combo, keys);
    QTEST(combo->currentText(), "shown");
    QTEST(name == QLatin1String("cboAlert") ? m_ui->doc.GetTimedOffAlert()
                                            : m_ui->doc.GetTimedOffOverride(),
          "stored");
    QVERIFY(m_ui->doc.ConfigModified);
}

void tst_frmMain::showControl_listSelection_data()
{
    QTest::addColumn<int>("alert");
    QTest::addColumn<int>("override");
    QTest::addColumn<QString>("alertShown");
    QTest::addColumn<bool>("modified");
    // A stored value outside the list shows no entry, keeps the value and changes nothing.
    QTest::newRow("outside the lists") << 200 << 1500 << QString() << false;
    // Showing a value that differs from the list's entry is a change.
    QTest::newRow("new selection") << 10 << 115 << "12 Minute" << true;
}

void tst_frmMain::showControl_listSelection()
{
    QFETCH(int, alert);
    QFETCH(int, override);
    m_ui->doc.SetTimedOffAlert(alert);
    m_ui->doc.SetTimedOffOverride(override);
    m_ui->doc.ConfigModified = false;
    m_ui->window.ShowControl();
    QTEST(list("cboAlert")->currentText(), "alertShown");
    if (override > 994)
        QCOMPARE(list("cboOverride")->currentIndex(), -1);
    QCOMPARE(m_ui->doc.GetTimedOffAlert(), alert);
    QCOMPARE(m_ui->doc.GetTimedOffOverride(), override);
    QTEST(m_ui->doc.ConfigModified, "modified");
}

void tst_frmMain::showControl_footCandles_changesLevelLabelsOnly()
{
    m_ui->doc.SetPhotocellOnLevel(1, 3, 255);
    m_ui->window.ShowControl();
    const QString pilot = text("lblPilot(2)");
    QCOMPARE(text("lblPCOn(7)"), QStringLiteral("255 / 255"));
    m_ui->doc.ShowLevelsInFC = true;
    m_ui->window.ShowControl();
    QCOMPARE(text("lblPCOn(7)"),
             QStringLiteral("%1 FC").arg(modOVMXConfig::LevelToFootCandles(255)));
    QVERIFY(text("lblPCOff(0)").endsWith(QLatin1String(" FC")));
    QCOMPARE(text("lblPilot(2)"), pilot);
}

void tst_frmMain::font_cellTexts_fitTheirCells_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("room");
    for (const char *text : {"Disable", "OffOffH"})
        QTest::newRow(text) << text << 41 - 2;
    QTest::newRow("tracking") << "Setpoint Tracking" << 161 - 2;
    QTest::newRow("pilot") << " Pilot 6 - Relay 4 Off" << 105 - 2;
    QTest::newRow("level") << "255 / 255" << 65 - 2;
}

void tst_frmMain::font_cellTexts_fitTheirCells()
{
    QFETCH(QString, text);
    QFETCH(int, room);
    const QFontMetrics metrics(m_ui->window.grid()->font());
    QVERIFY2(metrics.horizontalAdvance(text) <= room, qPrintable(text));
    QVERIFY(metrics.height() <= 17 - 2);
    QCOMPARE(m_ui->child<QLabel>("lblPilot(11)")->font(), m_ui->window.grid()->font());
}

void tst_frmMain::placement_screenHeight_decidesVerticalCentring_data()
{
    QTest::addColumn<QRect>("screen");
    QTest::addColumn<QPoint>("topLeft");
    QTest::newRow("900 high: near the top") << QRect(0, 0, 1280, 900) << QPoint(127, 2);
    QTest::newRow("901 high: centred") << QRect(0, 0, 1280, 901) << QPoint(127, 83);
    QTest::newRow("second screen") << QRect(1920, 0, 1920, 1080) << QPoint(2367, 172);
}

void tst_frmMain::placement_screenHeight_decidesVerticalCentring()
{
    QFETCH(QRect, screen);
    QTEST(frmMain::placement(screen, QSize(1025, 735)), "topLeft");
}

QTEST_MAIN(tst_frmMain)
#include "tst_frmMain.moc"
