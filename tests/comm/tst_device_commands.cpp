#include "../simulator/SimProcess.h"
#include "ConfigDiff.h"
#include "DeviceCommands.h"
#include "modOVMXConfig.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

// The device commands of orvandel-mx-cli, end to end against orvandel-mx-sim on a pty.
class tst_DeviceCommands : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<SimProcess> m_sim;
    std::unique_ptr<QTemporaryDir> m_dir;
    QStringList m_out, m_err;

    bool startSim(const QStringList &args = {})
    {
        m_sim = std::make_unique<SimProcess>(QStringLiteral(ORVANDEL_SIM_PROGRAM));
        return m_sim->start(args);
    }
    int run(const QString &name, QStringList args)
    {
        m_out.clear();
        m_err.clear();
        if (m_sim && !args.contains("--port"))
            args << "--port" << m_sim->device;
        return DeviceCommands::run(
            name, args,
            {[this](const QString &l) { m_out << l; }, [this](const QString &l) { m_err << l; }});
    }
    QString writeImage(const QString &name, int seed)
    {
        modOVMXConfig::Image image{};
        for (int i = 0; i < 1024; ++i)
            image[size_t(i)] = static_cast<int16_t>((i * seed + 1) & 0xFF);
        const QString path = m_dir->filePath(name);
        return modOVMXConfig::writeImage(path, image).ok ? path : QString();
    }

private Q_SLOTS:
    void init()
    {
        m_sim.reset();
        m_dir = std::make_unique<QTemporaryDir>();
    }

    void downloadThenVerify_equal()
    {
        QVERIFY(startSim());
        const QString file = writeImage("a.OMX", 3);
        QCOMPARE(run("download", {file}), 0);
        QCOMPARE(m_err.size(), 17);
        QCOMPARE(m_err.first(), QStringLiteral("Block 1 Of 16"));
        QCOMPARE(m_err.last(), QStringLiteral("Download Complete"));
        QCOMPARE(run("verify", {file}), 0);
        QCOMPARE(m_out, QStringList{"Settings Are Equal"});
    }

    void verify_otherSettings_listsDifferencesExit1()
    {
        QVERIFY(startSim({"--load", writeImage("c.OMX", 5)}));
        const QString file = writeImage("f.OMX", 3);
        QCOMPARE(run("verify", {file}), 1);
        QCOMPARE(m_out.first(), QStringLiteral("Settings Are  Not Equal"));
        // The differences, in the words of the file comparison, from the file's side.
        modOVMXConfig fromFile, controller;
        QVERIFY(fromFile.readFile(file).ok);
        QVERIFY(controller.readFile(m_dir->filePath("c.OMX")).ok);
        QCOMPARE(m_out.mid(1), ConfigDiff::describeDifferences(fromFile, controller));
        QVERIFY(m_out.size() > 10);
    }

    void upload_writesControllersMemory()
    {
        const QString source = writeImage("c.OMX", 7);
        QVERIFY(startSim({"--load", source}));
        const QString target = m_dir->filePath("got.OMX");
        QCOMPARE(run("upload", {target}), 0);
        QCOMPARE(m_err.last(), QStringLiteral("Upload Complete"));
        QFile a(source), b(target);
        QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
        QCOMPARE(b.readAll(), a.readAll());
    }

    void uploadFailure_fileUntouchedFirstLineOnly()
    {
        QVERIFY(startSim({"--fault", "disconnect-at-block=9"}));
        const QString target = m_dir->filePath("keep.OMX");
        QFile f(target);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write("precious") == 8);
        f.close();
        QCOMPARE(run("upload", {target}), 1);
        QCOMPARE(m_err.last(), QStringLiteral("Upload Communications Error(1)."));
        QVERIFY(!m_err.join('\n').contains("Cleared"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("precious"));
    }

    void failures_data()
    {
        QTest::addColumn<QStringList>("simulator"); // empty: no simulator
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QStringList>("out");
        QTest::addColumn<QStringList>("errTail"); // the last lines of the error output
        QTest::addColumn<bool>("errWhole");       // errTail is all of it
        QTest::newRow("verify, memory not read whole")
            << QStringList{"--fault", "disconnect-at-block=16"} << "verify" << QStringList{"@f"}
            << QStringList{"Settings Are  Not Equal"} << QStringList{} << false;
        QTest::newRow("download checksum error")
            << QStringList{"--fault", "wrong-checksum"} << "download" << QStringList{"@f"}
            << QStringList{} << QStringList{"Checksum Error(MSW). Controller Settings Not Valid."}
            << false;
        QTest::newRow("dimmer of a networked node")
            << QStringList{"--node", "01"} << "dimmer" << QStringList{"1", "10"} << QStringList{}
            << QStringList{"OV-2 Is Networked. Dimmer Output Levels May Not Be Controlled From "
                           "This "
                           "Software"}
            << true;
        QTest::newRow("silent controller")
            << QStringList{"--fault", "silent"} << "status" << QStringList{"--watch"}
            << QStringList{} << QStringList{"Unable To Connect To Orvandel-2"} << true;
        QTest::newRow("missing port")
            << QStringList{} << "status" << QStringList{"--port", "/dev/ttyNone9"} << QStringList{}
            << QStringList{"Unable To Open Port",
                           "COM1 is /dev/ttyNone9: /dev/ttyNone9 is missing (adapter unplugged, or "
                           "another port number?)"}
            << true;
    }
    void failures()
    {
        QFETCH(QStringList, simulator);
        QFETCH(QString, name);
        QFETCH(QStringList, args);
        QFETCH(QStringList, out);
        QFETCH(QStringList, errTail);
        QFETCH(bool, errWhole);
        if (!simulator.isEmpty())
            QVERIFY(startSim(simulator));
        args.replaceInStrings("@f", writeImage("f.OMX", 3));
        QCOMPARE(run(name, args), 1);
        QCOMPARE(m_out, out);
        QVERIFY(m_err.size() >= errTail.size());
        QCOMPARE(m_err.mid(m_err.size() - errTail.size()), errTail);
        if (errWhole)
            QCOMPARE(m_err.size(), errTail.size());
    }

    void program_dispatchesDeviceCommands()
    {
        QVERIFY(startSim({"--node", "01"}));
        QProcess cli;
        cli.start(ORVANDEL_CLI, {"status", "--port", m_sim->device});
        QVERIFY(cli.waitForFinished(10000));
        QCOMPARE(cli.exitCode(), 0);
        QVERIFY(QString::fromUtf8(cli.readAllStandardOutput()).contains("Node: 01\n"));
        cli.start(ORVANDEL_CLI, {"dimmer", "1", "9", "--port", m_sim->device});
        QVERIFY(cli.waitForFinished(10000));
        QCOMPARE(cli.exitCode(), 1);
        QCOMPARE(QString::fromUtf8(cli.readAllStandardError()),
                 "OV-2 Is Networked. Dimmer Output Levels May Not Be Controlled From This "
                 "Software\n");
        // Relays stay under this program's control on a networked node.
        QCOMPARE(run("relay", {"1", "on"}), 0);
    }

    void relayAndDimmer_showInStatus()
    {
        QVERIFY(startSim());
        QCOMPARE(run("relay", {"2", "on"}), 0);
        QCOMPARE(run("dimmer", {"4", "200"}), 0);
        QCOMPARE(run("status", {}), 0);
        QVERIFY(m_out.contains("Relays: 1 Off, 2 On, 3 Off, 4 Off"));
        QVERIFY(m_out.contains("Dimmers: 1 0, 2 0, 3 0, 4 200"));
        QVERIFY(m_out.contains("Node: FF"));
        QVERIFY(m_out.contains("Hardware: MX-4"));
        QVERIFY(m_err.isEmpty());
    }

    void trace_listsFramesWithTime()
    {
        QVERIFY(startSim());
        QCOMPARE(run("relay", {"1", "off", "--trace"}), 0);
        QCOMPARE(m_err.size(), 2);
        QVERIFY(m_err[0].contains(QRegularExpression("^ *\\d+ ms sent +\\[53000200\\]$")));
        QVERIFY(m_err[1].contains(QRegularExpression("^ *\\d+ ms received +\\[2F\\]$")));
    }

    void usageErrors_exit2_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("args");
        QTest::newRow("relay 5") << "relay" << QStringList{"5", "on"};
        QTest::newRow("relay maybe") << "relay" << QStringList{"1", "maybe"};
        QTest::newRow("dimmer 256") << "dimmer" << QStringList{"1", "256"};
        QTest::newRow("verify without file") << "verify" << QStringList{};
        QTest::newRow("verify missing file") << "verify" << QStringList{"/nonexistent.OMX"};
        QTest::newRow("unknown option") << "status" << QStringList{"--fast"};
        QTest::newRow("watch on relay") << "relay" << QStringList{"1", "on", "--watch"};
        QTest::newRow("bad port mapping") << "status" << QStringList{"--port", "COM9=/dev/x"};
    }
    void usageErrors_exit2()
    {
        QFETCH(QString, name);
        QFETCH(QStringList, args);
        QCOMPARE(run(name, args), 2);
        QVERIFY(m_out.isEmpty());
        QVERIFY(m_err.first().startsWith("orvandel-mx-cli: "));
    }
};

QTEST_GUILESS_MAIN(tst_DeviceCommands)
#include "tst_device_commands.moc"
