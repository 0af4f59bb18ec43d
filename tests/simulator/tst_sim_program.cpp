#include "Frames.h"
#include "QSerialPortLink.h"
#include "SimProcess.h"
#include "modOVMXCommunications.h"
#include "modOVMXConfig.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

class tst_SimProgram : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void link_madeAndRemovedOnInterrupt();
    void staleLink_replaced();
    void options_shapeTheController();
    void badArguments_exit2_data();
    void badArguments_exit2();
};

void tst_SimProgram::link_madeAndRemovedOnInterrupt()
{
    QTemporaryDir dir;
    const QString link = dir.filePath(QStringLiteral("controller"));
    SimProcess sim(QStringLiteral(ORVANDEL_SIM_PROGRAM));
    QVERIFY(sim.start({QStringLiteral("--link"), link}));
    QVERIFY(sim.device.startsWith(QStringLiteral("/dev/")));
    QCOMPARE(QFileInfo(link).symLinkTarget(), sim.device);
    QCOMPARE(sim.stop(), 0);
    QVERIFY(!QFileInfo(link).isSymLink());
}

void tst_SimProgram::staleLink_replaced()
{
    QTemporaryDir dir;
    const QString link = dir.filePath(QStringLiteral("controller"));
    QVERIFY(QFile::link(QStringLiteral("/nonexistent/pts/99"), link));
    SimProcess sim(QStringLiteral(ORVANDEL_SIM_PROGRAM));
    QVERIFY(sim.start({QStringLiteral("--link"), link}));
    QCOMPARE(QFileInfo(link).symLinkTarget(), sim.device);
}

void tst_SimProgram::options_shapeTheController()
{
    QTemporaryDir dir;
    modOVMXConfig::Image image{};
    for (int i = 0; i < 1024; ++i)
        image[size_t(i)] = static_cast<int16_t>(i % 251);
    const QString file = dir.filePath(QStringLiteral("site.OMX"));
    QVERIFY(modOVMXConfig::writeImage(file, image).ok);

    SimProcess sim(QStringLiteral(ORVANDEL_SIM_PROGRAM));
    QVERIFY(sim.start({QStringLiteral("--load"), file, QStringLiteral("--model"),
                       QStringLiteral("MX-2"), QStringLiteral("--node"), QStringLiteral("01")}));
    PortMap map;
    map.setOverride(1, sim.device);
    QSerialPortLink port(map);
    modOVMXCommunications comm(port);
    QVERIFY(comm.OpenPort(0).ok);
    QVERIFY(comm.Transact("01", 31, 1));
    QCOMPARE(comm.replyAt(26, 2), QByteArrayView("01"));
    QCOMPARE(comm.replyAt(29, 2), QByteArrayView("00"));
    modOVMXConfig doc;
    doc.setImage(image);
    QVERIFY(comm.VerifySettings(doc).equal);
}

void tst_SimProgram::badArguments_exit2_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("unknownFault") << QStringList{QStringLiteral("--fault"),
                                                 QStringLiteral("noisy")};
    QTest::newRow("unknownModel") << QStringList{QStringLiteral("--model"), QStringLiteral("MX-8")};
    QTest::newRow("longNode") << QStringList{QStringLiteral("--node"), QStringLiteral("FFF")};
    QTest::newRow("missingFile") << QStringList{QStringLiteral("--load"),
                                                QStringLiteral("/nonexistent.OMX")};
    QTest::newRow("unknownOption") << QStringList{QStringLiteral("--speed")};
}

void tst_SimProgram::badArguments_exit2()
{
    QFETCH(QStringList, arguments);
    QProcess sim;
    sim.start(QStringLiteral(ORVANDEL_SIM_PROGRAM), arguments);
    QVERIFY(sim.waitForFinished(5000));
    QCOMPARE(sim.exitCode(), 2);
    QVERIFY(sim.readAllStandardOutput().isEmpty());
    QVERIFY(!sim.readAllStandardError().isEmpty());
}

QTEST_GUILESS_MAIN(tst_SimProgram)
#include "tst_sim_program.moc"
