// A full ShowControl with the repaint it causes, against the 2 ms budget of a screen refresh.
// Two configurations alternate so every refresh changes every text.
#include "../../tools/SampleConfig.h"
#include "../BenchTable.h"

#include "ProgrammingGrid.h"
#include "QtFileDialogs.h"
#include "QtPrompts.h"
#include "frmMain.h"

#include <QApplication>
#include <QTemporaryDir>

int main(int argc, char *argv[])
{
    // Platform notices would break up the table.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit()); // the data directory goes to a scratch home
    QApplication app(argc, argv);
    modOVMXConfig doc;
    QtPrompts prompts;
    QtFileDialogs fileDialogs;
    DocumentSession session(doc, prompts, fileDialogs);
    frmMain window(session);
    window.show();
    QCoreApplication::processEvents();

    modOVMXConfig sample;
    fillSampleConfig(sample);
    const modOVMXConfig::Image images[] = {sample.image(), modOVMXConfig::Image{}};
    int turn = 0;
    const double micros = bestMicros(25, 8, [&] {
        doc.setImage(images[turn++ % 2]);
        window.ShowControl();
        window.centralWidget()->repaint();
    });
    printBenchRow("ShowControl + full repaint of the main window (vs 2 ms budget)", micros / 1000.0,
                  2.0, "ms");
    const double hover = bestMicros(25, 40, [&, k = 0]() mutable {
        window.lblControl_MouseMove(k++ % 96);
        QCoreApplication::processEvents(); // paints only what the move marked dirty
    });
    printBenchRow("one highlight move with repaint (vs 2 ms budget)", hover / 1000.0, 2.0, "ms");
    return 0;
}
