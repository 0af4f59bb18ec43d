// Every window the main screen opens, opened as a user opens it: what loading, choosing and
// closing write, and what the screen shows afterwards.
#include "MainWindowDriver.h"
#include "SampleConfig.h"
#include "SimulatedSerialPort.h"
#include "modOVMXCommunications.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>

#include <numeric>

using Field = std::function<int(const modOVMXConfig &)>;
Q_DECLARE_METATYPE(Field)

class tst_settings : public QObject
{
    Q_OBJECT

    IsolatedHome m_home;
    ControllerSimulator m_controller;
    SimulatedSerialPort m_port{m_controller};
    modOVMXCommunications m_comm{m_port};

private Q_SLOTS:
    void window_openChooseClose_data()
    {
        QTest::addColumn<QString>("opener");
        QTest::addColumn<QString>("control"); // chosen in the window, if any
        QTest::addColumn<int>("position");
        QTest::addColumn<Field>("field"); // what the control shows and writes
        for (const char *image : {"new", "rich", "hostile"})
            for (const char *opener : {"26", "110", "700", "688", "lblPilot(7)", "lblPCOff(2)",
                                       "mnuRelayOptions", "mnuDimmerOptions", "mnuConnect"})
                QTest::addRow("%s, %s", image, opener) << opener << "" << 0 << Field();
        const auto row = [](const char *opener, const char *control, int position, Field field) {
            QTest::newRow(control) << opener << control << position << field;
        };
        using D = const modOVMXConfig &;
        row("mnuRelayOptions", "cboRlyPowerOn_3", 0, [](D d) { return d.GetRelayPowerOn(3); });
        row("mnuDimmerOptions", "cboDimMinLevel_1", 101,
            [](D d) { return d.GetDimmerMinLevel(1); });
        row("mnuDimmerOptions", "cboDimMaxLevel_2", 1, [](D d) { return d.GetDimmerMaxLevel(2); });
        row("mnuDimmerOptions", "cboDimFadeRate_3", 42, [](D d) { return d.GetDimmerFadeRate(3); });
        row("lblPilot(10)", "cboTBPilot_8", 2, [](D d) { return d.GetPilotLight(1, 2); });
        row("lblPilot(10)", "cboTBPilot_6", 3, [](D d) { return d.GetPilotLight(1, 0); });
        row("lblPCInp(1)", "cboPCOffLevel_6", 99, [](D d) { return d.GetPhotocellOffLevel(1, 2); });
        row("lblPCInp(1)", "cboPCOnLevel_4", 77, [](D d) { return d.GetPhotocellOnLevel(1, 0); });
        row("lblPCOn(7)", "optPC2Filter_0", 0, [](D d) { return d.GetPhotocellFilter(1); });
        // The option already chosen: a click on it changes nothing.
        row("lblPCOn(7)", "optPC2Filter_1", 1, [](D d) { return d.GetPhotocellFilter(1); });
        // The run's display choice: no part of the configuration, no change to it.
        row("lblPCOn(5)", "chkShowFC", 0, [](D d) { return int(d.ShowLevelsInFC); });
    }
    void window_openChooseClose()
    {
        // The image opened on: new, rich, hostile (every word outside every list), or for a
        // choice raw words, neighbours unequal and all inside their lists, so that a list on the
        // wrong field shows whatever its accessor says.
        const QString image = QString::fromLatin1(QTest::currentDataTag()).section(',', 0, 0);
        QFETCH(QString, control);
        QFETCH(int, position);
        QFETCH(Field, field);
        MainWindowDriver ui;
        ui.window.setCommunications(&m_comm);
        auto &doc = ui.doc;
        if (image == QLatin1String("rich"))
            fillSampleConfig(doc);
        for (int w = 0; w < modOVMXConfig::WordCount; ++w)
            doc.SetWord(w, image == QLatin1String("hostile") ? -1
                           : field && w >= 456 && w < 508    ? w % 5
                                                             : doc.GetWord(w));
        ui.window.ShowControl();
        doc.ShowLevelsInFC = bool(field);
        doc.SetRelayCloseAction(0, 0, 2); // shows only after a redraw
        doc.ConfigModified = false;
        const modOVMXConfig::Image before = doc.image();
        const bool changes =
            field && control != QLatin1String("chkShowFC") && field(doc) != position;
        QStringList selected; // lists and options showing an entry
        const auto findSelected = [&selected](const QWidget *window) {
            for (const QComboBox *list : window->findChildren<QComboBox *>())
                selected << (list->currentIndex() < 0 ? "" : list->objectName());
            for (const QRadioButton *option : window->findChildren<QRadioButton *>())
                selected << (option->isChecked() ? option->objectName() : "");
        };
        ui.onDialog = [&](QDialog &dialog) {
            if (dialog.inherits("frmPilots") || dialog.inherits("frmPCInputs")) // not loaded yet
                QTest::keyClick(dialog.findChild<QComboBox *>(), Qt::Key_Down);
            dialog.show();
            QVERIFY(QTest::qWaitForWindowExposed(&dialog));
            const QPoint offCentre = dialog.geometry().center() - ui.window.geometry().center();
            QVERIFY2(offCentre.manhattanLength() <= 4, "centred over the main window");
            findSelected(&dialog);
            auto *widget = dialog.findChild<QWidget *>(control);
            if (auto *list = qobject_cast<QComboBox *>(widget)) {
                QCOMPARE(list->currentIndex(), field(doc)); // the stored entry
                list->showPopup();
                list->view()->setCurrentIndex(list->model()->index(position, 0));
                QTest::keyClick(list->view(), Qt::Key_Return);
            } else if (auto *button = qobject_cast<QAbstractButton *>(widget)) {
                QCOMPARE(button->isChecked(),
                         field(doc) == (qobject_cast<QCheckBox *>(button) ? 1 : position));
                QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
            }
            QTest::mouseClick(dialog.findChild<QPushButton *>("cmdClose"), Qt::LeftButton);
            QVERIFY(!dialog.isVisible());
        };
        QFETCH(QString, opener);
        ui.use(opener);
        QCOMPARE(field ? field(doc) : 0, position);
        const int changed = std::inner_product(before.begin(), before.end(), doc.image().begin(), 0,
                                               std::plus<>(), std::not_equal_to<>());
        // The connection window replaces a port outside its list with COM1, as a user's choice.
        const bool portReplaced = image == QLatin1String("hostile") && opener == "mnuConnect";
        QCOMPARE(changed, changes || portReplaced ? 1 : 0);
        // A cell click marks the configuration modified; so does the connection window's port.
        if (opener != QLatin1String("mnuConnect"))
            QCOMPARE(doc.ConfigModified, changed == 1 || opener[0].isDigit());
        QCOMPARE(ui.window.grid()->model().cellText(0),
                 ConfigTexts::InputRelayControlText(doc, 0, 0));
        findSelected(&ui.window);
        if (image == QLatin1String("hostile"))
            QCOMPARE(selected.join(QString()), portReplaced ? "cboComPort" : "");
    }
};

QTEST_MAIN(tst_settings)
#include "tst_settings.moc"
