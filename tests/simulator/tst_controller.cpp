#include "ControllerSimulator.h"
#include "Frames.h"
#include "SimulatedSerialPort.h"

#include <QTest>

namespace
{
QByteArray request(const QByteArray &command) { return Frames::buildRequest(command); }

QByteArray onlyReply(const ControllerSimulator::Output &out)
{
    return out.replies.size() == 1 ? out.replies.first().bytes : QByteArray("<none>");
}
} // namespace

class tst_Controller : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void status_is31CharactersWithGoodChecksum();
    void status_followsRelayAndDimmerCommands();
    void status_modelAndNode_data();
    void status_modelAndNode();
    void blockWriteThenRead_roundTrips();
    void memoryChecksum_matchesToolsSum();
    void badRequest_ignored_data();
    void badRequest_ignored();
    void frameSplitAcrossCalls_answeredOnce();
    void replyFaults_data();
    void replyFaults();
    void wrongChecksum_flipsChosenHalf_data();
    void wrongChecksum_flipsChosenHalf();
    void silentFromBlock_staysSilentAfter();
    void disconnectAtBlock_dropsLine();
    void slow_delaysEachReply();
    void faultNames_data();
    void faultNames();
    void simulatedPort_timeoutMovesClockToDeadline();
};

void tst_Controller::status_is31CharactersWithGoodChecksum()
{
    ControllerSimulator sim;
    const QByteArray reply = onlyReply(sim.receive(request("01")));
    QCOMPARE(reply.size(), 31);
    QVERIFY(Frames::replyChecksumOk(reply));
    QCOMPARE(sim.statusPayload().size(), 27);
}

void tst_Controller::status_followsRelayAndDimmerCommands()
{
    ControllerSimulator sim;
    QCOMPARE(onlyReply(sim.receive(request("0201"))), QByteArray("[2F]"));
    QCOMPARE(onlyReply(sim.receive(request("0231"))), QByteArray("[2F]"));
    QCOMPARE(onlyReply(sim.receive(request("0322A"))), QByteArray("[2F]"));
    QCOMPARE(onlyReply(sim.receive(request("0300C"))), QByteArray("[2F]"));
    const QByteArray status = onlyReply(sim.receive(request("01")));
    QCOMPARE(status.mid(10, 1), QByteArray("9"));  // relays 1 and 4
    QCOMPARE(status.mid(11, 2), QByteArray("0C")); // dimmer 1
    QCOMPARE(status.mid(15, 2), QByteArray("2A")); // dimmer 3
    sim.receive(request("0200"));
    QCOMPARE(sim.relays, uint8_t(8));
}

void tst_Controller::status_modelAndNode_data()
{
    QTest::addColumn<bool>("fourChannel");
    QTest::addColumn<QByteArray>("modelChars");
    QTest::newRow("MX4_80") << true << QByteArray("80");
    QTest::newRow("MX2_00") << false << QByteArray("00");
}

void tst_Controller::status_modelAndNode()
{
    QFETCH(bool, fourChannel);
    QFETCH(QByteArray, modelChars);
    ControllerSimulator sim;
    sim.fourChannel = fourChannel;
    sim.node = "01";
    sim.firmware = '7';
    const QByteArray status = onlyReply(sim.receive(request("01")));
    QCOMPARE(status.mid(25, 2), QByteArray("01"));
    QCOMPARE(status.mid(27, 1), QByteArray("7"));
    QCOMPARE(status.mid(28, 2), modelChars);
}

void tst_Controller::blockWriteThenRead_roundTrips()
{
    ControllerSimulator sim;
    QByteArray write = "0403C03F";
    for (int j = 0; j < 64; ++j)
        write += Frames::Hex2(j + 100);
    QCOMPARE(onlyReply(sim.receive(request(write))).size(), 6);
    QCOMPARE(int(sim.memory[960]), 100);
    QCOMPARE(int(sim.memory[1023]), 163);
    const QByteArray read = onlyReply(sim.receive(request("0503C03F")));
    QCOMPARE(read.size(), 132);
    QCOMPARE(read.mid(3, 128), write.mid(8));
    QCOMPARE(read.at(131), ']');
}

void tst_Controller::memoryChecksum_matchesToolsSum()
{
    ControllerSimulator sim;
    sim.memory.fill(0xFF);
    QCOMPARE(onlyReply(sim.receive(request("06000003FF"))), Frames::buildReply("4D05BD40"));
}

void tst_Controller::badRequest_ignored_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QByteArray badSum = request("01");
    badSum[1] = '0';
    QTest::newRow("badChecksum") << badSum;
    QTest::newRow("unknownCommand") << request("09");
    QTest::newRow("relayOutOfRange") << request("0241");
    QTest::newRow("unalignedBlock") << request("0500203F");
    QTest::newRow("blockPastMemory") << request("0504003F");
    QTest::newRow("lowerCaseArgument") << request("030ff");
    QTest::newRow("missing00") << QByteArray("[27") + "01]";
    QTest::newRow("noiseOnly") << QByteArray("]]]xyz");
    QTest::newRow("endlessFrame") << "[" + QByteArray(600, 'A');
}

void tst_Controller::badRequest_ignored()
{
    QFETCH(QByteArray, bytes);
    ControllerSimulator sim;
    const ControllerSimulator::Output out = sim.receive(bytes);
    QVERIFY(out.replies.isEmpty());
    QCOMPARE(sim.dimmers[0], uint8_t(0));
    // The controller still answers the next good frame.
    QCOMPARE(onlyReply(sim.receive(request("01"))).size(), 31);
}

void tst_Controller::frameSplitAcrossCalls_answeredOnce()
{
    ControllerSimulator sim;
    const QByteArray frame = "noise" + request("0211");
    QVERIFY(sim.receive(frame.left(7)).replies.isEmpty());
    QCOMPARE(onlyReply(sim.receive(frame.mid(7))), QByteArray("[2F]"));
    QCOMPARE(sim.relays, uint8_t(2));
}

void tst_Controller::replyFaults_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QByteArray>("reply");
    QTest::newRow("extraCharacter") << QStringLiteral("extra-character") << QByteArray("[2F]X");
    QTest::newRow("lowerCase") << QStringLiteral("lower-case") << QByteArray("[2f]");
    QTest::newRow("badFrameChecksum") << QStringLiteral("bad-frame-checksum") << QByteArray("[30]");
}

void tst_Controller::replyFaults()
{
    QFETCH(QString, fault);
    QFETCH(QByteArray, reply);
    ControllerSimulator sim;
    QVERIFY(sim.faults.add(fault, nullptr));
    QCOMPARE(onlyReply(sim.receive(request("0200"))), reply);
}

void tst_Controller::wrongChecksum_flipsChosenHalf_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<bool>("mswRight");
    QTest::addColumn<bool>("lswRight");
    QTest::newRow("both") << QStringLiteral("wrong-checksum") << false << false;
    QTest::newRow("high") << QStringLiteral("wrong-checksum=1") << false << true;
    QTest::newRow("low") << QStringLiteral("wrong-checksum=2") << true << false;
}

void tst_Controller::wrongChecksum_flipsChosenHalf()
{
    QFETCH(QString, fault);
    QFETCH(bool, mswRight);
    QFETCH(bool, lswRight);
    ControllerSimulator sim;
    QVERIFY(sim.faults.add(fault, nullptr));
    const QByteArray reply = onlyReply(sim.receive(request("06000003FF")));
    QVERIFY(Frames::replyChecksumOk(reply));
    QCOMPARE(reply.mid(3, 4) == "4410", mswRight);
    QCOMPARE(reply.mid(7, 4) == "1341", lswRight);
}

void tst_Controller::silentFromBlock_staysSilentAfter()
{
    ControllerSimulator sim;
    QVERIFY(sim.faults.add(QStringLiteral("silent-from-block=2"), nullptr));
    QCOMPARE(sim.receive(request("0500003F")).replies.size(), 1);
    QVERIFY(sim.receive(request("0500403F")).replies.isEmpty());
    QVERIFY(sim.receive(request("01")).replies.isEmpty());
}

void tst_Controller::disconnectAtBlock_dropsLine()
{
    ControllerSimulator sim;
    QVERIFY(sim.faults.add(QStringLiteral("disconnect-at-block=16"), nullptr));
    QVERIFY(!sim.receive(request("0503803F")).disconnect);
    const ControllerSimulator::Output out = sim.receive(request("0503C03F"));
    QVERIFY(out.disconnect);
    QVERIFY(out.replies.isEmpty());
    QVERIFY(sim.isDisconnected());
    QVERIFY(sim.receive(request("01")).replies.isEmpty());
}

void tst_Controller::slow_delaysEachReply()
{
    ControllerSimulator sim;
    QVERIFY(sim.faults.add(QStringLiteral("slow"), nullptr));
    QCOMPARE(sim.receive(request("01")).replies.first().delayMs, Faults::DefaultSlowMs);
    QVERIFY(sim.faults.add(QStringLiteral("slow=250"), nullptr));
    QCOMPARE(sim.receive(request("01")).replies.first().delayMs, 250);
}

void tst_Controller::faultNames_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<bool>("ok");
    QTest::newRow("silent") << QStringLiteral("silent") << true;
    QTest::newRow("silentWithNumber_refused") << QStringLiteral("silent=3") << false;
    QTest::newRow("blockZero_refused") << QStringLiteral("silent-from-block=0") << false;
    QTest::newRow("block17_refused") << QStringLiteral("disconnect-at-block=17") << false;
    QTest::newRow("blockWithoutNumber_refused") << QStringLiteral("disconnect-at-block") << false;
    QTest::newRow("slowNotNumber_refused") << QStringLiteral("slow=fast") << false;
    QTest::newRow("wrongChecksum3_refused") << QStringLiteral("wrong-checksum=3") << false;
    QTest::newRow("unknown_refused") << QStringLiteral("noisy") << false;
}

void tst_Controller::faultNames()
{
    QFETCH(QString, fault);
    QFETCH(bool, ok);
    Faults faults;
    QString error;
    QCOMPARE(faults.add(fault, &error), ok);
    QCOMPARE(error.isEmpty(), ok);
}

void tst_Controller::simulatedPort_timeoutMovesClockToDeadline()
{
    ControllerSimulator sim;
    SimulatedSerialPort port(sim);
    QVERIFY(port.open(1).ok);
    QCOMPARE(port.waitForData(QDeadlineTimer(2000)), SerialPort::Wait::TimedOut);
    QVERIFY(port.simulatedMs() >= 1990);
    QVERIFY(port.write(request("01")));
    QCOMPARE(port.waitForData(QDeadlineTimer(0)), SerialPort::Wait::DataArrived);
    QCOMPARE(port.readAll().size(), 31);
    QVERIFY(port.deviceName(4).contains(QStringLiteral("COM4")));
}

QTEST_APPLESS_MAIN(tst_Controller)
#include "tst_controller.moc"
