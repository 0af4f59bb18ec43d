// The walk test lit as the poll reads the site four times a second: the CPU time of a poll
// that finds an input worked (the connection window's status, the activity window's list,
// checklist and live column, and the main grid behind lighting its column, all painted)
// against a poll that finds nothing new, and that poll's share of one core at four a second
// (budget 5 %).
#include "../../tools/SampleConfig.h"
#include "../BenchTable.h"

#include "FakeFileDialogs.h"
#include "FakePrompts.h"
#include "ProgrammingGrid.h"
#include "SimulatedSerialPort.h"
#include "frmConnect.h"
#include "frmMain.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTimer>

#include <ctime>

int main(int argc, char *argv[])
{
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    QApplication app(argc, argv);
    modOVMXConfig doc;
    FakePrompts prompts;
    FakeFileDialogs fileDialogs;
    DocumentSession session(doc, prompts, fileDialogs);
    frmMain window(session);
    fillSampleConfig(doc);
    window.ShowControl();
    window.show();

    ControllerSimulator controller;
    std::copy(doc.image().begin(), doc.image().end(), controller.memory.begin());
    controller.followInputs = true;
    SimulatedSerialPort port(controller);
    modOVMXCommunications comm(port);
    frmConnect connection(doc, prompts, fileDialogs, comm, &window);
    QObject::connect(&connection, &frmConnect::liveChanged, &window, [&] {
        const LiveInput &live = connection.live();
        window.grid()->setLive(live.input(), live.followedRows(), live.silentRows());
    });
    connection.show();
    connection.cmdConnect_Click();
    connection.timer()->stop(); // the polls are made here, one by one
    connection.cmdActivity_Click();
    QCoreApplication::processEvents();

    // One poll with everything it paints, over `count` polls, in CPU milliseconds each.
    const auto polls = [&](int count, const std::function<void(int)> &site) {
        double best = 1e300;
        for (int round = 0; round < 3; ++round) {
            const double start = processCpuMs();
            for (int n = 0; n < count; ++n) {
                site(n);
                connection.Timer1_Timer();
                QCoreApplication::processEvents();
            }
            best = std::min(best, (processCpuMs() - start) / count);
        }
        return best;
    };
    const double idle = polls(200, [](int) {});
    // A switch of each station worked in turn, closed then opened, its relays following.
    const double lit = polls(200, [&](int n) { controller.setInput((n / 2) % 12, n % 2 == 0); });
    printBenchRow("a poll lighting the input worked, painted (vs an idle poll)", lit, idle, "ms");
    printBenchRow("its share of one core at four polls a second (vs 5 %)", lit * 4 / 10.0, 5.0,
                  "%");
    return 0;
}
