// A data file through everything that shows it: the file read and saved back, every text of
// the main screen, the command line's listing, the diff and the JSON export; and, for one
// input in 64 (picked by a hash of its bytes, so a finding replays), the main window showing
// it and opening each kind of editor and settings dialog, which must write nothing by loading.
#include "ConfigDiff.h"
#include "FakeFileDialogs.h"
#include "FakePrompts.h"
#include "FuzzCheck.h"
#include "ShowText.h"
#include "frmMain.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QTemporaryDir>

namespace
{
QString path;        // the data file of the run
modOVMXConfig shown; // the main window's document
DocumentSession *session = nullptr;
frmMain *window = nullptr;

// A whole file reads in whole and saves back to its first 2048 bytes; a short one is refused
// with a reason and leaves the document as it was. Neither touches the modified flag.
void readAndSaveBack(const QByteArray &bytes, modOVMXConfig &doc)
{
    doc.SetWord(3, 77);
    const modOVMXConfig::Image before = doc.image();
    const modOVMXConfig::FileResult read = doc.readFile(path);
    if (read.ok != (bytes.size() >= modOVMXConfig::FileSize) || !doc.ConfigModified ||
        (!read.ok && (doc.image() != before || read.error.isEmpty())))
        qFatal("a read took a short file, refused a whole one or failed not cleanly: %s",
               qPrintable(read.error));
    QFile file(path);
    if (read.ok && (!doc.writeFile(path).ok || !file.open(QIODevice::ReadOnly) ||
                    file.readAll() != bytes.left(modOVMXConfig::FileSize)))
        qFatal("saving the image read did not give back the file's first 2048 bytes");
    doc.setImage(modOVMXConfig::fromBytes(bytes)); // the words a short file holds, then zeros
}

// The main window opens the file as its File menu does, then each kind of window in turn: the
// settings dialogs first, as a cell click marks the document modified.
void openWindows(size_t h)
{
    shown.ShowLevelsInFC = h & 1;
    if (!session->openFile(path) || shown.ConfigModified)
        qFatal("the main window did not open a whole file, or kept it marked modified");
    window->lblPilot_Click(0);
    window->lblPCInp_Click(0);
    window->mnuRelayOptions_Click();
    window->mnuDimmerOptions_Click();
    const int n = static_cast<int>(h / 2 % 4096);
    for (const int k : {n % 96, 96 + n % 576, 672 + 24 * (n % 4) + n / 4 % 16,
                        ConfigTexts::trackingCell(n % 2, n / 2 % 4)})
        window->lblControl_Click(k);
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/orvandel-fuzz-XXXXXX"));
    path = dir.filePath(QStringLiteral("fuzz.OMX"));
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("HOME", dir.path().toLocal8Bit()); // the main window makes its data folder in here
    new QApplication(*argc, *argv); // it, the window and their fakes live for the whole run
    session = new DocumentSession(shown, *new FakePrompts, *new FakeFileDialogs);
    window = new frmMain(*session);
    window->setDialogRunner([](QDialog &dialog) {
        const modOVMXConfig::Image image = shown.image();
        const bool modified = shown.ConfigModified;
        dialog.show();
        QCoreApplication::processEvents();
        dialog.close();
        if (shown.image() != image || shown.ConfigModified != modified)
            qFatal("opening and closing %s wrote into the document",
                   dialog.metaObject()->className());
        return 0;
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    if (!modOVMXConfig::writeBytes(path, bytes).ok)
        qFatal("cannot write the scratch file");
    modOVMXConfig doc;
    readAndSaveBack(bytes, doc);
    const size_t h = qHash(bytes, 0);
    // Every text: the screen's, the command line's listing, the diff, the JSON export.
    ConfigTexts::ScreenTexts texts;
    doc.ShowLevelsInFC = h & 1;
    ConfigTexts::deriveScreenTexts(doc, texts);
    (void)ShowText::render(doc);
    modOVMXConfig other = doc;
    other.SetWord(h / 2 % 1024, doc.GetWord(h / 2 % 1024) ^ (1 << h / 2048 % 16));
    if (!ConfigDiff::describeDifferences(doc, doc).isEmpty() ||
        ConfigDiff::describeDifferences(doc, other).isEmpty())
        qFatal("the diff lists a difference between equal images, or none for a changed bit");
    if (importsBack(doc) != withinCodings(doc))
        qFatal("an export imports other than exactly when every value lies within its coding");
    if (h % 64 == 0 && size >= modOVMXConfig::FileSize)
        openWindows(h / 64);
    return 0;
}
