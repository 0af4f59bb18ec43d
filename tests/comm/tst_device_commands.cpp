#include "../simulator/SimProcess.h"
#include "ConfigDiff.h"
#include "DeviceCommands.h"
#include "modOVMXConfig.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// The device commands of orvandel-mx-cli, end to end against orvandel-mx-sim on a pty.
class tst_DeviceCommands : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void downloadThenVerify_equal();
    void verify_otherSettings_notEqualExit1();
    void verify_memoryNotReadWhole_noDifferencesListed();
    void program_dispatchesDeviceCommands();
    void upload_writesControllersMemory();
    void uploadFailure_fileUntouchedFirstLineOnly();
    void downloadChecksumError_exit1();
    void relayAndDimmer_showInStatus();
    void dimmer_networkedNode_refused();
    void status_silentController_unableToConnect();
    void trace_listsFramesWithTime();
    void portForms_data();
    void portForms();
    void missingPort_unableToOpenWithReason();
    void usageErrors_exit2_data();
    void usageErrors_exit2();

private:
    int run(const QString &name, QStringList args);
    bool startSim(const QStringList &args = {});
    QString writeImage(const QString &name, int seed);

    std::unique_ptr<SimProcess> m_sim;
    std::unique_ptr<QTemporaryDir> m_dir;
    QStringList m_out, m_err;
};

void tst_DeviceCommands::init()
{
    m_sim.reset();
    m_dir = std::make_unique<QTemporaryDir>();
    m_out.clear();
    m_err.clear();
}

bool tst_DeviceCommands::startSim(const QStringList &args)
{
    m_sim = std::make_unique<SimProcess>(QStringLiteral(ORVANDEL_SIM_PROGRAM));
    return m_sim->start(args);
}

int tst_DeviceCommands::run(const QString &name, QStringList args)
{
    m_out.clear();
    m_err.clear();
    if (m_sim && !args.contains(QStringLiteral("--port")))
        args << QStringLiteral("--port") << m_sim->device;
    return DeviceCommands::run(
        name, args,
        {[this](const QString &l) { m_out << l; }, [this](const QString &l) { m_err << l; }});
}

QString tst_DeviceCommands::writeImage(const QString &name, int seed)
{
    modOVMXConfig::Image image{};
    for (int i = 0; i < 1024; ++i)
        image[size_t(i)] = static_cast<int16_t>((i * seed + 1) & 0xFF);
    const QString path = m_dir->filePath(name);
    return modOVMXConfig::writeImage(path, image).ok ? path : QString();
}

void tst_DeviceCommands::downloadThenVerify_equal()
{
    QVERIFY(startSim());
    const QString file = writeImage(QStringLiteral("a.OMX"), 3);
    QCOMPARE(run(QStringLiteral("download"), {file}), 0);
    QCOMPARE(m_err.size(), 17);
    QCOMPARE(m_err.first(), QStringLiteral("Block 1 Of 16"));
    QCOMPARE(m_err.last(), QStringLiteral("Download Complete"));
    QCOMPARE(run(QStringLiteral("verify"), {file}), 0);
    QCOMPARE(m_out, QStringList{QStringLiteral("Settings Are Equal")});
}

void tst_DeviceCommands::verify_otherSettings_notEqualExit1()
{
    QVERIFY(startSim({QStringLiteral("--load"), writeImage(QStringLiteral("c.OMX"), 5)}));
    const QString file = writeImage(QStringLiteral("f.OMX"), 3);
    QCOMPARE(run(QStringLiteral("verify"), {file}), 1);
    QCOMPARE(m_out.first(), QStringLiteral("Settings Are  Not Equal"));
    // The differences, in the words of the file comparison, from the file's side.
    modOVMXConfig fromFile, controller;
    QVERIFY(fromFile.readFile(file).ok);
    QVERIFY(controller.readFile(m_dir->filePath(QStringLiteral("c.OMX"))).ok);
    QCOMPARE(m_out.mid(1), ConfigDiff::describeDifferences(fromFile, controller));
    QVERIFY(m_out.size() > 10);
}

void tst_DeviceCommands::verify_memoryNotReadWhole_noDifferencesListed()
{
    QVERIFY(startSim({QStringLiteral("--fault"), QStringLiteral("disconnect-at-block=16")}));
    QCOMPARE(run(QStringLiteral("verify"), {writeImage(QStringLiteral("f.OMX"), 3)}), 1);
    QCOMPARE(m_out, QStringList{QStringLiteral("Settings Are  Not Equal")});
}

void tst_DeviceCommands::program_dispatchesDeviceCommands()
{
    QVERIFY(startSim({QStringLiteral("--node"), QStringLiteral("01")}));
    QProcess cli;
    cli.start(QStringLiteral(ORVANDEL_CLI),
              {QStringLiteral("status"), QStringLiteral("--port"), m_sim->device});
    QVERIFY(cli.waitForFinished(10000));
    QCOMPARE(cli.exitCode(), 0);
    const QString out = QString::fromUtf8(cli.readAllStandardOutput());
    QVERIFY(out.contains(QStringLiteral("Node: 01\n")));
    cli.start(QStringLiteral(ORVANDEL_CLI),
              {QStringLiteral("dimmer"), QStringLiteral("1"), QStringLiteral("9"),
               QStringLiteral("--port"), m_sim->device});
    QVERIFY(cli.waitForFinished(10000));
    QCOMPARE(cli.exitCode(), 1);
    QCOMPARE(QString::fromUtf8(cli.readAllStandardError()),
             QStringLiteral("OV-2 Is Networked. Dimmer Output Levels May Not Be Controlled From "
                            "This Software\n"));
}

void tst_DeviceCommands::upload_writesControllersMemory()
{
    const QString source = writeImage(QStringLiteral("c.OMX"), 7);
    QVERIFY(startSim({QStringLiteral("--load"), source}));
    const QString target = m_dir->filePath(QStringLiteral("got.OMX"));
    QCOMPARE(run(QStringLiteral("upload"), {target}), 0);
    QCOMPARE(m_err.last(), QStringLiteral("Upload Complete"));
    QFile a(source), b(target);
    QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    QCOMPARE(b.readAll(), a.readAll());
}

void tst_DeviceCommands::uploadFailure_fileUntouchedFirstLineOnly()
{
    QVERIFY(startSim({QStringLiteral("--fault"), QStringLiteral("disconnect-at-block=9")}));
    const QString target = m_dir->filePath(QStringLiteral("keep.OMX"));
    {
        QFile f(target);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("precious");
    }
    QCOMPARE(run(QStringLiteral("upload"), {target}), 1);
    QCOMPARE(m_err.last(), QStringLiteral("Upload Communications Error(1)."));
    QVERIFY(!m_err.join(QLatin1Char('\n')).contains(QStringLiteral("Cleared")));
    QFile f(target);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("precious"));
}

void tst_DeviceCommands::downloadChecksumError_exit1()
{
    QVERIFY(startSim({QStringLiteral("--fault"), QStringLiteral("wrong-checksum")}));
    QCOMPARE(run(QStringLiteral("download"), {writeImage(QStringLiteral("a.OMX"), 3)}), 1);
    QCOMPARE(m_err.last(), QStringLiteral("Checksum Error(MSW). Controller Settings Not Valid."));
}

void tst_DeviceCommands::relayAndDimmer_showInStatus()
{
    QVERIFY(startSim());
    QCOMPARE(run(QStringLiteral("relay"), {QStringLiteral("2"), QStringLiteral("on")}), 0);
    QCOMPARE(run(QStringLiteral("dimmer"), {QStringLiteral("4"), QStringLiteral("200")}), 0);
    QCOMPARE(run(QStringLiteral("status"), {}), 0);
    QVERIFY(m_out.contains(QStringLiteral("Relays: 1 Off, 2 On, 3 Off, 4 Off")));
    QVERIFY(m_out.contains(QStringLiteral("Dimmers: 1 0, 2 0, 3 0, 4 200")));
    QVERIFY(m_out.contains(QStringLiteral("Node: FF")));
    QVERIFY(m_out.contains(QStringLiteral("Hardware: MX-4")));
    QVERIFY(m_err.isEmpty());
}

void tst_DeviceCommands::dimmer_networkedNode_refused()
{
    QVERIFY(startSim({QStringLiteral("--node"), QStringLiteral("01")}));
    QCOMPARE(run(QStringLiteral("dimmer"), {QStringLiteral("1"), QStringLiteral("10")}), 1);
    QCOMPARE(m_err, QStringList{QStringLiteral("OV-2 Is Networked. Dimmer Output Levels May Not Be "
                                               "Controlled From This Software")});
    QCOMPARE(run(QStringLiteral("relay"), {QStringLiteral("1"), QStringLiteral("on")}), 0);
}

void tst_DeviceCommands::status_silentController_unableToConnect()
{
    QVERIFY(startSim({QStringLiteral("--fault"), QStringLiteral("silent")}));
    QCOMPARE(run(QStringLiteral("status"), {QStringLiteral("--watch")}), 1);
    QCOMPARE(m_err, QStringList{QStringLiteral("Unable To Connect To Orvandel-2")});
    QVERIFY(m_out.isEmpty());
}

void tst_DeviceCommands::trace_listsFramesWithTime()
{
    QVERIFY(startSim());
    QCOMPARE(run(QStringLiteral("relay"),
                 {QStringLiteral("1"), QStringLiteral("off"), QStringLiteral("--trace")}),
             0);
    QCOMPARE(m_err.size(), 2);
    QVERIFY(
        m_err[0].contains(QRegularExpression(QStringLiteral("^ *\\d+ ms sent +\\[53000200\\]$"))));
    QVERIFY(
        m_err[1].contains(QRegularExpression(QStringLiteral("^ *\\d+ ms received +\\[2F\\]$"))));
}

void tst_DeviceCommands::portForms_data()
{
    QTest::addColumn<QString>("form");
    QTest::newRow("device") << QStringLiteral("%1");
    QTest::newRow("overrideCom5") << QStringLiteral("COM5=%1");
}

void tst_DeviceCommands::portForms()
{
    QFETCH(QString, form);
    QVERIFY(startSim());
    QCOMPARE(run(QStringLiteral("status"), {QStringLiteral("--port"), form.arg(m_sim->device)}), 0);
    QVERIFY(m_out.contains(QStringLiteral("Hardware: MX-4")));
}

void tst_DeviceCommands::missingPort_unableToOpenWithReason()
{
    QCOMPARE(
        run(QStringLiteral("status"), {QStringLiteral("--port"), QStringLiteral("/dev/ttyNone9")}),
        1);
    QCOMPARE(m_err.size(), 2);
    QCOMPARE(m_err[0], QStringLiteral("Unable To Open Port"));
    QVERIFY(m_err[1].contains(QStringLiteral("/dev/ttyNone9 is missing")));
}

void tst_DeviceCommands::usageErrors_exit2_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("args");
    QTest::newRow("relay5") << QStringLiteral("relay")
                            << QStringList{QStringLiteral("5"), QStringLiteral("on")};
    QTest::newRow("relayMaybe") << QStringLiteral("relay")
                                << QStringList{QStringLiteral("1"), QStringLiteral("maybe")};
    QTest::newRow("dimmer256") << QStringLiteral("dimmer")
                               << QStringList{QStringLiteral("1"), QStringLiteral("256")};
    QTest::newRow("verifyNoFile") << QStringLiteral("verify") << QStringList{};
    QTest::newRow("verifyMissingFile")
        << QStringLiteral("verify") << QStringList{QStringLiteral("/nonexistent.OMX")};
    QTest::newRow("unknownOption")
        << QStringLiteral("status") << QStringList{QStringLiteral("--fast")};
    QTest::newRow("watchOnRelay") << QStringLiteral("relay")
                                  << QStringList{QStringLiteral("1"), QStringLiteral("on"),
                                                 QStringLiteral("--watch")};
    QTest::newRow("badPortSpec") << QStringLiteral("status")
                                 << QStringList{QStringLiteral("--port"),
                                                QStringLiteral("COM9=/dev/x")};
}

void tst_DeviceCommands::usageErrors_exit2()
{
    QFETCH(QString, name);
    QFETCH(QStringList, args);
    QCOMPARE(run(name, args), 2);
    QVERIFY(m_out.isEmpty());
    QVERIFY(m_err.first().startsWith(QStringLiteral("orvandel-mx-cli: ")));
}

QTEST_GUILESS_MAIN(tst_DeviceCommands)
#include "tst_device_commands.moc"
