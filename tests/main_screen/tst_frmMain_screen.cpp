#include "MainWindowDriver.h"
#include "PanelFrame.h"
#include "SampleConfig.h"
#include "ScreenFont.h"

#include <QAction>
#include <QComboBox>
#include <QHelpEvent>
#include <QLabel>
#include <QToolTip>

#include <memory>

class tst_frmMain_screen : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { m_home = std::make_unique<IsolatedHome>(); }
    void init() { m_ui = std::make_unique<MainWindowDriver>(); }
    void cleanup() { m_ui.reset(); }

    void startup_newConfiguration_titledNoneAndUnmodified();
    void startup_timedOffLists_holdEveryMinute_data();
    void startup_timedOffLists_holdEveryMinute();
    void startup_panels_showDefaultTexts();
    void startup_cells_readDashInSectionColours();
    void panels_placement_matchesLayout_data();
    void panels_placement_matchesLayout();
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
    void cboAlert_userTypesSeven_stores5();
    void cboOverride_userPicksLast_stores994();
    void showControl_valueOutsideList_showsNoEntryAndKeepsValue();
    void showControl_changedListSelection_marksModified();
    void showControl_footCandles_changesLevelLabelsOnly();
    void showControl_sample_showsWidestTexts();
    void font_cellTexts_fitTheirCells_data();
    void font_cellTexts_fitTheirCells();
    void tooltip_overCell_showsFullCaption_data();
    void tooltip_overCell_showsFullCaption();
    void keyboard_arrowsAndEnter_driveTheGrid();
    void placement_screenHeight_decidesVerticalCentring_data();
    void placement_screenHeight_decidesVerticalCentring();

private:
    QColor pixelAt(QPoint client) const
    {
        return m_ui->window.grid()->grab().toImage().pixelColor(client);
    }
    QString labelText(const QString &name) const { return m_ui->child<QLabel>(name)->text(); }

    std::unique_ptr<IsolatedHome> m_home;
    std::unique_ptr<MainWindowDriver> m_ui;
};

void tst_frmMain_screen::startup_newConfiguration_titledNoneAndUnmodified()
{
    QCOMPARE(m_ui->window.windowTitle(),
             QStringLiteral("Tevara Orvandel MX Configuration Tool  Rev 1.60   -   None"));
    QCOMPARE(m_ui->doc.BaseTitle,
             QStringLiteral("Tevara Orvandel MX Configuration Tool  Rev 1.60"));
    QCOMPARE(m_ui->doc.DataFileName, QStringLiteral("None"));
    QVERIFY(!m_ui->doc.ConfigModified);
    QVERIFY(!m_ui->doc.ExitConfirmed);
    QVERIFY(!m_ui->window.RefreshGuard());
    QCOMPARE(m_ui->doc.GetDimmerMaxLevel(3), 101);
    QCOMPARE(m_ui->window.centralWidget()->size(), QSize(1025, 681));
    QVERIFY(m_ui->prompts.calls.isEmpty());
}

void tst_frmMain_screen::startup_timedOffLists_holdEveryMinute_data()
{
    QTest::addColumn<QString>("list");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("last");
    QTest::addColumn<QString>("selected");
    QTest::newRow("alert") << "cboAlert" << 98 << "2 Minute"
                           << "99 Minute"
                           << "5 Minute";
    QTest::newRow("override") << "cboOverride" << 995 << "5 Minute"
                              << "999 Minute"
                              << "120 Minute";
}

void tst_frmMain_screen::startup_timedOffLists_holdEveryMinute()
{
    QFETCH(QString, list);
    QFETCH(int, count);
    auto *combo = m_ui->child<QComboBox>(list);
    QVERIFY(combo);
    QCOMPARE(combo->count(), count);
    QTEST(combo->itemText(0), "first");
    QTEST(combo->itemText(count - 1), "last");
    QTEST(combo->currentText(), "selected");
}

void tst_frmMain_screen::startup_panels_showDefaultTexts()
{
    QCOMPARE(labelText("lblPilot(0)"), QStringLiteral(" Pilot 1 - On"));
    QCOMPARE(labelText("lblPilot(6)"), QStringLiteral(" Pilot 1 - On"));
    QCOMPARE(labelText("lblPilot(11)"), QStringLiteral(" Pilot 6 - On"));
    QCOMPARE(labelText("lblPCOff(0)"), QStringLiteral("0 / 255"));
    QCOMPARE(labelText("lblPCOn(7)"), QStringLiteral("0 / 255"));
    QCOMPARE(labelText("lblPCInp(5)"), QStringLiteral("2"));
    QCOMPARE(labelText("lblAlert"), QStringLiteral("Blink Alert"));
    QCOMPARE(labelText("lblOverride"), QStringLiteral("Override"));
    QCOMPARE(m_ui->child<PanelFrame>("frmPC1Levels")->caption(),
             QStringLiteral("Photocell 1 [30 Sec Filter]"));
    QCOMPARE(m_ui->child<PanelFrame>("frmPC2Levels")->caption(),
             QStringLiteral("Photocell 2 [30 Sec Filter]"));
    QCOMPARE(m_ui->child<PanelFrame>("frmTB2Pilots")->caption(),
             QStringLiteral("Tamberline 02 Pilots"));
    QCOMPARE(m_ui->child<PanelFrame>("frmTimedOffConfig")->caption(),
             QStringLiteral("Timed Off Configuation"));
}

void tst_frmMain_screen::startup_cells_readDashInSectionColours()
{
    const GridModel &model = m_ui->model();
    QCOMPARE(model.HLIndex(), -1);
    QVERIFY(!model.HLActive());
    for (int k = 0; k < GridModel::CellCount; ++k) {
        if (!GridModel::cellVisible(k))
            continue;
        QCOMPARE(model.cellText(k), QStringLiteral("-"));
        QCOMPARE(model.cellColour(k), GridModel::sectionColour(k));
    }
    QVERIFY(m_ui->show());
    QCOMPARE(pixelAt(GridModel::cellRect(700).topLeft() + QPoint(2, 2)), GridModel::DimmerColour);
    QCOMPARE(pixelAt(GridModel::fillerRect(3).center()), GridModel::FillerColour);
    QCOMPARE(pixelAt(GridModel::inputRect(3).topLeft() + QPoint(2, 2)), GridModel::HeadingColour);
}

void tst_frmMain_screen::panels_placement_matchesLayout_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("rect");
    QTest::newRow("frmTB2Pilots") << "frmTB2Pilots" << QRect(296, 0, 241, 81);
    QTest::newRow("frmPC2Levels") << "frmPC2Levels" << QRect(856, 0, 161, 81);
    QTest::newRow("pilot 1") << "lblPilot(0)" << QRect(64, 24, 105, 17);
    QTest::newRow("pilot 5") << "lblPilot(4)" << QRect(184, 40, 105, 17);
    QTest::newRow("pilot 12") << "lblPilot(11)" << QRect(424, 56, 105, 17);
    QTest::newRow("alert list") << "cboAlert" << QRect(612, 16, 81, 21);
    QTest::newRow("override list") << "cboOverride" << QRect(612, 48, 81, 21);
    QTest::newRow("level number 1") << "lblPCInp(0)" << QRect(704, 14, 17, 17);
    QTest::newRow("off level 8") << "lblPCOff(7)" << QRect(880, 62, 65, 17);
    QTest::newRow("on level 8") << "lblPCOn(7)" << QRect(944, 62, 65, 17);
}

void tst_frmMain_screen::panels_placement_matchesLayout()
{
    QFETCH(QString, name);
    QFETCH(QRect, rect);
    auto *widget = m_ui->child<QWidget>(name);
    QVERIFY(widget);
    const QWidget *central = m_ui->window.centralWidget();
    QCOMPARE(QRect(widget->mapTo(central, QPoint(0, 0)), widget->size()), rect);
}

void tst_frmMain_screen::hover_downAColumn_movesHighlightOnScreen()
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

void tst_frmMain_screen::hover_ontoRowHeading_clearsHighlight()
{
    QVERIFY(m_ui->show());
    m_ui->moveTo(MainWindowDriver::inCell(29));
    m_ui->moveTo(QPoint(20, 146));
    QVERIFY(!m_ui->model().HLActive());
    QCOMPARE(m_ui->model().HLIndex(), -1);
    QCOMPARE(pixelAt(GridModel::cellRect(29).topLeft() + QPoint(2, 2)), GridModel::RelayColour);
    QCOMPARE(pixelAt(GridModel::outputRect(1).topLeft() + QPoint(2, 2)), GridModel::HeadingColour);
}

void tst_frmMain_screen::hover_overPanels_keepsHighlight()
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

void tst_frmMain_screen::click_cell_setsSelectionAndModified_data()
{
    QTest::addColumn<int>("cell");
    QTest::addColumn<int>("input");
    QTest::addColumn<int>("relay");
    QTest::addColumn<int>("disInput");
    QTest::addColumn<int>("dimmer");
    QTest::addColumn<int>("photocell");
    QTest::newRow("relay cell 26") << 26 << 2 << 1 << -3 << -27 << -4;
    QTest::newRow("disable cell 110") << 110 << 14 << 4 << 0 << -24 << -1;
    QTest::newRow("dimmer cell 700") << 700 << 4 << 29 << 25 << 1 << -3;
    QTest::newRow("tracking cell 712") << 712 << 16 << 29 << 25 << 1 << 0;
    QTest::newRow("tracking cell 764") << 764 << 20 << 31 << 27 << 3 << 1;
}

void tst_frmMain_screen::click_cell_setsSelectionAndModified()
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
}

void tst_frmMain_screen::click_trackingWhileOtherTracks_refusedWithoutRefresh_data()
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

void tst_frmMain_screen::click_trackingWhileOtherTracks_refusedWithoutRefresh()
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

void tst_frmMain_screen::click_trackingAlone_refreshesWithoutMessage()
{
    m_ui->doc.SetPhotocellTracking(0, 1, 3); // its own photocell may already track
    m_ui->doc.SetRelayCloseAction(0, 0, 2);
    QVERIFY(m_ui->show());
    m_ui->clickAt(MainWindowDriver::inCell(712));
    QVERIFY(m_ui->prompts.calls.isEmpty());
    QCOMPARE(m_ui->model().cellText(0), QStringLiteral("On-"));
    QCOMPARE(m_ui->model().cellText(712), QStringLiteral("Setpoint Tracking"));
}

void tst_frmMain_screen::click_diagonalCell_refusedWithInformationThenRefreshes()
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

void tst_frmMain_screen::click_indexOutsideGrid_changesNothing()
{
    m_ui->window.lblControl_Click(-1);
    m_ui->window.lblControl_Click(768);
    QVERIFY(!m_ui->doc.ConfigModified);
    QVERIFY(m_ui->prompts.calls.isEmpty());
}

void tst_frmMain_screen::sideCommands_afterDialog_refreshScreen_data()
{
    QTest::addColumn<QString>("control");
    for (const char *label :
         {"lblPilot(3)", "lblPilot(10)", "lblPCInp(5)", "lblPCOn(2)", "lblPCOff(7)"})
        QTest::newRow(label) << label;
    for (const char *menu : {"mnuRelayOptions", "mnuDimmerOptions", "mnuConnect"})
        QTest::newRow(menu) << menu;
}

void tst_frmMain_screen::sideCommands_afterDialog_refreshScreen()
{
    QFETCH(QString, control);
    QVERIFY(m_ui->show());
    m_ui->doc.SetPilotLight(0, 0, 4);
    m_ui->doc.SetPhotocellFilter(1, 0);
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
}

void tst_frmMain_screen::cboAlert_userTypesSeven_stores5()
{
    QVERIFY(m_ui->show());
    auto *list = m_ui->child<QComboBox>("cboAlert");
    list->setFocus();
    QTest::keyClicks(list, QStringLiteral("7"));
    QCOMPARE(list->currentText(), QStringLiteral("7 Minute"));
    QCOMPARE(m_ui->doc.GetTimedOffAlert(), 5);
    QVERIFY(m_ui->doc.ConfigModified);
}

void tst_frmMain_screen::cboOverride_userPicksLast_stores994()
{
    QVERIFY(m_ui->show());
    auto *list = m_ui->child<QComboBox>("cboOverride");
    list->setFocus();
    QTest::keyClick(list, Qt::Key_End);
    QCOMPARE(list->currentText(), QStringLiteral("999 Minute"));
    QCOMPARE(m_ui->doc.GetTimedOffOverride(), 994);
    QCOMPARE(m_ui->doc.GetWord(508), 3);
    QCOMPARE(m_ui->doc.GetWord(509), 226);
    QVERIFY(m_ui->doc.ConfigModified);
}

void tst_frmMain_screen::showControl_valueOutsideList_showsNoEntryAndKeepsValue()
{
    m_ui->doc.SetTimedOffAlert(200);
    m_ui->doc.SetTimedOffOverride(1500);
    m_ui->doc.ConfigModified = false;
    m_ui->window.ShowControl();
    QCOMPARE(m_ui->child<QComboBox>("cboAlert")->currentIndex(), -1);
    QCOMPARE(m_ui->child<QComboBox>("cboOverride")->currentIndex(), -1);
    QCOMPARE(m_ui->doc.GetTimedOffAlert(), 200);
    QCOMPARE(m_ui->doc.GetTimedOffOverride(), 1500);
    QVERIFY(!m_ui->doc.ConfigModified);
}

void tst_frmMain_screen::showControl_changedListSelection_marksModified()
{
    m_ui->doc.SetTimedOffAlert(10);
    m_ui->doc.ConfigModified = false;
    m_ui->window.ShowControl();
    QCOMPARE(m_ui->child<QComboBox>("cboAlert")->currentText(), QStringLiteral("12 Minute"));
    QCOMPARE(m_ui->doc.GetTimedOffAlert(), 10);
    QVERIFY(m_ui->doc.ConfigModified);
}

void tst_frmMain_screen::showControl_footCandles_changesLevelLabelsOnly()
{
    m_ui->doc.SetPhotocellOnLevel(1, 3, 255);
    m_ui->window.ShowControl();
    const QString pilot = labelText("lblPilot(2)");
    QCOMPARE(labelText("lblPCOn(7)"), QStringLiteral("255 / 255"));
    m_ui->doc.ShowLevelsInFC = true;
    m_ui->window.ShowControl();
    QCOMPARE(labelText("lblPCOn(7)"),
             QStringLiteral("%1 FC").arg(modOVMXConfig::LevelToFootCandles(255)));
    for (int n = 0; n < 8; ++n) {
        QVERIFY(labelText(QStringLiteral("lblPCOn(%1)").arg(n)).endsWith(QLatin1String(" FC")));
        QVERIFY(labelText(QStringLiteral("lblPCOff(%1)").arg(n)).endsWith(QLatin1String(" FC")));
    }
    QCOMPARE(labelText("lblPilot(2)"), pilot);
}

void tst_frmMain_screen::showControl_sample_showsWidestTexts()
{
    fillSampleConfig(m_ui->doc);
    m_ui->window.ShowControl();
    const GridModel &model = m_ui->model();
    QCOMPARE(model.cellText(0), QStringLiteral("TgToH"));
    QCOMPARE(model.cellText(672), QStringLiteral("100%"));
    QCOMPARE(model.cellText(688), QStringLiteral("2 Point Tracking"));
    QCOMPARE(model.cellText(716), QStringLiteral("Setpoint Tracking"));
    QCOMPARE(m_ui->child<PanelFrame>("frmPC1Levels")->caption(),
             QStringLiteral("Photocell 1 [2 Sec Filter]"));
    QCOMPARE(m_ui->child<QComboBox>("cboAlert")->currentText(), QStringLiteral("99 Minute"));
    QCOMPARE(m_ui->child<QComboBox>("cboOverride")->currentText(), QStringLiteral("999 Minute"));
}

void tst_frmMain_screen::font_cellTexts_fitTheirCells_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("room");
    for (const char *text : {"TgToH", "Disable", "100%", "OffOffH", "Revert"})
        QTest::newRow(text) << text << 41 - 2;
    QTest::newRow("tracking") << "Setpoint Tracking" << 161 - 2;
    QTest::newRow("row heading") << "Dimmer 4" << 49 - 2;
    QTest::newRow("pilot") << " Pilot 6 - Relay 4 Off" << 105 - 2;
    QTest::newRow("level") << "255 / 255" << 65 - 2;
}

void tst_frmMain_screen::font_cellTexts_fitTheirCells()
{
    QFETCH(QString, text);
    QFETCH(int, room);
    const QFontMetrics metrics(m_ui->window.grid()->font());
    QVERIFY2(metrics.horizontalAdvance(text) <= room, qPrintable(text));
    QVERIFY(metrics.height() <= 17 - 2);
    QCOMPARE(m_ui->child<QLabel>("lblPilot(11)")->font(), m_ui->window.grid()->font());
}

void tst_frmMain_screen::tooltip_overCell_showsFullCaption_data()
{
    QTest::addColumn<int>("cell");
    QTest::addColumn<QString>("caption");
    QTest::newRow("relay") << 26 << "Tamberline 01 Input 3 / Relay 2 Control";
    QTest::newRow("disable") << 110 << "Hardwire Input  3 / Tamberline 01 Input 1 Control";
    QTest::newRow("tracking") << 740 << "Photocell 2 / Dimmer Output 3 Control";
}

void tst_frmMain_screen::tooltip_overCell_showsFullCaption()
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

void tst_frmMain_screen::keyboard_arrowsAndEnter_driveTheGrid()
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

void tst_frmMain_screen::placement_screenHeight_decidesVerticalCentring_data()
{
    QTest::addColumn<QRect>("screen");
    QTest::addColumn<QPoint>("topLeft");
    QTest::newRow("900 high: near the top") << QRect(0, 0, 1280, 900) << QPoint(127, 2);
    QTest::newRow("901 high: centred") << QRect(0, 0, 1280, 901) << QPoint(127, 83);
    QTest::newRow("second screen") << QRect(1920, 0, 1920, 1080) << QPoint(2367, 172);
}

void tst_frmMain_screen::placement_screenHeight_decidesVerticalCentring()
{
    QFETCH(QRect, screen);
    QTEST(frmMain::placement(screen, QSize(1025, 735)), "topLeft");
}

QTEST_MAIN(tst_frmMain_screen)
#include "tst_frmMain_screen.moc"
