// Opening the photocell dialog (16 lists of 256 levels with their foot-candles) against the
// same 16 lists filled the plain way, each list adding 256 strings computed afresh.
#include "../BenchTable.h"
#include "FakePrompts.h"
#include "frmPCInputs.h"
#include "modOVMXConfig.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QGridLayout>

namespace
{
// The lists without the dialog's sharing: what a straightforward fill costs.
void openNaiveLists()
{
    QDialog dialog;
    auto *grid = new QGridLayout(&dialog);
    for (int n = 0; n < 16; ++n) {
        auto *list = new QComboBox(&dialog);
        for (int v = 0; v <= 255; ++v)
            list->addItem(QString::number(v) + QLatin1String("/255 ") +
                          QString::number(modOVMXConfig::LevelToFootCandles(v)) +
                          QLatin1String("FC"));
        list->setCurrentIndex(0);
        grid->addWidget(list, n % 4, n / 4);
    }
    dialog.show();
    QApplication::processEvents();
}

void openDialog(modOVMXConfig &doc, Prompts &prompts)
{
    frmPCInputs dialog(doc, prompts);
    dialog.show();
    QApplication::processEvents();
}
// The offscreen platform cannot fix a window's size and says so at every show; the table
// must stay readable.
QtMessageHandler previousHandler = nullptr;

void dropSizeHintNotice(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (!text.contains(QLatin1String("propagateSizeHints")))
        previousHandler(type, context, text);
}
} // namespace

int main(int argc, char **argv)
{
    previousHandler = qInstallMessageHandler(dropSizeHintNotice);
    QApplication app(argc, argv);
    modOVMXConfig doc;
    doc.NewConfiguration();
    FakePrompts prompts;
    // Warm up fonts, styles and the platform so neither side pays the first-use cost.
    openNaiveLists();
    openDialog(doc, prompts);

    const int rounds = 15, calls = 4;
    const double naive = bestMicros(rounds, calls, [] { openNaiveLists(); }) / 1000.0;
    const double dialog = bestMicros(rounds, calls, [&] { openDialog(doc, prompts); }) / 1000.0;
    printBenchRow("open frmPCInputs (built, shown, events run) vs naive lists", dialog, naive,
                  "ms");
    return 0;
}
