#include "../simulator/SimProcess.h"
#include "../simulator/Transcript.h"
#include "../support/FakePrompts.h"
#include "MonitorRun.h"
#include "PortMap.h"
#include "QSerialPortLink.h"
#include "Vectors.h"
#include "modOVMXCommunications.h"
#include "modOVMXConfig.h"

#include <QTemporaryDir>

// The wire format by literal vectors worked out by hand from the link's rules (the simulator
// shares the checksum code, so a round trip cannot catch a symmetric mistake), the real serial
// port over a pseudo-terminal, and one whole device session through the command line.
class tst_Comm : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Each "> OPERATION ARGUMENT" line of the sheet is followed by the reviewed result.
    void vectors_matchReviewedSheet()
    {
        QTemporaryDir byId;
        QVERIFY(QFile::link("/dev/zero", byId.filePath("usb-b")) &&
                QFile::link("/dev/null", byId.filePath("usb-a")));
        QFile file(ORVANDEL_EXPECTED "/vectors.txt");
        QVERIFY(file.open(QIODevice::ReadOnly));
        Transcript t;
        t.name("<by-id>", byId.path());
        for (const QString &line : QString::fromUtf8(file.readAll()).trimmed().split('\n')) {
            if (line.startsWith("> ")) {
                t.line(line);
                t.line(evaluate(line.section(' ', 1, 1), line.section(' ', 2).toLatin1(),
                                byId.path()));
            } else if (line.isEmpty() || line.startsWith('#')) {
                t.line(line);
            }
        }
        t.compareWith(file.fileName());
    }

    // A line that drops mid-transfer fails the transfer at once and closes the port; a port
    // held by another program is reported in use, a missing one missing.
    void ptyLink_droppedLineClosesPort()
    {
        SimProcess sim(ORVANDEL_SIM_PROGRAM);
        QVERIFY(sim.start({"--fault", "disconnect-at-block=9"}));
        PortMap map;
        map.setOverride(1, sim.device);
        map.setOverride(2, "/dev/ttyNoSuchAdapter");
        QSerialPortLink port(map), other(map);
        modOVMXCommunications comm(port);
        QVERIFY(comm.OpenPort(0).ok);
        QVERIFY(other.open(1).reason.endsWith(" is in use by another program"));
        QVERIFY(other.open(2).reason.startsWith("/dev/ttyNoSuchAdapter is missing"));
        FakePrompts prompts;
        QStringList captions;
        modOVMXConfig doc;
        QVERIFY(!comm.UploadSettings(doc, prompts, {[&](const QString &c) { captions << c; }, {}}));
        QCOMPARE(captions.size(), 8);
        QVERIFY(prompts.last().text.startsWith("Upload Communications Error(1)."));
        QVERIFY(!comm.PortOpen());
        QVERIFY(port.errorString().contains("was lost"));
    }

    // Download with its backup, verify equal and not equal, upload, status, relays and dimmers
    // against the simulator program; then an MX-2, a controller whose checksum disagrees with its
    // memory, a silent one (its status and a relay left unanswered, traced) and a missing port;
    // a damaged file refused before anything is sent; compared whole with the reviewed transcript.
    void deviceSession_matchesTranscript()
    {
        QTemporaryDir dir;
        qputenv("XDG_DATA_HOME", dir.filePath("data").toUtf8()); // the backups go there
        QByteArray sent(2048, '\0');
        // Block b holds 17b, 17b + 1, ...: each block shows its own number in its first value.
        for (int i = 0; i < 1024; ++i)
            sent[2 * i] = char(i / 64 * 17 + i % 64);
        QByteArray other = sent;
        other[2 * 511] = 1; // only the port choice differs
        QVERIFY(modOVMXConfig::writeBytes(dir.filePath("sent.OMX"), sent).ok);
        QByteArray damaged = sent; // high bytes set, as a file padded out or corrupted
        for (const int w : {1, 2, 3, 870})
            damaged[2 * w + 1] = 1;
        QVERIFY(modOVMXConfig::writeBytes(dir.filePath("other.OMX"), other).ok);
        QVERIFY(modOVMXConfig::writeBytes(dir.filePath("damaged.OMX"), damaged).ok);
        // Each controller is reached by a link, named as a user would name the port.
        SimProcess mx4(ORVANDEL_SIM_PROGRAM), mx2(ORVANDEL_SIM_PROGRAM),
            unsure(ORVANDEL_SIM_PROGRAM), silent(ORVANDEL_SIM_PROGRAM);
        const QString load = dir.filePath("sent.OMX");
        QVERIFY(mx4.start({"--link", dir.filePath("mx4")}) &&
                mx2.start({"--link", dir.filePath("mx2"), "--model", "MX-2", "--load", load}) &&
                unsure.start({"--link", dir.filePath("unsure"), "--fault", "wrong-checksum",
                              "--load", load}) &&
                silent.start({"--link", dir.filePath("silent"), "--fault", "silent"}));
        Transcript t;
        t.name("<dir>", dir.path());
        t.pattern("/dev/pts/\\d+", "<pty>");
        t.pattern("controller-\\d{4}-\\d\\d-\\d\\d-\\d{6}(-\\d+)?\\.OMX", "controller-<when>.OMX");
        t.pattern("^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d", "<when>");
        for (const QString command : {"download <dir>/sent.OMX --trace --port <dir>/mx4",
                                      "download <dir>/damaged.OMX --trace --port <dir>/mx4",
                                      "verify <dir>/sent.OMX --port <dir>/mx4",
                                      "verify <dir>/other.OMX --port <dir>/mx4",
                                      "upload <dir>/got.OMX --trace --port <dir>/mx4",
                                      "status --trace --port <dir>/mx4",
                                      "relay 3 on --trace --port <dir>/mx4",
                                      "relay 3 off --trace --port <dir>/mx4",
                                      "relay 2 on --port=<dir>/mx4",
                                      "dimmer 4 200 --trace --port <dir>/mx4",
                                      "dimmer 1 50% --trace --port <dir>/mx4",
                                      "identify relay 2 --port <dir>/mx4",
                                      "identify dimmer 1 --port <dir>/mx4",
                                      "status --port <dir>/mx4",
                                      "download <dir>/other.OMX --no-backup --port <dir>/mx4",
                                      "download <dir>/sent.OMX --port <dir>/mx4",
                                      "verify <dir>/sent.OMX --port <dir>/mx2",
                                      "relay 4 on --port <dir>/mx2",
                                      "dimmer 3 50% --port <dir>/mx2",
                                      "dimmer 2 101% --port <dir>/mx2",
                                      "identify relay 3 --port <dir>/mx2",
                                      "status --port <dir>/mx2",
                                      "download <dir>/other.OMX --port <dir>/mx2",
                                      "verify <dir>/sent.OMX --port <dir>/unsure",
                                      "download <dir>/other.OMX --trace --port <dir>/unsure",
                                      "status --port <dir>/silent",
                                      "relay 1 on --trace --port <dir>/silent",
                                      "verify <dir>/sent.OMX --port <dir>/none",
                                      "backups"})
            t.run(ORVANDEL_CLI, command.split(' '));
        QFile got(dir.filePath("got.OMX"));
        QVERIFY(got.open(QIODevice::ReadOnly));
        QCOMPARE(got.readAll(), sent);
        t.compareWith(ORVANDEL_EXPECTED "/device_session.txt");
    }

    // Two controllers play one walk: monitor prints each event once, annotated from the file, in
    // time order (a fade seen before a relay comes before it, though it ends after), as lines and
    // as JSON lines that parse; a fade still under way when --for ends is given as far as it got.
    // Ctrl-C ends it with exit 0; a silent controller, and one that vanishes while watched, with 3.
    void monitor_matchesTranscript()
    {
        QTemporaryDir dir;
        modOVMXConfig doc;
        doc.SetRelayCloseAction(2, 1, 2); // TB01 In 3: relay 2 OnOff, dimmer 1 +10%
        doc.SetRelayOpenAction(2, 1, 1);
        doc.SetDimmerControl(2, 0, 3);
        QVERIFY(doc.writeFile(dir.filePath("site.OMX")).ok);
        QFile script(dir.filePath("walk.txt"));
        QVERIFY(script.open(QIODevice::WriteOnly) &&
                script.write("0.6 press TB01-3\n1.1 release TB01-3\n"
                             "1.5 dimmer 2 60\n1.7 dimmer 2 120\n1.9 dimmer 2 180\n2.0 relay 1 on\n"
                             "2.5 hardwired 2 close\n2.7 dimmer 1 20\n2.9 dimmer 1 40\n"
                             "3.1 dimmer 1 60\n3.3 dimmer 1 80\n3.5 dimmer 1 100\n"
                             "3.7 dimmer 1 120\n3.9 dimmer 1 140\n") > 0);
        script.close();
        SimProcess lines(ORVANDEL_SIM_PROGRAM), json(ORVANDEL_SIM_PROGRAM),
            silent(ORVANDEL_SIM_PROGRAM), gone(ORVANDEL_SIM_PROGRAM);
        // The walk's clock starts with its simulator, so those start last, just before the runs.
        QVERIFY(silent.start({"--link", dir.filePath("silent"), "--fault", "silent"}) &&
                gone.start({"--link", dir.filePath("gone")}) &&
                lines.start({"--link", dir.filePath("lines"), "--script", script.fileName()}) &&
                json.start({"--link", dir.filePath("json"), "--script", script.fileName()}));
        const MonitorRun::Start start{ORVANDEL_CLI, dir.path()};
        MonitorRun runs[] = {{start, "monitor <dir>/site.OMX --for 3 --port <dir>/lines"},
                             {start, "monitor <dir>/site.OMX --json --for 3 --port <dir>/json"},
                             {start, "monitor --for 3 --port <dir>/silent"}};
        Transcript t;
        t.name("<dir>", dir.path());
        t.pattern("/dev/pts/\\d+", "<pty>");
        t.pattern("pts/\\d+ was lost \\(adapter unplugged\\?\\): [^)]*",
                  "<pty> was lost (adapter unplugged?): <why>");
        t.pattern("^\\d\\d:\\d\\d:\\d\\d\\.\\d{3}  ", "<time>  ");
        t.pattern("\"time\":\"[^\"]+\"", "\"time\":\"<time>\"");
        t.pattern("Dimmer 1 0 → \\d+", "Dimmer 1 0 → <n>");
        t.pattern(" in \\d+\\.\\d s", " in <s> s");
        for (const bool interrupted : {true, false}) {
            MonitorRun watching(start, "monitor --port <dir>/gone");
            QVERIFY(watching.waitFor("Watching"));
            interrupted ? watching.interrupt() : void(gone.stop());
            watching.writeTo(t);
        }
        runs[0].writeTo(t);
        QVERIFY(jsonLinesInOrder(runs[1].writeTo(t)));
        runs[2].writeTo(t);
        t.compareWith(ORVANDEL_EXPECTED "/monitor_session.txt");
    }
};

QTEST_GUILESS_MAIN(tst_Comm)
#include "tst_comm.moc"
