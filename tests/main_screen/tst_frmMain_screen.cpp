#include "MainWindowDriver.h"
#include "PanelFrame.h"
#include "SampleConfig.h"

#include <QComboBox>
#include <QLabel>

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
    void cboAlert_userTypesSeven_stores5();
    void cboOverride_userPicksLast_stores994();
    void showControl_valueOutsideList_showsNoEntryAndKeepsValue();
    void showControl_changedListSelection_marksModified();
    void showControl_footCandles_changesLevelLabelsOnly();
    void showControl_sample_showsWidestTexts();
    void font_cellTexts_fitTheirCells_data();
    void font_cellTexts_fitTheirCells();
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
