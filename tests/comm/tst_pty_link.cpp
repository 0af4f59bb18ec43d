#include "../simulator/SimProcess.h"
#include "../support/FakePrompts.h"
#include "QSerialPortLink.h"
#include "modOVMXCommunications.h"
#include "modOVMXConfig.h"

#include <QElapsedTimer>
#include <QTest>

// The real QSerialPort over a pseudo-terminal, against the simulator program.
class tst_PtyLink : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void downloadVerifyUpload_roundTrip();
    void disconnectMidTransfer_failsAtOnce();
    void portHeldByAnother_reportedInUse();
    void unansweredExchange_failsAtLimit();
};

namespace
{
modOVMXConfig patterned()
{
    modOVMXConfig doc;
    modOVMXConfig::Image image{};
    for (int i = 0; i < 1024; ++i)
        image[size_t(i)] = static_cast<int16_t>((i * 13 + 5) & 0xFF);
    doc.setImage(image);
    return doc;
}

PortMap mapTo(const QString &device)
{
    PortMap map;
    map.setOverride(1, device);
    return map;
}
} // namespace

void tst_PtyLink::downloadVerifyUpload_roundTrip()
{
    SimProcess sim(QStringLiteral(ORVANDEL_SIM_PROGRAM));
    QVERIFY(sim.start({}));
    QSerialPortLink port(mapTo(sim.device));
    modOVMXCommunications comm(port);
    FakePrompts prompts;
    QVERIFY(comm.OpenPort(0).ok);
    const modOVMXConfig doc = patterned();
    QVERIFY(!comm.VerifySettings(doc).equal);
    QVERIFY(comm.DownloadSettings(doc, prompts));
    QVERIFY(comm.VerifySettings(doc).equal);
    modOVMXConfig copy;
    QVERIFY(comm.UploadSettings(copy, prompts));
    QVERIFY(copy.image() == doc.image());
    QCOMPARE(prompts.calls.size(), 2);
    QCOMPARE(prompts.calls[0].text, QStringLiteral("Download Complete"));
    QCOMPARE(prompts.calls[1].text, QStringLiteral("Upload Complete"));
}

void tst_PtyLink::disconnectMidTransfer_failsAtOnce()
{
    SimProcess sim(QStringLiteral(ORVANDEL_SIM_PROGRAM));
    QVERIFY(sim.start({QStringLiteral("--fault"), QStringLiteral("disconnect-at-block=9")}));
    QSerialPortLink port(mapTo(sim.device));
    modOVMXCommunications comm(port);
    FakePrompts prompts;
    QStringList captions;
    QVERIFY(comm.OpenPort(0).ok);
    modOVMXConfig doc = patterned();
    QElapsedTimer clock;
    clock.start();
    QVERIFY(!comm.UploadSettings(doc, prompts, {[&](const QString &c) { captions << c; }, {}}));
    // The block limit is 4 s; a dropped line must not be waited out.
    QVERIFY2(clock.elapsed() < 2000, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(captions.size(), 8);
    QVERIFY(!comm.PortOpen());
    QVERIFY(
        prompts.calls.first().text.startsWith(QStringLiteral("Upload Communications Error(1).")));
    QVERIFY(!port.errorString().isEmpty());
}

void tst_PtyLink::portHeldByAnother_reportedInUse()
{
    SimProcess sim(QStringLiteral(ORVANDEL_SIM_PROGRAM));
    QVERIFY(sim.start({}));
    QSerialPortLink first(mapTo(sim.device));
    QSerialPortLink second(mapTo(sim.device));
    QVERIFY(first.open(1).ok);
    const SerialPort::OpenResult result = second.open(1);
    QVERIFY(!result.ok);
    QCOMPARE(result.device, sim.device);
    QVERIFY2(result.reason.contains(QStringLiteral("in use")), qPrintable(result.reason));
}

void tst_PtyLink::unansweredExchange_failsAtLimit()
{
    SimProcess sim(QStringLiteral(ORVANDEL_SIM_PROGRAM));
    QVERIFY(sim.start({QStringLiteral("--fault"), QStringLiteral("silent")}));
    QSerialPortLink port(mapTo(sim.device));
    modOVMXCommunications comm(port);
    QVERIFY(comm.OpenPort(0).ok);
    QElapsedTimer clock;
    clock.start();
    QVERIFY(!comm.Transact("01", 31, 1));
    QVERIFY(clock.elapsed() >= 1000);
    QVERIFY(comm.PortOpen());
}

QTEST_GUILESS_MAIN(tst_PtyLink)
#include "tst_pty_link.moc"
