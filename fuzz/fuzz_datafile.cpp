// A data file through everything that shows it: the file read, every text of the main screen,
// the command line's listing and export, the words of every field, and the loading of every
// editor and settings dialog. Loading must write nothing, so a dialog that changes the image
// or the modified flag just by opening and closing is a finding.
//
// Input: the data file (its first 2048 bytes; missing words read as 0), then the choices of
// the run: the foot-candle display, the modified flag, the window to open and its cell.
#include "ConfigJson.h"
#include "ConfigTexts.h"
#include "FieldTable.h"
#include "FuzzInput.h"
#include "Prompts.h"
#include "ShowText.h"
#include "modOVMXConfig.h"

#include "frmDimmerControl.h"
#include "frmDimmerScale.h"
#include "frmDimmerSettings.h"
#include "frmInputControl.h"
#include "frmPCInputs.h"
#include "frmPilots.h"
#include "frmRelayControl.h"
#include "frmRelayPowerOn.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <type_traits>

namespace
{
[[noreturn]] void fail(const char *what, const QString &detail = {})
{
    std::fprintf(stderr, "fuzz_datafile: %s %s\n", what, qPrintable(detail));
    std::abort();
}

class QuietPrompts : public Prompts
{
public:
    bool askYesNo(const QString &, const QString &) override { return false; }
    void message(const QString &, const QString &, Icon) override {}
};

QTemporaryDir *scratch = nullptr;

void readThroughFile(const QByteArray &bytes, const modOVMXConfig::Image &expected)
{
    const QString path = scratch->filePath(QStringLiteral("fuzz.OMX"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        fail("cannot write the scratch file");
    file.close();
    modOVMXConfig doc;
    doc.SetWord(3, 77);
    const modOVMXConfig::Image before = doc.image();
    const modOVMXConfig::FileResult result = doc.readFile(path);
    if (result.ok != (bytes.size() >= modOVMXConfig::FileSize))
        fail("a file read succeeded on a short file or failed on a whole one", result.error);
    if (result.ok ? doc.image() != expected : (doc.image() != before || result.error.isEmpty()))
        fail("a file read gave the wrong image, or failed without a reason or not cleanly");
}

void allTexts(modOVMXConfig &doc)
{
    using namespace ConfigTexts;
    ScreenTexts texts;
    deriveScreenTexts(doc, texts);
    doc.ShowLevelsInFC = !doc.ShowLevelsInFC;
    deriveScreenTexts(doc, texts); // over the previous texts, as a redraw does
    (void)ShowText::render(doc);
    doc.ShowLevelsInFC = !doc.ShowLevelsInFC;
    (void)ShowText::render(doc);
    for (int k = 0; k < CellCount; ++k)
        if (cellCaption(k).isEmpty())
            fail("a cell without a caption");
    for (int p = 0; p < 2; ++p)
        (void)photocellFrameCaption(p, doc.GetPhotocellFilter(p));
    (void)minuteText(doc.GetTimedOffOverride());
    (void)ConfigJson::toJson(doc);
    (void)ConfigJson::unrepresentedWords(doc);
    for (const FieldTable::Field &field : FieldTable::fields())
        for (int n = 0; n < field.elementCount(); ++n) {
            const int v = field.get(doc, field.firstIndex(n), field.secondIndex(n));
            if (field.describe(n, v).isEmpty())
                fail("a field value without words", field.elementName(n));
        }
}

// The selection the main screen makes for cell k before it opens an editor.
void select(modOVMXConfig &doc, int k)
{
    const int i = ConfigTexts::inputOfCell(k);
    const int q = ConfigTexts::rowOfCell(k);
    doc.SelInput = static_cast<int16_t>(i);
    doc.SelPhotocell = static_cast<int16_t>(i / 4 - 4);
    doc.SelRelay = static_cast<int16_t>(q);
    doc.SelDisInput = static_cast<int16_t>(q - 4);
    doc.SelDimmer = static_cast<int16_t>(q - 28);
}

int relayCell(FuzzInput &in) { return in.pick(96); }
int disableCell(FuzzInput &in)
{
    const int i = in.pick(24);
    int j = in.pick(23);
    j += j >= i ? 1 : 0; // an input never disables itself
    return 96 + 24 * j + i;
}
int dimmerCell(FuzzInput &in) { return 672 + 24 * in.pick(4) + in.pick(16); }
int trackingCell(FuzzInput &in) { return ConfigTexts::trackingCell(in.pick(2), in.pick(4)); }

void openAndClose(QDialog &dialog, const modOVMXConfig &doc, const char *name)
{
    const modOVMXConfig::Image before = doc.image();
    const bool modified = doc.ConfigModified;
    dialog.show();
    QCoreApplication::processEvents();
    dialog.close();
    QCoreApplication::processEvents();
    if (doc.image() != before || doc.ConfigModified != modified)
        fail("opening and closing wrote into the document:", QString::fromLatin1(name));
}

template <class Editor>
void openEditor(modOVMXConfig &doc, QuietPrompts &prompts, int cell, const char *name)
{
    select(doc, cell);
    Editor editor(doc, prompts);
    editor.setMapDef(ConfigTexts::cellCaption(cell));
    if constexpr (std::is_same_v<Editor, frmInputControl>)
        editor.setCheckCaptions(QStringLiteral("When Closed"), QStringLiteral("When Open"));
    openAndClose(editor, doc, name);
}

template <class Dialog>
void openSettings(modOVMXConfig &doc, QuietPrompts &prompts, const char *name)
{
    Dialog dialog(doc, prompts);
    openAndClose(dialog, doc, name);
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fuzz_datafile";
    static char *argv[] = {name, nullptr};
    new QApplication(argc, argv); // lives for the whole run
    scratch = new QTemporaryDir(QDir::tempPath() + QStringLiteral("/orvandel-fuzz-XXXXXX"));
    if (!scratch->isValid())
        fail("cannot make a scratch directory");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    modOVMXConfig doc;
    doc.setImage(modOVMXConfig::fromBytes(bytes));
    readThroughFile(bytes, doc.image());
    const size_t choices = std::min<size_t>(size, modOVMXConfig::FileSize);
    FuzzInput in(data + choices, size - choices);
    doc.ShowLevelsInFC = (in.byte() & 1) != 0;
    doc.ConfigModified = (in.byte() & 1) != 0;
    allTexts(doc);

    // One window per input keeps the run fast enough to explore; the input chooses which.
    QuietPrompts prompts;
    switch (in.pick(8)) {
    case 0:
        openEditor<frmRelayControl>(doc, prompts, relayCell(in), "frmRelayControl");
        break;
    case 1:
        openEditor<frmInputControl>(doc, prompts, disableCell(in), "frmInputControl");
        break;
    case 2:
        openEditor<frmDimmerControl>(doc, prompts, dimmerCell(in), "frmDimmerControl");
        break;
    case 3: {
        const int tracking = trackingCell(in);
        select(doc, tracking);
        // The main screen opens no scaling editor for a dimmer that tracks the other photocell.
        if (doc.GetPhotocellTracking(1 - doc.SelPhotocell, doc.SelDimmer) <= 0)
            openEditor<frmDimmerScale>(doc, prompts, tracking, "frmDimmerScale");
        break;
    }
    case 4:
        openSettings<frmRelayPowerOn>(doc, prompts, "frmRelayPowerOn");
        break;
    case 5:
        openSettings<frmDimmerSettings>(doc, prompts, "frmDimmerSettings");
        break;
    case 6:
        openSettings<frmPilots>(doc, prompts, "frmPilots");
        break;
    default:
        openSettings<frmPCInputs>(doc, prompts, "frmPCInputs");
        break;
    }
    return 0;
}
