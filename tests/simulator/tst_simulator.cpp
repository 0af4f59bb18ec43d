#include "SimProcess.h"
#include "SimScript.h"
#include "Transcript.h"
#include "modOVMXConfig.h"

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
        QFile bad(dir.filePath("bad.txt"));
        QVERIFY(bad.open(QIODevice::WriteOnly) &&
                bad.write("1 press TB01-3\n2 jump\n3\trelay 5 on\n") > 0);
        bad.close();
        for (const char *wrong :
             {"--script=<dir>/bad.txt", "--script=/dev/zero", "--fault=noisy", "--fault=slow=fast",
              "--fault=silent=3", "--fault=disconnect-at-block=17", "--model=MX-8", "--node=FFF",
              "--load=<dir>/none.OMX", "--speed", "extra"})
            t.run(ORVANDEL_SIM_PROGRAM, {wrong});
        t.compareWith(ORVANDEL_EXPECTED "/sim_program.txt");
    }

    // A script played from the start, with the relays following, and a line typed meanwhile.
    void program_playsScriptAndTypedLines()
    {
        QTemporaryDir dir;
        modOVMXConfig doc;
        doc.SetRelayCloseAction(2, 1, 2); // TB01 In 3 turns relay 2 on
        QVERIFY(doc.writeFile(dir.filePath("site.OMX")).ok);
        QFile script(dir.filePath("walk.txt"));
        QVERIFY(script.open(QIODevice::WriteOnly) && script.write("0 press TB01-3\n") > 0);
        script.close();
        SimProcess sim(ORVANDEL_SIM_PROGRAM);
        QVERIFY(sim.start({"--load", dir.filePath("site.OMX"), "--follow", "--script",
                           script.fileName(), "--link", dir.filePath("controller")}));
        sim.type("dimmer 1 128\n");
        QProcess cli;
        cli.start(ORVANDEL_CLI, {"status", "--port", "COM8=" + dir.filePath("controller")});
        QVERIFY(cli.waitForFinished(10000));
        const QString status = QString::fromUtf8(cli.readAllStandardOutput());
        for (const char *line : {"Relay 2  On", "Dimmer 1  128/255",
                                 "Tamberline 01  Com Yes  In "
                                 "1 Off  In 2 Off  In 3 On"})
            QVERIFY2(status.contains(line), qPrintable(status));
    }

    // A stream without line ends on standard input is refused at a line's length, once, and
    // the controller goes on serving.
    void program_refusesEndlessTypedLine()
    {
        QTemporaryDir dir;
        SimProcess sim(ORVANDEL_SIM_PROGRAM);
        sim.setInputFile("/dev/zero");
        QVERIFY(sim.start({"--link", dir.filePath("controller")}));
        QProcess cli;
        cli.start(ORVANDEL_CLI, {"status", "--port", "COM8=" + dir.filePath("controller")});
        QVERIFY(cli.waitForFinished(10000));
        QCOMPARE(cli.exitCode(), 0);
        QCOMPARE(sim.stop(), 0);
        QCOMPARE(sim.errors(), "orvandel-mx-sim: standard input line 1: longer than 1000 "
                               "characters; nothing after it is read\n");
    }

    // Played in-process against a clock the test moves. The memory programs TB01 In 3 to turn
    // relay 2 on when closed and off when opened, and to set relay 1 against relay 1's state
    // when closed. Payloads as the status reply carries them, from "[CC" to "]".
    void script_changesStatus_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<bool>("follow");
        QTest::addColumn<int>("untilMs");
        QTest::addColumn<QByteArray>("payload");
        const QString press = "1 press TB01-3\n2 release TB01-3";
        QTest::newRow("beforeItsTime_unchanged")
            << "1.5 press TB01-3" << false << 1499 << QByteArray("300000000000000060A000FF380");
        QTest::newRow("atItsTime_switchClosed")
            << "1.5 press TB01-3" << false << 1500 << QByteArray("300400000000000060A000FF380");
        QTest::newRow("sameTime_inOrder")
            << "1 press TB02-6\n2 release TB02-6\n2 press TB02-5" << false << 2000
            << QByteArray("300010000000000060A000FF380");
        QTest::newRow("untimed_atOnce") << "hardwired 2 close\nstation 2 offline" << false << 0
                                        << QByteArray("120000000000000060A000FF380");
        QTest::newRow("photocell_levelAndInput")
            << "3 photocell 1 180\n3 photocell 2 in 4 close" << false << 3000
            << QByteArray("3000000000000000B4A080FF380");
        QTest::newRow("outputs_set") << "# outputs\n\n4 relay 2 on # lights\n5 dimmer 1 128"
                                     << false << 5000 << QByteArray("300000028000000060A000FF380");
        QTest::newRow("tabsAndPercent_asSpacesAndLevel")
            << "4\trelay 2 on\r\n5 dimmer\t1 \t50%" << false << 5000
            << QByteArray("300000028000000060A000FF380");
        QTest::newRow("followClose_relaysFollow")
            << press << true << 1000 << QByteArray("300400030000000060A000FF380");
        QTest::newRow("followOpen_relaysFollow")
            << press << true << 2000 << QByteArray("300000010000000060A000FF380");
    }
    void script_changesStatus()
    {
        QFETCH(QString, script);
        QFETCH(bool, follow);
        QFETCH(int, untilMs);
        QFETCH(QByteArray, payload);
        modOVMXConfig doc;
        doc.SetRelayCloseAction(2, 1, 2);
        doc.SetRelayOpenAction(2, 1, 1);
        doc.SetRelayCloseAction(2, 0, 3);
        ControllerSimulator sim;
        std::copy(doc.image().begin(), doc.image().end(), sim.memory.begin());
        sim.followInputs = follow;
        QStringList errors;
        const auto lines = parseScript(script.toUtf8(), &errors);
        QVERIFY2(lines, qPrintable(errors.join('\n')));
        ScriptPlayer player;
        for (const ScriptLine &line : *lines)
            player.add(line);
        player.playUntil(sim, untilMs);
        QCOMPARE(sim.statusPayload(), payload);
    }

    void script_everyBadLineRefused_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("errors");
        const QString time = "a time is the seconds from the start, 0 to 86400, with a point "
                             "before any fraction, followed by what happens: \"1.5 press TB01-3\"";
        QTest::newRow("noSuchSwitch")
            << "press TB03-1"
            << "line 1: \"press TB03-1\": expected press TB0S-K (S 1-2, K 1-6)";
        QTest::newRow("twoBadLines_bothNamed")
            << "\n\nrelay 5 on\npress TB01-1\ndimmer 1 101%"
            << "line 3: \"relay 5 on\": expected relay N on|off (N 1-4)\nline 5: \"dimmer 1 "
               "101%\": expected dimmer N LEVEL (N 1-4, LEVEL 0-255 or 0%-100%)";
        QTest::newRow("negativeTime") << "-1 dimmer 1 9"
                                      << "line 1: \"-1\" is not a time: " + time;
        QTest::newRow("commaTime") << "1,5 press TB01-3"
                                   << "line 1: \"1,5\" is not a time: " + time;
        QTest::newRow("bareTime") << "# walk\n1.5\t"
                                  << "line 2: \"1.5\" is a time alone: " + time;
        QTest::newRow("beyondADay") << "86400.5 press TB01-3"
                                    << "line 1: 86400.5 s is beyond a day: " + time;
        QTest::newRow("overlongLine_endsTheReading")
            << "press TB01-1\n" + QString(1001, 'x') + "\njump"
            << "line 2: longer than 1000 characters; nothing after it is read";
    }
    void script_everyBadLineRefused()
    {
        QFETCH(QString, script);
        QFETCH(QString, errors);
        QStringList reasons;
        QVERIFY(!parseScript(script.toUtf8(), &reasons));
        QCOMPARE(reasons.join('\n'), errors);
    }
};

QTEST_GUILESS_MAIN(tst_Simulator)
#include "tst_simulator.moc"
