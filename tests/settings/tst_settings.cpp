// The four settings dialogs: relay power-on, dimmers, pilots and photocell inputs.
#include "FakePrompts.h"
#include "frmDimmerSettings.h"
#include "frmPCInputs.h"
#include "frmPilots.h"
#include "frmRelayPowerOn.h"
#include "modOVMXConfig.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <memory>

class tst_settings : public QObject
{
    Q_OBJECT

private:
    modOVMXConfig m_doc;
    FakePrompts m_prompts;
    std::unique_ptr<QDialog> m_dialog;

    std::unique_ptr<QDialog> make(const QString &name, QWidget *parent = nullptr)
    {
        if (name == "frmRelayPowerOn")
            return std::make_unique<frmRelayPowerOn>(m_doc, m_prompts, parent);
        if (name == "frmDimmerSettings")
            return std::make_unique<frmDimmerSettings>(m_doc, m_prompts, parent);
        if (name == "frmPilots")
            return std::make_unique<frmPilots>(m_doc, m_prompts, parent);
        return std::make_unique<frmPCInputs>(m_doc, m_prompts, parent);
    }
    void open(const QString &name)
    {
        m_dialog = make(name);
        m_dialog->show();
    }
    template <typename T = QComboBox> T *get(const QString &name) const
    {
        T *found = m_dialog->findChild<T *>(name);
        if (!found)
            qWarning("no control named %s", qPrintable(name));
        return found;
    }
    QRadioButton *filter(int p, int i) const
    {
        return get<QRadioButton>(QString("optPC%1Filter_%2").arg(p + 1).arg(i));
    }
    // Opens the list, moves to `position` and takes it with Return.
    static void choose(QComboBox *list, int position)
    {
        list->showPopup();
        list->view()->setCurrentIndex(list->model()->index(position, 0));
        QTest::keyClick(list->view(), Qt::Key_Return);
    }

private Q_SLOTS:
    void init()
    {
        m_dialog.reset();
        m_doc = modOVMXConfig();
        m_doc.NewConfiguration();
        m_doc.ConfigModified = false;
        m_prompts.clear();
    }

    void dialogs_data()
    {
        QTest::addColumn<QString>("name");
        for (const char *name :
             {"frmRelayPowerOn", "frmDimmerSettings", "frmPilots", "frmPCInputs"})
            QTest::newRow(name) << QString(name);
    }

    void openedOverWindow_isCentred_data() { dialogs_data(); }
    void openedOverWindow_isCentred()
    {
        QFETCH(QString, name);
        QWidget main;
        main.setGeometry(40, 60, 1025, 681);
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        auto dialog = make(name, &main);
        const QRect outer = main.frameGeometry();
        QCOMPARE(dialog->pos(), QPoint(outer.left() + (outer.width() - dialog->width()) / 2,
                                       outer.top() + (outer.height() - dialog->height()) / 2));
        QVERIFY(dialog->width() < outer.width());
    }

    void closeButton_endsModalRun_data() { dialogs_data(); }
    void closeButton_endsModalRun()
    {
        QFETCH(QString, name);
        m_dialog = make(name);
        bool stillOpen = true;
        QTimer::singleShot(0, m_dialog.get(), [&] {
            QTest::mouseClick(get<QPushButton>("cmdClose"), Qt::LeftButton);
            stillOpen = m_dialog->isVisible();
            if (stillOpen)
                m_dialog->reject(); // reports the failure instead of timing out
        });
        m_dialog->exec();
        QVERIFY(!stillOpen);
    }

    void openAndCloseWithoutChoice_writesNothing_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("modified");
        for (const char *name :
             {"frmRelayPowerOn", "frmDimmerSettings", "frmPilots", "frmPCInputs"}) {
            QTest::addRow("%s unmodified", name) << QString(name) << false;
            QTest::addRow("%s modified", name) << QString(name) << true;
        }
    }
    void openAndCloseWithoutChoice_writesNothing()
    {
        QFETCH(QString, name);
        QFETCH(bool, modified);
        // Values away from the first entries, so a list writing its selection back shows.
        m_doc.SetRelayPowerOn(1, 4);
        m_doc.SetDimmerFadeRate(2, 30);
        m_doc.SetPilotLight(1, 2, 7);
        m_doc.SetPhotocellOnLevel(1, 3, 200);
        m_doc.SetPhotocellFilter(0, 0);
        m_doc.ConfigModified = modified;
        const modOVMXConfig::Image before = m_doc.image();
        open(name);
        QVERIFY(QTest::qWaitForWindowExposed(m_dialog.get()));
        QTest::mouseClick(get<QPushButton>("cmdClose"), Qt::LeftButton);
        QVERIFY(!m_dialog->isVisible());
        QVERIFY(m_doc.image() == before);
        QCOMPARE(m_doc.ConfigModified, modified);
        QVERIFY(m_prompts.calls.isEmpty());
    }

    void texts_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("widget"); // empty: the window caption
        QTest::addColumn<QString>("text");
        const auto row = [](const char *name, const char *widget, const char *text) {
            QTest::addRow("%s %s", name, widget)
                << QString(name) << QString(widget) << QString(text);
        };
        row("frmRelayPowerOn", "", "Relay Power On Options");
        row("frmRelayPowerOn", "cmdClose", "Close");
        row("frmRelayPowerOn", "frmRelay1", "Relay 1");
        row("frmRelayPowerOn", "Frame4", "Relay 4");
        row("frmDimmerSettings", "", "Dimmer Settings");
        row("frmDimmerSettings", "frmDim3", "Dimmer 3");
        row("frmPilots", "", "Tamberline Pilots");
        row("frmPilots", "frmTB1Pilots", "Tamberline 01 Pilots");
        row("frmPilots", "frmTB2Pilots", "Tamberline 02 Pilots");
        row("frmPCInputs", "", "Photocell Input Levels");
        row("frmPCInputs", "frmPC2Levels", "Photocell 2 Input Levels");
        row("frmPCInputs", "chkShowFC", "Show Levels In FC On Main Programming Screen");
        row("frmPCInputs", "lblOffOn_2", "Off Level");
        row("frmPCInputs", "lblOffOn_3", "On Level");
        row("frmPCInputs", "lblPCInput_4", "1");
        row("frmPCInputs", "lblPCInput_7", "4");
        row("frmPCInputs", "optPC1Filter_0", "2 Sec");
        row("frmPCInputs", "optPC2Filter_1", "30 Sec");
    }
    void texts()
    {
        QFETCH(QString, name);
        QFETCH(QString, widget);
        QFETCH(QString, text);
        open(name);
        const QWidget *w = widget.isEmpty() ? m_dialog.get() : get<QWidget>(widget);
        if (w == m_dialog.get()) {
            QCOMPARE(w->windowTitle(), text);
            return;
        }
        QCOMPARE(w->property(w->inherits("QGroupBox") ? "title" : "text").toString(), text);
    }

    void frames_holdTheirControls_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("frame");
        QTest::addColumn<QStringList>("controls");
        const QStringList relayFrames{"frmRelay1", "frmRelay2", "frmRelay3", "Frame4"};
        for (int r = 0; r < 4; ++r)
            QTest::addRow("relay %d", r + 1) << "frmRelayPowerOn" << relayFrames[r]
                                             << QStringList{QString("cboRlyPowerOn_%1").arg(r)};
        for (int d = 0; d < 4; ++d) {
            QStringList lists;
            for (const char *list :
                 {"cboDimPowerOn", "cboDimMinLevel", "cboDimMaxLevel", "cboDimFadeRate"})
                lists << QString("%1_%2").arg(list).arg(d);
            QTest::addRow("dimmer %d", d + 1)
                << "frmDimmerSettings" << QString("frmDim%1").arg(d + 1) << lists;
        }
        for (int s = 0; s < 2; ++s) {
            QStringList lists;
            for (int k = 6 * s; k < 6 * s + 6; ++k)
                lists << QString("cboTBPilot_%1").arg(k);
            QTest::addRow("station %d", s + 1)
                << "frmPilots" << QString("frmTB%1Pilots").arg(s + 1) << lists;
        }
        for (int p = 0; p < 2; ++p) {
            QStringList controls{
                QString("lblOffOn_%1").arg(2 * p), QString("lblOffOn_%1").arg(2 * p + 1),
                QString("optPC%1Filter_0").arg(p + 1), QString("optPC%1Filter_1").arg(p + 1)};
            for (int k = 4 * p; k < 4 * p + 4; ++k)
                controls << QString("lblPCInput_%1").arg(k) << QString("cboPCOffLevel_%1").arg(k)
                         << QString("cboPCOnLevel_%1").arg(k);
            QTest::addRow("photocell %d", p + 1)
                << "frmPCInputs" << QString("frmPC%1Levels").arg(p + 1) << controls;
        }
    }
    void frames_holdTheirControls()
    {
        QFETCH(QString, name);
        QFETCH(QString, frame);
        QFETCH(QStringList, controls);
        open(name);
        for (const QString &c : controls)
            QVERIFY2(get<QWidget>(frame)->isAncestorOf(get<QWidget>(c)), qPrintable(c));
    }

    void lists_holdTheirEntries_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("list");
        QTest::addColumn<int>("count");
        QTest::addColumn<QList<int>>("positions");
        QTest::addColumn<QStringList>("entries");
        QTest::newRow("relay") << "frmRelayPowerOn"
                               << "cboRlyPowerOn_3" << 5 << QList<int>{0, 1, 2, 3, 4}
                               << QStringList{"No Change", "Turn Off", "Turn On",
                                              "Turn Off If HW Input 1 is closed",
                                              "Turn On If HW Input 1 is closed"};
        QTest::newRow("power on") << "frmDimmerSettings"
                                  << "cboDimPowerOn_0" << 101 << QList<int>{0, 1, 50, 100}
                                  << QStringList{"Power On Level: 0%", "Power On Level: 1%",
                                                 "Power On Level: 50%", "Power On Level: 100%"};
        QTest::newRow("minimum") << "frmDimmerSettings"
                                 << "cboDimMinLevel_1" << 102 << QList<int>{0, 1, 2, 51, 101}
                                 << QStringList{"Min Level: Photocell", "Min Level: 0%",
                                                "Min Level: 1%", "Min Level: 50%",
                                                "Min Level: 100%"};
        QTest::newRow("maximum") << "frmDimmerSettings"
                                 << "cboDimMaxLevel_2" << 102 << QList<int>{0, 1, 101}
                                 << QStringList{"Max Level: Photocell", "Max Level: 0%",
                                                "Max Level: 100%"};
        QTest::newRow("fade rate")
            << "frmDimmerSettings"
            << "cboDimFadeRate_3" << 43 << QList<int>{0, 1, 15, 16, 17, 42}
            << QStringList{"Fade Rate: 0 Sec",  "Fade Rate: 2 Sec",  "Fade Rate: 30 Sec",
                           "Fade Rate: 40 Sec", "Fade Rate: 50 Sec", "Fade Rate: 300 Sec"};
        QTest::newRow("pilot 1") << "frmPilots"
                                 << "cboTBPilot_0" << 10 << QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}
                                 << QStringList{"Pilot 1 = On",         "Pilot 1 = Off",
                                                "Pilot 1 = Relay 1 On", "Pilot 1 = Relay 1 Off",
                                                "Pilot 1 = Relay 2 On", "Pilot 1 = Relay 2 Off",
                                                "Pilot 1 = Relay 3 On", "Pilot 1 = Relay 3 Off",
                                                "Pilot 1 = Relay 4 On", "Pilot 1 = Relay 4 Off"};
        QTest::newRow("pilot 4 of station 02")
            << "frmPilots"
            << "cboTBPilot_9" << 10 << QList<int>{0, 9}
            << QStringList{"Pilot 4 = On", "Pilot 4 = Relay 4 Off"};
        for (const char *list : {"cboPCOffLevel_0", "cboPCOnLevel_7"})
            QTest::newRow(list) << "frmPCInputs" << list << 256
                                << QList<int>{0, 92, 128, 181, 240, 241, 255}
                                << QStringList{"0/255 0FC",     "92/255 7FC",     "128/255 14FC",
                                               "181/255 52FC",  "240/255 1600FC", "241/255 1800FC",
                                               "255/255 1800FC"};
    }
    void lists_holdTheirEntries()
    {
        QFETCH(QString, name);
        QFETCH(QString, list);
        QFETCH(int, count);
        QFETCH(QList<int>, positions);
        QFETCH(QStringList, entries);
        open(name);
        QCOMPARE(get(list)->count(), count);
        for (int n = 0; n < positions.size(); ++n)
            QCOMPARE(get(list)->itemText(positions[n]), entries[n]);
    }

    void storedWord_isSelectedWithoutWriting_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("word"); // -1: the new configuration
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("shown"); // empty: nothing selected
        const auto row = [](const char *tag, const char *name, int word, int value,
                            const char *list, const char *shown) {
            QTest::newRow(tag) << QString(name) << word << value << QString(list) << QString(shown);
        };
        row("relay new", "frmRelayPowerOn", -1, 0, "cboRlyPowerOn_2", "No Change");
        row("relay 2 on", "frmRelayPowerOn", 457, 2, "cboRlyPowerOn_1", "Turn On");
        row("relay 4 last", "frmRelayPowerOn", 459, 4, "cboRlyPowerOn_3",
            "Turn On If HW Input 1 is closed");
        row("relay outside", "frmRelayPowerOn", 457, 5, "cboRlyPowerOn_1", "");
        row("power on new", "frmDimmerSettings", -1, 0, "cboDimPowerOn_2", "Power On Level: 100%");
        row("minimum new", "frmDimmerSettings", -1, 0, "cboDimMinLevel_2", "Min Level: 0%");
        row("maximum new", "frmDimmerSettings", -1, 0, "cboDimMaxLevel_2", "Max Level: 100%");
        row("fade new", "frmDimmerSettings", -1, 0, "cboDimFadeRate_2", "Fade Rate: 0 Sec");
        row("power on 37", "frmDimmerSettings", 484, 37, "cboDimPowerOn_1", "Power On Level: 37%");
        row("minimum photocell", "frmDimmerSettings", 489, 0, "cboDimMinLevel_2",
            "Min Level: Photocell");
        row("maximum 75", "frmDimmerSettings", 494, 76, "cboDimMaxLevel_3", "Max Level: 75%");
        row("fade 40", "frmDimmerSettings", 483, 16, "cboDimFadeRate_0", "Fade Rate: 40 Sec");
        row("fade outside", "frmDimmerSettings", 491, 43, "cboDimFadeRate_2", "");
        row("power on outside", "frmDimmerSettings", 480, 101, "cboDimPowerOn_0", "");
        row("pilot new", "frmPilots", -1, 0, "cboTBPilot_11", "Pilot 6 = On");
        row("pilot 2", "frmPilots", 497, 3, "cboTBPilot_1", "Pilot 2 = Relay 1 Off");
        row("pilot 6 of 02", "frmPilots", 507, 9, "cboTBPilot_11", "Pilot 6 = Relay 4 Off");
        row("pilot outside", "frmPilots", 502, 10, "cboTBPilot_6", "");
        row("level new", "frmPCInputs", -1, 0, "cboPCOnLevel_4", "0/255 0FC");
        row("off level 17", "frmPCInputs", 465, 17, "cboPCOffLevel_1", "17/255 0FC");
        row("on level 255", "frmPCInputs", 479, 255, "cboPCOnLevel_7", "255/255 1800FC");
        row("level outside", "frmPCInputs", 466, 256, "cboPCOffLevel_2", "");
    }
    void storedWord_isSelectedWithoutWriting()
    {
        QFETCH(QString, name);
        QFETCH(int, word);
        QFETCH(int, value);
        QFETCH(QString, list);
        QFETCH(QString, shown);
        if (word >= 0)
            m_doc.SetWord(word, value);
        m_doc.ConfigModified = false;
        const modOVMXConfig::Image before = m_doc.image();
        open(name);
        QCOMPARE(get(list)->currentText(), shown);
        QCOMPARE(get(list)->currentIndex() == -1, shown.isEmpty());
        QVERIFY(m_doc.image() == before);
        QVERIFY(!m_doc.ConfigModified);
    }

    void choosingEntry_writesOnlyItsWord_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("list");
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("word");
        QTest::addColumn<int>("preset");    // the word before, -1: the new configuration
        QTest::addColumn<QString>("other"); // a list whose selection must stay
        const auto row = [](const char *tag, const char *name, const char *list, int position,
                            int word, int preset, const char *other) {
            QTest::newRow(tag) << QString(name) << QString(list) << position << word << preset
                               << QString(other);
        };
        row("relay 1 on", "frmRelayPowerOn", "cboRlyPowerOn_0", 2, 456, -1, "cboRlyPowerOn_1");
        row("relay 3 last", "frmRelayPowerOn", "cboRlyPowerOn_2", 4, 458, -1, "");
        row("relay 4 no change", "frmRelayPowerOn", "cboRlyPowerOn_3", 0, 459, 1, "");
        row("relay outside", "frmRelayPowerOn", "cboRlyPowerOn_1", 0, 457, 5, "");
        row("power on 0", "frmDimmerSettings", "cboDimPowerOn_0", 0, 480, -1, "cboDimPowerOn_1");
        row("minimum photocell", "frmDimmerSettings", "cboDimMinLevel_1", 0, 485, -1, "");
        row("minimum 0", "frmDimmerSettings", "cboDimMinLevel_2", 1, 489, -1, "");
        row("maximum 99", "frmDimmerSettings", "cboDimMaxLevel_3", 100, 494, -1, "");
        row("fade 40", "frmDimmerSettings", "cboDimFadeRate_0", 16, 483, -1, "");
        row("fade 300", "frmDimmerSettings", "cboDimFadeRate_3", 42, 495, -1, "");
        row("fade outside", "frmDimmerSettings", "cboDimFadeRate_2", 5, 491, 43, "");
        row("station 01 pilot 1", "frmPilots", "cboTBPilot_0", 1, 496, -1, "");
        row("station 01 pilot 4", "frmPilots", "cboTBPilot_3", 6, 499, -1, "cboTBPilot_9");
        row("station 01 pilot 6", "frmPilots", "cboTBPilot_5", 9, 501, -1, "");
        row("station 02 pilot 4", "frmPilots", "cboTBPilot_9", 4, 505, -1, "");
        row("station 02 pilot 6", "frmPilots", "cboTBPilot_11", 7, 507, -1, "");
        row("pilot outside", "frmPilots", "cboTBPilot_6", 2, 502, 10, "");
        row("photocell 1 off 1", "frmPCInputs", "cboPCOffLevel_0", 1, 464, -1, "cboPCOffLevel_1");
        row("photocell 2 off 3", "frmPCInputs", "cboPCOffLevel_6", 128, 470, -1, "cboPCOffLevel_7");
        row("photocell 1 on 2", "frmPCInputs", "cboPCOnLevel_1", 240, 473, -1, "cboPCOnLevel_0");
        row("photocell 2 on 4", "frmPCInputs", "cboPCOnLevel_7", 255, 479, -1, "cboPCOnLevel_6");
    }
    void choosingEntry_writesOnlyItsWord()
    {
        QFETCH(QString, name);
        QFETCH(QString, list);
        QFETCH(int, position);
        QFETCH(int, word);
        QFETCH(int, preset);
        QFETCH(QString, other);
        if (preset >= 0)
            m_doc.SetWord(word, preset);
        m_doc.ConfigModified = false;
        modOVMXConfig::Image expected = m_doc.image();
        expected[size_t(word)] = static_cast<int16_t>(position);
        open(name);
        const int otherIndex = other.isEmpty() ? 0 : get(other)->currentIndex();
        choose(get(list), position);
        QCOMPARE(get(list)->currentIndex(), position);
        QVERIFY(m_doc.image() == expected);
        QVERIFY(m_doc.ConfigModified);
        if (!other.isEmpty())
            QCOMPARE(get(other)->currentIndex(), otherIndex);
    }

    void dimmerMinimumAboveMaximum_isStoredAsChosen()
    {
        open("frmDimmerSettings");
        choose(get("cboDimMaxLevel_1"), 21);
        choose(get("cboDimMinLevel_1"), 81);
        QCOMPARE(m_doc.GetDimmerMaxLevel(1), 21);
        QCOMPARE(m_doc.GetDimmerMinLevel(1), 81);
        QCOMPARE(get("cboDimMinLevel_1")->currentText(), QString("Min Level: 80%"));
    }

    void beforeActivation_userInputWritesNothing_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("list");
        QTest::newRow("pilots") << "frmPilots"
                                << "cboTBPilot_2";
        QTest::newRow("photocells") << "frmPCInputs"
                                    << "cboPCOnLevel_4";
    }
    void beforeActivation_userInputWritesNothing()
    {
        QFETCH(QString, name);
        QFETCH(QString, list);
        m_dialog = make(name);
        const modOVMXConfig::Image before = m_doc.image();
        QTest::keyClick(get(list), Qt::Key_Down);
        QVERIFY(m_doc.image() == before);
        QVERIFY(!m_doc.ConfigModified);
    }

    void photocellFilter_clickWritesItsWord_data()
    {
        QTest::addColumn<int>("p");
        QTest::addColumn<int>("stored"); // 1: 30 s, the new configuration; 2: outside the options
        QTest::addColumn<int>("index");
        QTest::newRow("photocell 1 to 2 s") << 0 << 1 << 0;
        QTest::newRow("photocell 2 to 2 s") << 1 << 1 << 0;
        QTest::newRow("photocell 2 to 30 s") << 1 << 0 << 1;
        QTest::newRow("photocell 2 outside to 30 s") << 1 << 2 << 1;
        QTest::newRow("photocell 2 outside to 2 s") << 1 << 2 << 0;
    }
    void photocellFilter_clickWritesItsWord()
    {
        QFETCH(int, p);
        QFETCH(int, stored);
        QFETCH(int, index);
        m_doc.SetPhotocellFilter(p, stored);
        m_doc.ConfigModified = false;
        modOVMXConfig::Image expected = m_doc.image();
        expected[size_t(460 + p)] = static_cast<int16_t>(index);
        open("frmPCInputs");
        QCOMPARE(filter(p, 0)->isChecked(), stored == 0);
        QCOMPARE(filter(p, 1)->isChecked(), stored == 1);
        QTest::mouseClick(filter(p, index), Qt::LeftButton, {},
                          QPoint(6, filter(p, index)->height() / 2));
        QVERIFY(filter(p, index)->isChecked());
        QVERIFY(!filter(p, 1 - index)->isChecked());
        QVERIFY(m_doc.image() == expected);
        QVERIFY(m_doc.ConfigModified);
    }

    void showFC_changesOnlyTheRunsDisplayChoice()
    {
        const modOVMXConfig::Image before = m_doc.image();
        open("frmPCInputs");
        auto *box = get<QCheckBox>("chkShowFC");
        QVERIFY(!box->isChecked());
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
        QVERIFY(m_doc.ShowLevelsInFC);
        open("frmPCInputs");
        box = get<QCheckBox>("chkShowFC");
        QVERIFY(box->isChecked());
        QTest::keyClick(box, Qt::Key_Space);
        QVERIFY(!m_doc.ShowLevelsInFC);
        QVERIFY(m_doc.image() == before);
        QVERIFY(!m_doc.ConfigModified);
    }
};

QTEST_MAIN(tst_settings)
#include "tst_settings.moc"
