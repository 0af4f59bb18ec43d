// Time from process start to the main window first shown, against a bare QMainWindow program
// started the same way in the same run. Runs alternate so all see the same machine load.
// A second row sets the tool against a QMainWindow with a menu and one line of text: the font
// database and the first text drawn cost any window that shows text, and a bare window none.
#include "../BenchTable.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <vector>

namespace
{
double startToShownMs(const QString &probe, const QString &mode, const QString &home)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home); // the data directory goes to a scratch home
    process.setProcessEnvironment(env);
    QElapsedTimer timer;
    timer.start();
    process.start(probe, {mode});
    while (!process.canReadLine() && process.waitForReadyRead(10000)) {
    }
    const double ms = timer.nsecsElapsed() / 1e6;
    const bool shown = process.readLine().trimmed() == "shown";
    process.waitForFinished(10000);
    return shown ? ms : -1;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QString probe = QCoreApplication::applicationDirPath() + QStringLiteral("/startup_probe");
    QTemporaryDir home;
    std::vector<double> tool, bare, text;
    startToShownMs(probe, QStringLiteral("main"), home.path()); // warm the file cache
    startToShownMs(probe, QStringLiteral("bare"), home.path());
    for (int run = 0; run < 9; ++run) {
        tool.push_back(startToShownMs(probe, QStringLiteral("main"), home.path()));
        bare.push_back(startToShownMs(probe, QStringLiteral("bare"), home.path()));
        text.push_back(startToShownMs(probe, QStringLiteral("text"), home.path()));
    }
    if (std::min({*std::min_element(tool.begin(), tool.end()),
                  *std::min_element(bare.begin(), bare.end()),
                  *std::min_element(text.begin(), text.end())}) < 0) {
        std::fprintf(stderr, "startup_probe did not report a shown window\n");
        return 1;
    }
    printBenchRow("main window start-up to first shown (vs bare QMainWindow)", median(tool),
                  median(bare), "ms");
    printBenchRow("main window start-up (vs QMainWindow with menu and text)", median(tool),
                  median(text), "ms");
    return 0;
}
