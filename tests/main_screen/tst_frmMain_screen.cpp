#include "MainWindowDriver.h"
#include "PanelFrame.h"
#include "SampleConfig.h"

#include <QComboBox>
#include <QLabel>

#include <memory>

// What the main window shows: its panels, lists, cells and placement.
class tst_frmMain_screen : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { m_home = std::make_unique<IsolatedHome>(); }
    void init() { m_ui = std::make_unique<MainWindowDriver>(); }
    void cleanup() { m_ui.reset(); }

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
    void showControl_sample_showsWidestTexts();
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
};

void tst_frmMain_screen::startup_newConfiguration_titledNoneAndUnmodified()
{
    QCOMPARE(m_ui->window.windowTitle(),
             QStringLiteral("Tevara Orvandel MX Configuration Tool  Rev 1.60   -   None"));
    QCOMPARE(m_ui->doc.DataFileName, QStringLiteral("None"));
    QVERIFY(!m_ui->doc.ConfigModified);
    QCOMPARE(m_ui->window.centralWidget()->size(), QSize(1025, 681));
    QVERIFY(m_ui->prompts.calls.isEmpty());
}

void tst_frmMain_screen::startup_texts_data()
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

void tst_frmMain_screen::startup_texts()
{
    QTEST(text(QString::fromLatin1(QTest::currentDataTag())), "text");
}

void tst_frmMain_screen::startup_timedOffLists_holdEveryMinute_data()
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

void tst_frmMain_screen::startup_timedOffLists_holdEveryMinute()
{
    QFETCH(int, count);
    QComboBox *combo = list(QString::fromLatin1(QTest::currentDataTag()));
    QCOMPARE(combo->count(), count);
    QTEST(combo->itemText(0), "first");
    QTEST(combo->itemText(count - 1), "last");
    QTEST(combo->currentText(), "selected");
}

void tst_frmMain_screen::startup_cells_readDashInSectionColours()
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

void tst_frmMain_screen::panels_placement_matchesLayout_data()
{
    QTest::addColumn<QRect>("rect");
    QTest::newRow("frmTB2Pilots") << QRect(296, 0, 241, 81);
    QTest::newRow("lblPilot(0)") << QRect(64, 24, 105, 17);
    QTest::newRow("lblPilot(11)") << QRect(424, 56, 105, 17);
    QTest::newRow("cboAlert") << QRect(612, 16, 81, 21);
    QTest::newRow("lblPCInp(0)") << QRect(704, 14, 17, 17);
    QTest::newRow("lblPCOff(7)") << QRect(880, 62, 65, 17);
}

void tst_frmMain_screen::panels_placement_matchesLayout()
{
    auto *widget = m_ui->child<QWidget>(QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY(widget);
    QTEST(QRect(widget->mapTo(m_ui->window.centralWidget(), QPoint(0, 0)), widget->size()), "rect");
}

void tst_frmMain_screen::timedOffList_userPicks_storesMinutesLessOffset_data()
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

void tst_frmMain_screen::timedOffList_userPicks_storesMinutesLessOffset()
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

void tst_frmMain_screen::showControl_listSelection_data()
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

void tst_frmMain_screen::showControl_listSelection()
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

void tst_frmMain_screen::showControl_footCandles_changesLevelLabelsOnly()
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

void tst_frmMain_screen::showControl_sample_showsWidestTexts()
{
    fillSampleConfig(m_ui->doc);
    m_ui->window.ShowControl();
    const GridModel &model = m_ui->model();
    QCOMPARE(model.cellText(0), QStringLiteral("TgToH"));
    QCOMPARE(model.cellText(672), QStringLiteral("100%"));
    QCOMPARE(model.cellText(688), QStringLiteral("2 Point Tracking"));
    QCOMPARE(model.cellText(716), QStringLiteral("Setpoint Tracking"));
    QCOMPARE(text("frmPC1Levels"), QStringLiteral("Photocell 1 [2 Sec Filter]"));
    QCOMPARE(list("cboAlert")->currentText(), QStringLiteral("99 Minute"));
    QCOMPARE(list("cboOverride")->currentText(), QStringLiteral("999 Minute"));
}

void tst_frmMain_screen::font_cellTexts_fitTheirCells_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("room");
    for (const char *text : {"Disable", "OffOffH"})
        QTest::newRow(text) << text << 41 - 2;
    QTest::newRow("tracking") << "Setpoint Tracking" << 161 - 2;
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
