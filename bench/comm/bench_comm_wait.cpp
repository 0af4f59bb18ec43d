// The CPU time of an exchange that nobody answers, against its 2 s of wall time: the wait
// must block in the kernel, not poll.
#include "../../tests/simulator/SimProcess.h"
#include "../BenchTable.h"
#include "QSerialPortLink.h"
#include "modOVMXCommunications.h"

#include <QCoreApplication>

#include <chrono>
#include <ctime>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    SimProcess sim(QStringLiteral(ORVANDEL_SIM_PROGRAM));
    if (!sim.start({QStringLiteral("--fault"), QStringLiteral("silent")})) {
        std::fprintf(stderr, "cannot start orvandel-mx-sim\n");
        return 1;
    }
    PortMap map;
    map.setOverride(1, sim.device);
    QSerialPortLink port(map);
    modOVMXCommunications comm(port);
    if (!comm.OpenPort(0).ok)
        return 1;
    const double cpuStart = processCpuMs();
    const auto start = std::chrono::steady_clock::now();
    const bool answered = comm.Transact("01", 31, 2);
    const double wall =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    const double cpu = processCpuMs() - cpuStart;
    if (answered)
        return 1;
    printBenchRow("unanswered 2 s exchange: CPU time vs wall time", cpu, wall, "ms");
    return 0;
}
