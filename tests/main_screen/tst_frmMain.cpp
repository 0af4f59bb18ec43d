// The main window driven as a user drives it: the grid, its panels, the File menu and the
// message boxes it shows.
#include "BackupStore.h"
#include "ConfigDiff.h"
#include "HandoverFile.h"
#include "ListPopupStyle.h"
#include "MainWindowDriver.h"
#include "QtPrompts.h"
#include "ReportCommands.h"
#include "SampleConfig.h"
#include "SimulatedSerialPort.h"
#include "WheelGuard.h"
#include "frmConnect.h"
#include "modOVMXCommunications.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessible>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTimer>
#include <QToolTip>
#include <QUndoStack>
#include <QWheelEvent>

namespace
{
enum ImageAfter { Kept, Fresh, Other, Damaged };

// Files lie in the test's folder; "sample.OMX/x" cannot be made; "preset" is the name the
// dialogs propose.
struct FileCase {
    // A menu command, a shortcut or "close" (the window's close button); the document's file
    // before: "None", "sample.OMX" or "sample.OMX/x".
    const char *command, *named;
    bool modified, answer;
    // The file dialog's answer ("" cancels; also the file an error names), the boxes shown
    // (discard, exit, error) then the file dialogs, and the document's file afterwards.
    const char *chosen, *seen, *name;
    ImageAfter image;
    bool modifiedAfter, titled, closed;
};
} // namespace
Q_DECLARE_METATYPE(FileCase)

class tst_frmMain : public QObject
{
    Q_OBJECT

    IsolatedHome m_home;
    WheelGuard m_wheelGuard;
    QScopedPointer<MainWindowDriver> m_ui;

    // The sample with values outside five codings: a relay's close action, dimmer cells, a
    // photocell level, a pilot and a filter.
    static void damageSample(modOVMXConfig &doc)
    {
        fillSampleConfig(doc);
        doc.SetRelayCloseAction(0, 0, 50);
        doc.SetDimmerControl(0, 0, 300);
        doc.SetDimmerControl(1, 0, 105);
        doc.SetPhotocellOffLevel(0, 0, -1);
        doc.SetPilotLight(0, 1, 10);
        doc.SetPhotocellFilter(1, 7);
    }
    static QString unknownValues(const QString &holder)
    {
        return "Unknown Values|" + holder +
               " holds 6 values that this tool has no setting for:\n"
               "\n    Relay 1 / Tamberline 01 Input 1: close action 50"
               "\n    Photocell 2: filter 7"
               "\n    Photocell 1 Input  1: off level -1"
               "\n    Tamberline 01 Input 2: pilot 10"
               "\n    Dimmer Output 1 / Tamberline 01 Input 1: control 300"
               "\n    and 1 more"
               "\n\nWhere they show:"
               "\n    as \"?\" on the grid: 3"
               "\n    as \"?\" in the panels above the grid: 2"
               "\n    only in their editors and settings dialogs: 1"
               "\n\nThey are kept unchanged: saving writes them back as they are.|1";
    }
    // The damaged relay and dimmer cells, the photocell level and the pilot as the screen shows
    // them.
    QStringList unknownShown() const
    {
        const GridModel &model = m_ui->window.grid()->model();
        const auto *level = m_ui->window.findChild<QLabel *>("lblPCOff(0)");
        const auto *pilot = m_ui->window.findChild<QLabel *>("lblPilot(1)");
        return {model.cellText(0), model.cellText(672), level ? level->text() : "",
                pilot ? pilot->text() : ""};
    }

    // The windows opened with their captions, then the boxes shown.
    QStringList shown() const
    {
        QStringList all = m_ui->opened;
        for (const auto &box : m_ui->prompts.calls)
            all << box.title + '|' + box.text + '|' + QString::number(int(box.icon));
        return all;
    }

private Q_SLOTS:
    void initTestCase()
    {
        qApp->installEventFilter(&m_wheelGuard);
        ListPopupStyle::install();
    }
    void init()
    {
        m_ui.reset(new MainWindowDriver);
        QVERIFY(QTest::qWaitForWindowActive(&m_ui->window));
    }
    void cleanup() { m_ui.reset(); }

    void userSteps_showAndStore_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("outcome");
        const auto row = [](const char *tag, const QStringList &steps, const QStringList &outcome) {
            QTest::newRow(tag) << steps << outcome;
        };
        // A click opens the editor of its cell with its captions, then redraws the screen.
        row("relay 95", {"click 95"},
            {"d4 i23 r3 c95", "frmRelayControl", "Photocell 2 Input  4 / Relay 4 Control",
             "modified", "selected 23 3 -1 -25 1", "redrawn"});
        row("disable 110", {"click 110"},
            {"d2 i14 r4 c110", "frmInputControl",
             "Hardwire Input  3 / Tamberline 01 Input 1 Control",
             "Hardwire Input  3 Disables Tamberline 01 Input 1 When Closed",
             "Hardwire Input  3 Disables Tamberline 01 Input 1 When Open", "modified",
             "selected 14 4 0 -24 -1", "redrawn"});
        // The diagonal lies under its filler: only a call reaches it.
        row("diagonal 271", {"click 271", "call 271"},
            {"", "Error|Unable To Disable An Input From The Same Input.|0", "modified",
             "selected 7 11 7 -17 -3", "redrawn"});
        row("dimmer 687", {"click 687"},
            {"d2 i15 r28 c687", "frmDimmerControl", "Hardwire Input  4 / Dimmer Output 1 Control",
             "modified", "selected 15 28 24 0 -1", "redrawn"});
        row("tracking 764", {"track 1 3", "click 764"},
            {"d4 r31 c764", "frmDimmerScale", "Photocell 2 / Dimmer Output 4 Control", "modified",
             "selected 20 31 27 3 1", "redrawn"});
        // Refused: nothing changed, so nothing is redrawn.
        row("tracking 712 refused", {"track 1 1", "click 712"},
            {"d3 r29 c712",
             "Error|This Dimmer Output Is Configured To Track Photocell 2.\r\nTracking Of 2 "
             "Photocells Is Not Permitted.|2",
             "modified", "selected 16 29 25 1 0"});
        // The mouse lights the headings of the cell under it; the background clears them.
        row("onto a filler", {"move 120", "move 196,264"}, {""});
        // Corners where the layout puts them: the first disable row, a covered photocell cell.
        row("top left of cell 97", {"move 96,208"}, {"d0 i1 r4 c97"});
        row("onto a covered cell", {"move 977,640"}, {"d4 r30 c740"});
        row("keys skip hidden cells", {"move 72", "key ProgrammingGrid Down"}, {"d0 i0 r5 c120"});
        row("background", {"move 29", "move 1021,300"}, {""});
        // While connected, the input last worked: its heading, the rows of the outputs that
        // followed it (relay 2) and of one that stayed still (dimmer 1), in its column too; the
        // mouse's highlight wins where the two meet, and the grid rests once disconnected.
        row("live input", {"live 2 1 28"}, {"i2 r1 r28 c26 c674"});
        row("live input under the mouse", {"live 2 1 28", "move 26"}, {"d0 i2 r1 r28 c26 c674"});
        row("live input at rest", {"live 2 1 28", "live -1 1 28"}, {""});
        // The timed-off lists store their position; a wheel passing over a list does nothing.
        row("lists", {"key cboAlert 7", "key cboOverride End"},
            {"", "modified", "timed off 5 994"});
        row("alert: wheel passing", {"wheel cboAlert"}, {""});
        row("print", {"click mnuFilePrint"},
            {"", "frmHandover", "QPrintPreviewDialog", "selected 0 0 0 0 0"});
    }
    void userSteps_showAndStore()
    {
        QFETCH(QStringList, steps);
        auto &doc = m_ui->doc;
        doc.SetRelayCloseAction(0, 0, 2); // on screen only after a redraw
        doc.ConfigModified = false;
        for (const QString &step : steps) {
            const QStringList w = step.split(' ');
            QWidget *widget = m_ui->window.findChild<QWidget *>(w.value(1));
            QWheelEvent wheel({}, {}, {}, {0, -120}, Qt::NoButton, {}, Qt::NoScrollPhase, false);
            if (w[0] == "move" || w[0] == "click")
                m_ui->use(w[1], w[0] == "click");
            else if (w[0] == "call")
                m_ui->window.lblControl_Click(w[1].toInt());
            else if (w[0] == "track")
                doc.SetPhotocellTracking(w[1].toInt(), w[2].toInt(), 2);
            else if (w[0] == "live")
                m_ui->window.grid()->setLive(w[1].toInt(), {w[2].toInt()}, {w[3].toInt()});
            else if (w[0] == "key")
                QTest::keyClick(widget, QKeySequence(w[2])[0].key());
            else if (w[0] == "wheel") // one notch towards the user: the next entry
                QApplication::sendEvent(widget, &wheel);
        }
        QString lights; // the headings lit (device, input, row) and the cell under the mouse
        const GridModel &model = m_ui->window.grid()->model();
        const auto lit = [&lights](const char *kind, int n, const QColor &colour,
                                   const QColor &rest) {
            if (colour != rest)
                lights += kind + QString::number(n) + ' ';
        };
        for (int n = 0; n < GridModel::DeviceCount; ++n)
            lit("d", n, model.deviceColour(n), GridModel::HeadingColour);
        for (int i = 0; i < GridModel::InputCount; ++i)
            lit("i", i, model.inputColour(i), GridModel::HeadingColour);
        for (int q = 0; q < GridModel::RowCount; ++q)
            lit("r", q, model.outputColour(q), GridModel::HeadingColour);
        for (int k = 0; k < GridModel::CellCount; ++k)
            lit("c", k, model.cellColour(k), // in the colour of its section's caption
                GridModel::captionColour((k >= 96) + (k >= 672) + ConfigTexts::isTrackingCell(k)));
        QStringList outcome = QStringList{lights.trimmed()} + shown();
        if (doc.ConfigModified)
            outcome << "modified";
        if (!shown().isEmpty())
            outcome << QString::asprintf("selected %d %d %d %d %d", doc.SelInput, doc.SelRelay,
                                         doc.SelDisInput, doc.SelDimmer, doc.SelPhotocell);
        if (model.cellText(0) != QLatin1String("-"))
            outcome << "redrawn";
        if (doc.GetTimedOffAlert() != 3 || doc.GetTimedOffOverride() != 115)
            outcome << QString::asprintf("timed off %d %d", doc.GetTimedOffAlert(),
                                         doc.GetTimedOffOverride());
        QTEST(outcome, "outcome");
    }

    // The frame, title bar included, stays inside the area panels leave free.
    void placement_centredOnceInsideFreeArea()
    {
        QCOMPARE(frmMain::placement({0, 0, 1280, 900}, {0, 0, 1280, 900}, {1025, 735}),
                 QPoint(127, 2));
        QCOMPARE(frmMain::placement({1920, 0, 1280, 901}, {1920, 0, 1280, 901}, {1025, 735}),
                 QPoint(2047, 83));
        // A laptop with a panel above: below it; too low for the frame: its title bar in view.
        QCOMPARE(frmMain::placement({0, 0, 1366, 768}, {0, 28, 1366, 740}, {1031, 762}),
                 QPoint(167, 28));
        // Centred on the screen, not on its free area, where the panels do not reach the frame.
        QCOMPARE(frmMain::placement({0, 0, 1920, 1080}, {0, 0, 1920, 1040}, {1031, 762}),
                 QPoint(444, 159));
        QCOMPARE(frmMain::placement({0, 0, 1920, 1080}, {64, 0, 1856, 1080}, {1031, 762}),
                 QPoint(444, 159));
        QCOMPARE(frmMain::placement({0, 0, 800, 600}, {0, 0, 800, 600}, {1031, 762}), QPoint());
    }

    void fileCommands_askWriteAndTitle_data()
    {
        QTest::addColumn<FileCase>("c");
        const char *none = "None", *sample = "sample.OMX", *bad = "sample.OMX/x";
        const auto row = [](const char *tag, const FileCase &c) { QTest::newRow(tag) << c; };
        row("New", {"mnuFileNew", sample, 0, 0, "", "", none, Fresh, 0, 1, 0});
        row("New, No", {"mnuFileNew", sample, 1, 0, "", "discard", sample, Kept, 1, 0, 0});
        row("New, Yes", {"mnuFileNew", sample, 1, 1, "", "discard", none, Fresh, 0, 1, 0});
        row("Ctrl+O, Yes",
            {"Ctrl+O", none, 1, 1, "other", "discard open", "other", Other, 0, 1, 0});
        row("Open, cancelled", {"mnuFileOpen", sample, 0, 0, "", "open", sample, Kept, 0, 1, 0});
        // Values with no setting show as "?", not as the texts of the file shown before.
        row("Open, damaged",
            {"mnuFileOpen", sample, 0, 0, "damaged", "unknown open", "damaged", Damaged, 0, 1, 0});
        row("Open, unreadable",
            {"mnuFileOpen", sample, 0, 0, bad, "error open", sample, Kept, 0, 1, 0});
        row("Save on None", {"mnuFileSave", none, 1, 0, "new", "save", "new", Kept, 0, 1, 0});
        row("Ctrl+S, named", {"Ctrl+S", sample, 1, 0, "", "", sample, Kept, 0, 1, 0});
        row("Save, unwritable", {"mnuFileSave", bad, 1, 0, bad, "error", bad, Kept, 1, 1, 0});
        row("Save As", {"mnuFileSaveAs", sample, 1, 0, "new", "save", "new", Kept, 0, 1, 0});
        row("Save As, unwritable",
            {"mnuFileSaveAs", sample, 1, 0, bad, "error save", sample, Kept, 1, 1, 0});
        // A report is no save: the document keeps its name and state; "?" marks the PDF dialog.
        row("Export PDF", {"mnuFileExportPdf", sample, 1, 0, "out.pdf", "frmHandover save?", sample,
                           Kept, 1, 0, 0});
        row("Export PDF, unwritable", {"mnuFileExportPdf", sample, 1, 0, bad,
                                       "frmHandover error save?", sample, Kept, 1, 0, 0});
        row("Exit", {"mnuExit", none, 0, 0, "", "", none, Kept, 0, 0, 1});
        row("Exit, No", {"mnuExit", none, 1, 0, "", "exit", none, Kept, 1, 0, 0});
        row("Exit, Yes", {"mnuExit", none, 1, 1, "", "exit", none, Kept, 1, 0, 1});
        row("close, No", {"close", none, 1, 0, "", "exit", none, Kept, 1, 0, 0});
    }
    void fileCommands_askWriteAndTitle()
    {
        QFETCH(FileCase, c);
        QTemporaryDir dir;
#ifdef Q_OS_WIN
        const QString data = "C:/Tevara Orvandel MX";
#else
        const QString data = m_home.dir.path() + "/Documents/Tevara Orvandel MX";
#endif
        QVERIFY(QDir(data).exists()); // made at start
        const auto path = [&](const QString &name) {
            if (name == QLatin1String("preset"))
                return QDir::toNativeSeparators(data + "/*.OMX");
            return name.isEmpty() || name == QLatin1String("None") ? name : dir.filePath(name);
        };
        modOVMXConfig sample, other, fresh, damaged;
        fillSampleConfig(sample);
        fresh.NewConfiguration();
        damageSample(damaged);
        QVERIFY(sample.writeFile(path("sample.OMX")).ok && other.writeFile(path("other")).ok &&
                damaged.writeFile(path("damaged")).ok);
        auto &doc = m_ui->doc;
        if (c.named != QLatin1String("None")) { // otherwise the name the window started with
            QVERIFY(m_ui->session.openFile(path("sample.OMX")));
            doc.DataFileName = path(c.named); // "sample.OMX/x": its file can no longer be written
        }
        if (c.modified) // otherwise as opened, or as started
            doc.SetDimmerControl(3, 3, 50);
        const modOVMXConfig::Image images[] = {doc.image(), fresh.image(), other.image(),
                                               damaged.image()};
        m_ui->prompts.script({c.answer});
        m_ui->fileDialogs.answers << path(c.chosen);
        m_ui->window.setWindowTitle("stale");
        m_ui->use(c.command);

        QStringList seen = shown(); // each box, then each file dialog
        for (QString &box : seen)   // a failure is reported naming its file
            if (c.chosen[0] && box.startsWith("Error|") && box.endsWith("|2") &&
                box.contains(path(c.chosen)))
                box = "error";
        const QString filter = "Orvandel MX Data Files (*.OMX *.omx);;All Files (*)";
        for (const auto &dialog : m_ui->fileDialogs.calls) // the first proposes the folder
            seen << QString(dialog.kind == FakeFileDialogs::Kind::Open ? "open" : "save") +
                        (dialog.presetName == path("preset") && dialog.filter == filter ? "" : "?");
        QCOMPARE(seen.join(' ')
                     .replace(unknownValues("The file \"" +
                                            QDir::toNativeSeparators(path("damaged")) + '"'),
                              "unknown")
                     .replace("Tevara Orvandel|Discard Any Changes?|3", "discard")
                     .replace("Exit Program|Discard Changes?|3", "exit"),
                 QLatin1String(c.seen));
        const QString name = path(c.name);
        QCOMPARE(doc.DataFileName, name);
        QCOMPARE(doc.image(), images[c.image]);
        QCOMPARE(doc.ConfigModified, c.modifiedAfter);
        QCOMPARE(m_ui->window.windowTitle(),
                 c.titled ? "Tevara Orvandel MX Configuration Tool  Rev 1.60   -   " + name
                          : "stale");
        QCOMPARE(m_ui->window.isVisible(), !c.closed);
        if (c.image == Damaged)
            QCOMPARE(unknownShown(), QStringList({"?", "?", "?", " Pilot 2 - ?"}));
        // Only the document's file is written, and it holds the image exactly.
        const bool saved = !c.modifiedAfter && name != QLatin1String("None");
        QFile file(saved ? name : path("sample.OMX"));
        QCOMPARE(file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray(),
                 modOVMXConfig::toBytes(saved ? doc.image() : sample.image()));
        QFile pdf(path("out.pdf")); // a report is written whole under the name chosen
        QCOMPARE(pdf.open(QIODevice::ReadOnly) ? pdf.read(5) : QByteArray(),
                 QByteArray(c.chosen == QLatin1String("out.pdf") ? "%PDF-" : ""));
    }

    // The names asked before a report go beside the data file, even when the PDF's name is then
    // cancelled, and are offered the next time; cancelled, the report goes no further.
    void reportNames_keptBesideTheDataFile()
    {
        QTemporaryDir dir;
        modOVMXConfig sample;
        fillSampleConfig(sample);
        QVERIFY(sample.writeFile(dir.filePath("site.OMX")).ok);
        QVERIFY(m_ui->session.openFile(dir.filePath("site.OMX")));
        QStringList offered;
        const auto fill = [&offered](QDialog &dialog, const QString &suffix) {
            for (const char *name : {"txtSite", "txtCustomer", "txtInstaller"}) {
                auto *field = dialog.findChild<QLineEdit *>(name);
                offered << field->text();
                field->setText(QString(name).mid(3) + suffix);
            }
        };
        m_ui->onDialog = [&fill](QDialog &dialog) { fill(dialog, " 2"); };
        m_ui->fileDialogs.answers << ""; // no PDF after all
        m_ui->use("mnuFileExportPdf");
        const Report::People people{"Site 2", "Customer 2", "Installer 2", {}, {}, {}, {}};
        Report::People kept;
        QVERIFY(HandoverFile::read(dir.filePath("site.OMX"), kept).ok);
        QCOMPARE(kept, people);
        m_ui->onDialog = [&fill](QDialog &dialog) {
            fill(dialog, " 3");
            dialog.reject();
        };
        m_ui->use("mnuFilePrint");
        QCOMPARE(offered, QStringList({"", "", "", "Site 2", "Customer 2", "Installer 2"}));
        QVERIFY(HandoverFile::read(dir.filePath("site.OMX"), kept).ok);
        QCOMPARE(kept, people);
        QCOMPARE(m_ui->opened, QStringList({"frmHandover", "frmHandover"}));
        QCOMPARE(m_ui->fileDialogs.calls.size(), 1);
        int previewed = 0; // a printer keeps its sheets one way: every page reaches it
        m_ui->onDialog = [&previewed](QDialog &dialog) {
            if (auto *preview = dialog.findChild<QPrintPreviewWidget *>()) {
                preview->updatePreview();
                previewed = preview->pageCount();
            }
        };
        m_ui->use("mnuFilePrint");
        QVERIFY(previewed >= 7);
    }

    // Whatever the connection window did to the document (here: a failed upload over a damaged
    // image) is on screen, in the title and in a message once it closes.
    void connectWindow_closing_showsWhatItLeft()
    {
        ControllerSimulator controller;
        SimulatedSerialPort port(controller);
        modOVMXCommunications comm(port);
        m_ui->window.setCommunications(&comm);
        QTemporaryDir dir;
        modOVMXConfig sample;
        fillSampleConfig(sample);
        QVERIFY(sample.writeFile(dir.filePath("sample.OMX")).ok);
        QVERIFY(m_ui->session.openFile(dir.filePath("sample.OMX")));
        m_ui->onDialog = [this](QDialog &dialog) {
            m_ui->fileDialogs.answers << ""; // "Backups…" proposes their folder; cancelled
            dialog.findChild<QPushButton *>("cmdBackups")->click();
            damageSample(m_ui->doc);
            m_ui->doc.DataFileName = "None";
            // The controller a status reply names is the one the handover document names.
            Q_EMIT static_cast<frmConnect &>(dialog).statusRead("[8D300000000000000060A000FF380]",
                                                                0);
        };
        m_ui->prompts.clear();
        m_ui->use("mnuConnect");
        QCOMPARE(m_ui->window.windowTitle(),
                 "Tevara Orvandel MX Configuration Tool  Rev 1.60   -   None");
        QCOMPARE(shown(), QStringList({"frmConnect", unknownValues("The controller's memory")}));
        QCOMPARE(unknownShown(), QStringList({"?", "?", "?", " Pilot 2 - ?"}));
        const auto *report = m_ui->window.findChild<ReportCommands *>();
        QCOMPARE(QStringList({report->controller().model, report->controller().firmware,
                              report->controller().node}),
                 QStringList({"MX-4", "Rev 3", "FF"}));
        QCOMPARE(m_ui->fileDialogs.calls.value(0).presetName,
                 QDir::toNativeSeparators(BackupStore::directory() + "/*.OMX"));
        // Every value in the details, the one the text leaves out included.
        QCOMPARE(m_ui->prompts.last().details.split('\n').size(), 6);
        QVERIFY(m_ui->prompts.last().details.contains(
            "Dimmer Output 1 / Tamberline 01 Input 2: control 105"));
        // Only a port chosen: the damaged values are the document's own, already reported.
        m_ui->onDialog = [this](QDialog &) { m_ui->doc.SetComPort(2); };
        m_ui->prompts.clear();
        m_ui->opened.clear();
        m_ui->use("mnuConnect");
        QCOMPARE(shown(), QStringList({"frmConnect"}));
    }

    // Each step, then the Edit menu's two items and the document's state after it. Undo and
    // redo must bring back the image first seen at that point of the history.
    void history_undoRedo_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::newRow("opened sample") << QStringList{
            "26=2|Undo Relay 2 ← TB01 In 3|Redo|modified COM1",
            "26=2|Undo Relay 2 ← TB01 In 3|Redo|modified COM1", // changed nothing: no step
            "lblPCOn(0)|Undo Photocell Input Levels|Redo|modified COM1",
            "cboAlert|Undo Timed Off Blink Alert|Redo|modified COM1",
            "mnuConnect|Undo Get Settings From OV-2|Redo|modified COM6",
            "Ctrl+Z|Undo Timed Off Blink Alert|Redo Get Settings From OV-2|modified COM6",
            "Ctrl+S|Undo Timed Off Blink Alert|Redo Get Settings From OV-2|saved COM6",
            "Ctrl+Z|Undo Photocell Input Levels|Redo Timed Off Blink Alert|modified COM6",
            "Ctrl+Y|Undo Timed Off Blink Alert|Redo Get Settings From OV-2|saved COM6",
            "Ctrl+Z|Undo Photocell Input Levels|Redo Timed Off Blink Alert|modified COM6",
            "Ctrl+Z|Undo Relay 2 ← TB01 In 3|Redo Photocell Input Levels|modified COM6",
            "Ctrl+Z|Undo|Redo Relay 2 ← TB01 In 3|modified COM6", // as opened, not as saved
            "Ctrl+Shift+Z|Undo Relay 2 ← TB01 In 3|Redo Photocell Input Levels|modified COM6",
            "lblPilot(0)|Undo Relay 2 ← TB01 In 3|Redo Photocell Input Levels|modified COM6",
            "cboAlert|Undo Timed Off Blink Alert|Redo|modified COM6",
            "mnuFileNew|Undo|Redo|saved COM1"};
    }
    void history_undoRedo()
    {
        QFETCH(QStringList, steps);
        ControllerSimulator sim;
        SimulatedSerialPort port(sim);
        modOVMXCommunications comm(port);
        m_ui->window.setCommunications(&comm);
        QTemporaryDir dir;
        modOVMXConfig sample, fresh;
        fillSampleConfig(sample);
        fresh.NewConfiguration();
        QVERIFY(sample.writeFile(dir.filePath("sample.OMX")).ok);
        QVERIFY(m_ui->session.openFile(dir.filePath("sample.OMX")));
        auto &doc = m_ui->doc;
        int closeAction = 0;
        m_ui->onDialog = [&](QDialog &dialog) { // each editor or window stores one thing
            const QString kind = dialog.metaObject()->className();
            if (kind == "frmRelayControl")
                doc.SetRelayCloseAction(doc.SelInput, doc.SelRelay, closeAction);
            else if (kind == "frmPCInputs")
                doc.SetPhotocellOnLevel(0, 0, 200);
            else if (kind == "frmConnect") // an upload, then the port chosen
                doc.setImage(fresh.image()), doc.SetComPort(5);
        };
        m_ui->prompts.unscriptedAnswer = true;
        QUndoStack &history = *m_ui->session.history();
        const auto programming = [&doc] {
            modOVMXConfig copy = doc;
            copy.SetComPort(0);
            return modOVMXConfig::toBytes(copy.image());
        };
        QMap<int, QByteArray> seen{{0, programming()}}; // at each point of the history
        for (const QString &step : steps) {
            const QStringList w = step.split('|');
            const QStringList target = w[0].split('=');
            closeAction = target.value(1).toInt();
            if (target[0] == "cboAlert")
                QTest::keyClick(m_ui->window.findChild<QWidget *>(target[0]), Qt::Key_Up);
            else
                m_ui->use(target[0]);
            const QByteArray image = programming();
            if (w[0].startsWith("Ctrl+") && w[0] != "Ctrl+S") {
                QCOMPARE(image, seen.value(history.index()));
            } else {
                seen.insert(history.index(), image);
                seen.removeIf([&](auto entry) { return entry.key() > history.index(); });
            }
            const QString state = (doc.ConfigModified ? "modified COM" : "saved COM") +
                                  QString::number(doc.GetComPort() + 1);
            QCOMPARE(QStringList({w[0], m_ui->window.findChild<QAction *>("mnuUndo")->text(),
                                  m_ui->window.findChild<QAction *>("mnuRedo")->text(), state}),
                     w);
        }
        for (int n = 0; n < 250; ++n) // a long session keeps a long, but bounded, history
            QTest::keyClick(m_ui->window.findChild<QWidget *>("cboAlert"),
                            n % 2 ? Qt::Key_Up : Qt::Key_Down);
        QVERIFY2(history.count() >= 100 && history.count() < 250,
                 qPrintable(QString::number(history.count())));
        m_ui->window.setCommunications(nullptr);
    }

    // Files opened or saved come back newest first, eight at most, each on Ctrl+n. Compare With
    // shows every difference from a file, in the command line's words and order.
    void recentAndCompare_listAndDiffer()
    {
        QTemporaryDir dir;
        modOVMXConfig sample;
        fillSampleConfig(sample);
        QStringList names;
        for (int n = 0; n < 9; ++n) {
            names << dir.filePath(QString("f%1.OMX").arg(n));
            QVERIFY(sample.writeFile(names.last()).ok && m_ui->session.openFile(names.last()));
        }
        m_ui->fileDialogs.answers << dir.filePath("saved.OMX");
        m_ui->use("Ctrl+Shift+S");
        m_ui->use("Ctrl+3"); // f7
        QStringList menu;
        for (const QAction *action : m_ui->window.findChild<QMenu *>("mnuFile")->actions())
            if (action->isVisible() && !action->isSeparator())
                menu << action->text() + ' ' + action->shortcut().toString();
        QCOMPARE(
            menu.join(", "),
            "New Ctrl+N, Open Ctrl+O, Save Ctrl+S, Save As Ctrl+Shift+S, "
            "Compare With… , Print… Ctrl+P, Export PDF… , &1 f7.OMX Ctrl+1, &2 saved.OMX Ctrl+2, "
            "&3 f8.OMX Ctrl+3, &4 f6.OMX Ctrl+4, &5 f5.OMX Ctrl+5, &6 f4.OMX Ctrl+6, "
            "&7 f3.OMX Ctrl+7, &8 f2.OMX Ctrl+8, Exit Ctrl+Q");
        QCOMPARE(m_ui->session.recentFiles().value(0), names[7]);

        auto &doc = m_ui->doc;
        doc.SetRelayCloseAction(2, 1, 2);
        doc.SetDimmerControl(3, 3, 50);
        const modOVMXConfig before = doc;
        QStringList differences;
        m_ui->onDialog = [&](QDialog &dialog) {
            differences << dialog.findChild<QLabel *>("lblDifferences")->text()
                        << dialog.findChild<QPlainTextEdit *>("txtDifferences")->toPlainText();
        };
        m_ui->fileDialogs.answers << names[0];
        m_ui->use("mnuFileCompare");
        QCOMPARE(differences,
                 QStringList({"2 differences. Each line reads: this tool's setting → the "
                              "setting in f0.OMX.",
                              ConfigDiff::describeDifferences(before, sample).join('\n')}));
        QCOMPARE(doc.image(), before.image());
    }

    // A cell's tooltip names it, then says what it does in the differences' words; the level
    // labels say which level they show.
    void toolTips_nameAndDescribe()
    {
        m_ui->doc.SetRelayCloseAction(2, 1, 3);
        QWidget *grid = m_ui->window.grid();
        const QPoint at = GridModel::cellRect(26).center();
        QHelpEvent help(QEvent::ToolTip, at, grid->mapToGlobal(at));
        QApplication::sendEvent(grid, &help);
        QCOMPARE(QToolTip::text(), "Tamberline 01 Input 3 / Relay 2 Control\nclose action Toggle "
                                   "Relay Based On Relay 1 Status\nhold status while closed No\n"
                                   "open action None\ntimed on 5 Minute");
        QCOMPARE(m_ui->window.findChild<QWidget *>("lblPCOn(5)")->toolTip(),
                 "Photocell 2 Input  2: on level");
        QCOMPARE(m_ui->window.findChild<QWidget *>("lblPCOff(0)")->toolTip(),
                 "Photocell 1 Input  1: off level");
    }

    // The panel labels take focus, yet draw their texts as labels without focus do.
    void panelLabels_drawnAsPlainLabels()
    {
        fillSampleConfig(m_ui->doc);
        m_ui->window.ShowControl();
        const auto labels = m_ui->window.findChildren<QLabel *>(QRegularExpression("^lblP"));
        QCOMPARE(labels.size(), 36);
        for (QLabel *label : labels) {
            QLabel plain(label->text(), label->parentWidget());
            plain.setGeometry(label->geometry());
            plain.setFrameStyle(label->frameStyle());
            plain.setAlignment(label->alignment());
            plain.setAutoFillBackground(true);
            plain.setPalette(label->palette());
            plain.show();
            QVERIFY2(label->grab().toImage() == plain.grab().toImage(),
                     qPrintable(label->objectName()));
        }
    }

    // Assistive technology reads the grid as a table: each cell named by its captions, its
    // text as value, the highlighted cell focused. Tab walks the side panels, Space opens.
    void accessibility_tableAndTab()
    {
        QWidget *widget = m_ui->window.grid();
        QAccessibleInterface *grid = QAccessible::queryAccessibleInterface(widget);
        QAccessibleTableInterface *table = grid->tableInterface();
        QVERIFY(table);
        m_ui->doc.SetRelayCloseAction(2, 1, 2);
        m_ui->window.ShowControl();
        widget->setFocus();
        m_ui->use("26", false);
        QAccessibleInterface *cell = table->cellAt(1, 2);
        const QPoint centre = widget->mapToGlobal(GridModel::cellRect(26).center());
        QCOMPARE(QStringList({QString::asprintf("%dx%d", table->rowCount(), table->columnCount()),
                              table->rowDescription(1), table->columnDescription(2),
                              cell->text(QAccessible::Name), cell->text(QAccessible::Value),
                              QString::asprintf(
                                  "%d %d %d %d", cell->state().focused, grid->focusChild() == cell,
                                  grid->childAt(centre.x(), centre.y()) == cell,
                                  table->cellAt(29, 20)->tableCellInterface()->columnExtent())}),
                 QStringList({"32x24", "Relay 2", "Tamberline 01 In 3",
                              "Tamberline 01 Input 3 / Relay 2 Control", "On-", "1 1 1 4"}));
        QStringList tabbed;
        for (int n = 0; n < 39; ++n) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            tabbed << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(tabbed.filter("lblP").size(), 36); // every pilot and photocell label
        QCOMPARE(tabbed.mid(12, 5).join(' '),
                 "cboAlert cboOverride lblPCInp(0) lblPCOff(0) lblPCOn(0)");
        QCOMPARE(tabbed.last(), "ProgrammingGrid");
        QTest::keyClick(m_ui->window.findChild<QWidget *>("lblPCOn(7)"), Qt::Key_Space);
        QCOMPARE(m_ui->opened, QStringList("frmPCInputs"));
    }

    // A thousand override times open as a scrolled list of about twenty rows.
    void longList_scrolledPopup()
    {
        auto *list = m_ui->window.findChild<QComboBox *>("cboOverride");
        list->showPopup();
        const QAbstractItemView *view = list->view();
        QTRY_VERIFY(view->isVisible());
        const int rows = view->viewport()->height() / view->sizeHintForRow(0);
        QVERIFY2(rows >= 18 && rows <= 22 && view->verticalScrollBar()->maximum() > 0,
                 qPrintable(QString::number(rows)));
        list->hidePopup();
    }

    void realMessageBox_questionAndMessage()
    {
        QtPrompts prompts(&m_ui->window);
        QStringList seen; // icon, buttons, title and text of each box as it shows
        const auto answer = [&](QMessageBox::StandardButton button) {
            QTimer::singleShot(0, this, [&seen, button] {
                auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
                seen << QString::asprintf("%d %d ", box->icon(), int(box->standardButtons())) +
                            box->windowTitle() + '|' + box->text() + '|' + box->detailedText();
                // A short text under a long title: the box is as wide as its title needs.
                QFont bold = box->font();
                bold.setBold(true);
                if (box->width() < QFontMetrics(bold).horizontalAdvance(box->windowTitle()))
                    seen << "narrower than its title";
                box->button(button)->click();
            });
        };
        answer(QMessageBox::No);
        QVERIFY(!prompts.askYesNo("Exit Program", "Tracking Of 2\r\nPhotocells <b>"));
        answer(QMessageBox::Ok);
        prompts.message("Error", "Tracking Of 2\r\nPhotocells <b>", Prompts::Icon::Critical,
                        "every\nvalue");
        answer(QMessageBox::Ok);
        prompts.message("Photocell Input Levels And Filters Of Both Photocells", "Done.",
                        Prompts::Icon::NoIcon);
        // Question icon (4) with Yes and No (0x14000), critical icon (3) with OK (0x400); CR LF
        // breaks a line; markup shows as it is; the details are there to be shown.
        QCOMPARE(seen, QStringList({"4 81920 Exit Program|Tracking Of 2\nPhotocells <b>|",
                                    "3 1024 Error|Tracking Of 2\nPhotocells <b>|every\nvalue",
                                    "0 1024 Photocell Input Levels And Filters Of Both "
                                    "Photocells|Done.|"}));
    }
};

QTEST_MAIN(tst_frmMain)
#include "tst_frmMain.moc"
