// The main window driven as a user drives it: the grid, its panels, the File menu and the
// message boxes it shows.
#include "MainWindowDriver.h"
#include "QtPrompts.h"
#include "SampleConfig.h"
#include "WheelGuard.h"

#include <QAbstractButton>
#include <QDir>
#include <QMessageBox>
#include <QTimer>
#include <QWheelEvent>

namespace
{
enum ImageAfter { Kept, Fresh, Other };

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

    // The windows opened with their captions, then the boxes shown.
    QStringList shown() const
    {
        QStringList all = m_ui->opened;
        for (const auto &box : m_ui->prompts.calls)
            all << box.title + '|' + box.text + '|' + QString::number(int(box.icon));
        return all;
    }

private Q_SLOTS:
    void initTestCase() { qApp->installEventFilter(&m_wheelGuard); }
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
        // The timed-off lists store their position; a wheel passing over a list does nothing.
        row("lists", {"key cboAlert 7", "key cboOverride End"},
            {"", "modified", "timed off 5 994"});
        row("alert: wheel passing", {"wheel cboAlert"}, {""});
        row("print", {"click mnuFilePrint"}, {"", "QPrintPreviewDialog", "selected 0 0 0 0 0"});
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

    void placement_screenHeightDecidesCentring()
    {
        QCOMPARE(frmMain::placement({0, 0, 1280, 900}, {1025, 735}), QPoint(127, 2));
        QCOMPARE(frmMain::placement({1920, 0, 1280, 901}, {1025, 735}), QPoint(2047, 83));
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
        row("Open, unreadable",
            {"mnuFileOpen", sample, 0, 0, bad, "error open", sample, Kept, 0, 1, 0});
        row("Save on None", {"mnuFileSave", none, 1, 0, "new", "save", "new", Kept, 0, 1, 0});
        row("Ctrl+S, named", {"Ctrl+S", sample, 1, 0, "", "", sample, Kept, 0, 1, 0});
        row("Save, unwritable", {"mnuFileSave", bad, 1, 0, bad, "error", bad, Kept, 1, 1, 0});
        row("Save As", {"mnuFileSaveAs", sample, 1, 0, "new", "save", "new", Kept, 0, 1, 0});
        row("Save As, unwritable",
            {"mnuFileSaveAs", sample, 1, 0, bad, "error save", sample, Kept, 1, 1, 0});
        // A report is no save: the document keeps its name and state; "?" marks the PDF dialog.
        row("Export PDF",
            {"mnuFileExportPdf", sample, 1, 0, "out.pdf", "save?", sample, Kept, 1, 0, 0});
        row("Export PDF, unwritable",
            {"mnuFileExportPdf", sample, 1, 0, bad, "error save?", sample, Kept, 1, 0, 0});
        row("Exit", {"mnuExit", none, 0, 0, "", "", none, Kept, 0, 0, 1});
        row("Exit, No", {"mnuExit", none, 1, 0, "", "exit", none, Kept, 1, 0, 0});
        row("Exit, Yes", {"mnuExit", none, 1, 1, "", "exit", none, Kept, 1, 0, 1});
        row("close, No", {"close", none, 1, 0, "", "exit", none, Kept, 1, 0, 0});
    }
    void fileCommands_askWriteAndTitle()
    {
        QFETCH(FileCase, c);
        QTemporaryDir dir;
        const QString data = m_home.dir.path() + "/Documents/Tevara Orvandel MX";
        QVERIFY(QDir(data).exists()); // made at start
        const auto path = [&](const QString &name) {
            if (name == QLatin1String("preset"))
                return QDir::toNativeSeparators(data + "/*.OMX");
            return name.isEmpty() || name == QLatin1String("None") ? name : dir.filePath(name);
        };
        modOVMXConfig sample, other, fresh;
        fillSampleConfig(sample);
        fresh.NewConfiguration();
        QVERIFY(sample.writeFile(path("sample.OMX")).ok && other.writeFile(path("other")).ok);
        auto &doc = m_ui->doc;
        if (c.named != QLatin1String("None")) { // otherwise the name the window started with
            QVERIFY(m_ui->window.openFile(path("sample.OMX")));
            doc.DataFileName = path(c.named); // "sample.OMX/x": its file can no longer be written
        }
        if (c.modified) // otherwise as opened, or as started
            doc.SetDimmerControl(3, 3, 50);
        const modOVMXConfig::Image images[] = {doc.image(), fresh.image(), other.image()};
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
        // Only the document's file is written, and it holds the image exactly.
        const bool saved = !c.modifiedAfter && name != QLatin1String("None");
        QFile file(saved ? name : path("sample.OMX"));
        QCOMPARE(file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray(),
                 modOVMXConfig::toBytes(saved ? doc.image() : sample.image()));
        QFile pdf(path("out.pdf")); // a report is written whole under the name chosen
        QCOMPARE(pdf.open(QIODevice::ReadOnly) ? pdf.read(5) : QByteArray(),
                 QByteArray(c.chosen == QLatin1String("out.pdf") ? "%PDF-" : ""));
    }

    void realMessageBox_questionAndMessage()
    {
        QtPrompts prompts(&m_ui->window);
        QStringList seen; // icon, buttons, title and text of each box as it shows
        const auto answer = [&](QMessageBox::StandardButton button) {
            QTimer::singleShot(0, this, [&seen, button] {
                auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
                seen << QString::asprintf("%d %d ", box->icon(), int(box->standardButtons())) +
                            box->windowTitle() + '|' + box->text();
                box->button(button)->click();
            });
        };
        answer(QMessageBox::No);
        QVERIFY(!prompts.askYesNo("Exit Program", "Tracking Of 2\r\nPhotocells <b>"));
        answer(QMessageBox::Ok);
        prompts.message("Error", "Tracking Of 2\r\nPhotocells <b>", Prompts::Icon::Critical);
        // Question icon (4) with Yes and No (0x14000), critical icon (3) with OK (0x400); CR LF
        // breaks a line; markup shows as it is.
        QCOMPARE(seen, QStringList({"4 81920 Exit Program|Tracking Of 2\nPhotocells <b>",
                                    "3 1024 Error|Tracking Of 2\nPhotocells <b>"}));
    }
};

QTEST_MAIN(tst_frmMain)
#include "tst_frmMain.moc"
