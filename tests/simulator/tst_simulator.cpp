#include "SimProcess.h"
#include "Transcript.h"

#include <QFileInfo>
#include <QTemporaryDir>

// The simulator program's options, link, faults and refusals as a user sees them through the
// command line.
class tst_Simulator : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void program_matchesTranscript()
    {
        QTemporaryDir dir;
        Transcript t;
        t.name("<dir>", dir.path());
        t.pattern("/dev/pts/\\d+", "<pty>");
        t.run(ORVANDEL_CLI, {"new", "<dir>/site.OMX"});
        const QList<std::pair<QString, QStringList>> sessions = {
            {"--model mx-2 --node 01 --load <dir>/site.OMX --link <dir>/controller --pace",
             {"status", "dimmer 1 9", "relay 2 on", "status", "verify <dir>/site.OMX"}},
            {"--fault slow=1200 --link <dir>/controller", {"status"}}};
        for (const auto &[simArgs, commands] : sessions) {
            SimProcess sim(ORVANDEL_SIM_PROGRAM);
            t.line("$ orvandel-mx-sim " + simArgs + " &");
            QVERIFY(sim.start(QString(simArgs).replace("<dir>", dir.path()).split(' ')));
            QCOMPARE(QFileInfo(dir.filePath("controller")).symLinkTarget(), sim.device);
            for (const QString &command : commands)
                t.run(ORVANDEL_CLI, (command + " --port COM8=<dir>/controller").split(' '));
            t.line(QStringLiteral("(interrupted) exit %1").arg(sim.stop()));
            QVERIFY(!QFileInfo(dir.filePath("controller")).isSymLink());
        }
        for (const char *wrong : {"--fault=noisy", "--fault=slow=fast", "--fault=silent=3",
                                  "--fault=disconnect-at-block=17", "--model=MX-8", "--node=FFF",
                                  "--load=<dir>/none.OMX", "--speed", "extra"})
            t.run(ORVANDEL_SIM_PROGRAM, {wrong});
        t.compareWith(ORVANDEL_EXPECTED "/sim_program.txt");
    }
};

QTEST_GUILESS_MAIN(tst_Simulator)
#include "tst_simulator.moc"
