// A whole download, upload and verify against orvandel-mx-sim pacing its replies at 38400
// bit/s, beside the wire time of the same characters. The tool's own overhead is its CPU time;
// the last row of each is all the run took beyond the paced replies: the tool, the pty, the
// simulator and the scheduler of a shared machine together.
#include "../../tests/simulator/SimProcess.h"
#include "../BenchTable.h"
#include "Prompts.h"
#include "QSerialPortLink.h"
#include "modOVMXCommunications.h"
#include "modOVMXConfig.h"

#include <QCoreApplication>

#include <chrono>
#include <ctime>
#include <functional>

namespace
{
class SilentPrompts : public Prompts
{
public:
    bool askYesNo(const QString &, const QString &) override { return true; }
    Answer askYesNoCancel(const QString &, const QString &) override { return Answer::Yes; }
    void message(const QString &, const QString &, Icon, const QString &) override {}
};

constexpr double CharacterMs = 10.0 * 1000.0 / 38400.0;

struct Counts {
    qint64 sent = 0, received = 0;
};

void measure(const char *name, Counts &counts, const std::function<bool()> &transfer)
{
    double bestWall = 1e300, bestCpu = 1e300;
    Counts best;
    for (int round = 0; round < 3; ++round) {
        counts = {};
        const double cpuStart = processCpuMs();
        const auto start = std::chrono::steady_clock::now();
        if (!transfer()) {
            std::fprintf(stderr, "%s failed\n", name);
            return;
        }
        const double wall =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count();
        bestCpu = std::min(bestCpu, processCpuMs() - cpuStart);
        if (wall < bestWall) {
            bestWall = wall;
            best = counts;
        }
    }
    const double wire = double(best.sent + best.received) * CharacterMs;
    const double pacedReplies = double(best.received) * CharacterMs;
    printBenchRow(std::string(name) + ": wall time vs wire time (both ways)", bestWall, wire, "ms");
    printBenchRow(std::string(name) + ": tool CPU time vs wire time", bestCpu, wire, "ms");
    printBenchRow(std::string(name) + ": wall beyond paced replies vs wire time",
                  bestWall - pacedReplies, wire, "ms");
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    SimProcess sim(QStringLiteral(ORVANDEL_SIM_PROGRAM));
    if (!sim.start({QStringLiteral("--pace")})) {
        std::fprintf(stderr, "cannot start orvandel-mx-sim\n");
        return 1;
    }
    PortMap map;
    map.setOverride(1, sim.device);
    QSerialPortLink port(map);
    modOVMXCommunications comm(port);
    Counts counts;
    comm.setTraceHook([&counts](const modOVMXCommunications::TraceEvent &e) {
        if (e.kind == modOVMXCommunications::TraceKind::Sent)
            counts.sent += e.data.size();
        else if (e.kind == modOVMXCommunications::TraceKind::Received)
            counts.received += e.data.size();
    });
    if (!comm.OpenPort(0).ok)
        return 1;
    modOVMXConfig doc;
    doc.NewConfiguration();
    SilentPrompts prompts;
    modOVMXConfig received;
    measure("download", counts, [&] { return comm.DownloadSettings(doc, prompts); });
    measure("upload", counts, [&] { return comm.UploadSettings(received, prompts); });
    measure("verify", counts, [&] { return comm.VerifySettings(doc).equal; });
    return 0;
}
