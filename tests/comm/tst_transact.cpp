#include "ControllerSimulator.h"
#include "SimulatedSerialPort.h"
#include "modOVMXCommunications.h"

#include <QTest>

class tst_Transact : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void status_repliesWithGoodChecksum();
    void faults_data();
    void faults();
    void shortReply_waitsFullLimitAndFails();
    void replyInPieces_isCollectedWhole();
    void staleBytes_discardedBeforeRequest();
    void timeout_leavesLastReplyUnchanged();
    void badChecksum_stillStoresLastReply();
    void lineDropped_failsAtOnceAndClosesPort();
    void closedPort_failsWithoutWriting();
    void trace_reportsEveryFrameWithTime();
    void openPort_listPositionIsPortNumberMinusOne();
    void openPort_outsideList_refused();

private:
    ControllerSimulator *m_sim = nullptr;
    SimulatedSerialPort *m_port = nullptr;
    modOVMXCommunications *m_comm = nullptr;
    std::unique_ptr<ControllerSimulator> m_simOwner;
    std::unique_ptr<SimulatedSerialPort> m_portOwner;
    std::unique_ptr<modOVMXCommunications> m_commOwner;
};

void tst_Transact::init()
{
    m_simOwner = std::make_unique<ControllerSimulator>();
    m_portOwner = std::make_unique<SimulatedSerialPort>(*m_simOwner);
    m_commOwner = std::make_unique<modOVMXCommunications>(*m_portOwner);
    m_sim = m_simOwner.get();
    m_port = m_portOwner.get();
    m_comm = m_commOwner.get();
    QVERIFY(m_comm->OpenPort(0).ok);
}

void tst_Transact::status_repliesWithGoodChecksum()
{
    QVERIFY(m_comm->Transact("01", 31, 1));
    QCOMPARE(m_comm->LastReply.size(), 31);
    QCOMPARE(m_port->written(), QList<QByteArray>{"[270001]"});
    QCOMPARE(m_comm->replyAt(26, 2), QByteArrayView("FF"));
}

void tst_Transact::faults_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("simulatedMs"); // how long the exchange lasted on the port's clock
    QTest::newRow("none_passes") << QString() << true << 0;
    QTest::newRow("lowerCaseDigits_passes") << QStringLiteral("lower-case") << true << 0;
    QTest::newRow("extraCharacter_fails") << QStringLiteral("extra-character") << false << 0;
    QTest::newRow("badFrameChecksum_fails") << QStringLiteral("bad-frame-checksum") << false << 0;
    QTest::newRow("silent_failsAfterLimit") << QStringLiteral("silent") << false << 1000;
    QTest::newRow("slowWithinLimit_passes") << QStringLiteral("slow=900") << true << 900;
    QTest::newRow("slowPastLimit_fails") << QStringLiteral("slow=1100") << false << 1000;
}

void tst_Transact::faults()
{
    QFETCH(QString, fault);
    QFETCH(bool, ok);
    QFETCH(int, simulatedMs);
    if (!fault.isEmpty())
        QVERIFY(m_sim->faults.add(fault, nullptr));
    m_sim->relays = 0;
    QCOMPARE(m_comm->Transact("0211", 4, 1), ok);
    // The controller acted on the request either way; only the reply was faulty.
    QCOMPARE(m_sim->relays, fault == QLatin1String("silent") ? 0 : 2);
    QVERIFY(qAbs(m_port->simulatedMs() - simulatedMs) <= 5);
}

void tst_Transact::shortReply_waitsFullLimitAndFails()
{
    // An acknowledgement is 4 characters; waiting for 5 can only end at the limit.
    QVERIFY(!m_comm->Transact("0200", 5, 3));
    QVERIFY(m_port->simulatedMs() >= 2990);
    QVERIFY(m_comm->PortOpen());
}

void tst_Transact::replyInPieces_isCollectedWhole()
{
    m_port->setChunkSize(7);
    QVERIFY(m_comm->Transact("0503C03F", 132, 4));
    QCOMPARE(m_comm->LastReply.size(), 132);
}

void tst_Transact::staleBytes_discardedBeforeRequest()
{
    m_port->injectReceived("[2F][2F]noise");
    QVERIFY(m_comm->Transact("01", 31, 1));
    QCOMPARE(m_comm->LastReply.size(), 31);
    QVERIFY(m_comm->LastReply.startsWith('['));
}

void tst_Transact::timeout_leavesLastReplyUnchanged()
{
    QVERIFY(m_comm->Transact("0200", 4, 1));
    const QByteArray before = m_comm->LastReply;
    m_sim->faults.silent = true;
    QVERIFY(!m_comm->Transact("01", 31, 1));
    QCOMPARE(m_comm->LastReply, before);
}

void tst_Transact::badChecksum_stillStoresLastReply()
{
    m_sim->faults.extraCharacter = true;
    QVERIFY(!m_comm->Transact("0200", 4, 1));
    QCOMPARE(m_comm->LastReply, QByteArray("[2F]X"));
}

void tst_Transact::lineDropped_failsAtOnceAndClosesPort()
{
    m_sim->faults.disconnectAtBlock = 1;
    QVERIFY(!m_comm->Transact("0500003F", 132, 4));
    QVERIFY(!m_comm->PortOpen());
    QCOMPARE(m_port->simulatedMs(), 0);
}

void tst_Transact::closedPort_failsWithoutWriting()
{
    m_comm->ClosePort();
    QVERIFY(!m_comm->Transact("01", 31, 1));
    QVERIFY(m_port->written().isEmpty());
}

void tst_Transact::trace_reportsEveryFrameWithTime()
{
    QList<modOVMXCommunications::TraceEvent> events;
    m_comm->setTraceHook([&](const modOVMXCommunications::TraceEvent &e) { events.append(e); });
    m_port->injectReceived("junk");
    QVERIFY(m_comm->Transact("01", 31, 1));
    m_sim->faults.silent = true;
    QVERIFY(!m_comm->Transact("01", 31, 1));
    QCOMPARE(events.size(), 5);
    QCOMPARE(events[0].kind, modOVMXCommunications::TraceKind::Discarded);
    QCOMPARE(events[0].data, QByteArray("junk"));
    QCOMPARE(events[1].kind, modOVMXCommunications::TraceKind::Sent);
    QCOMPARE(events[1].data, QByteArray("[270001]"));
    QCOMPARE(events[2].kind, modOVMXCommunications::TraceKind::Received);
    QCOMPARE(events[2].data.size(), 31);
    QCOMPARE(events[4].kind, modOVMXCommunications::TraceKind::TimedOut);
    QVERIFY(events[4].ms >= events[0].ms);
}

void tst_Transact::openPort_listPositionIsPortNumberMinusOne()
{
    m_port->setPorts({3});
    const SerialPort::OpenResult missing = m_comm->OpenPort(0);
    QVERIFY(!missing.ok);
    QVERIFY(missing.reason.contains(QStringLiteral("missing")));
    QVERIFY(m_comm->OpenPort(2).ok);
    QCOMPARE(m_port->openedPort(), 3);
}

void tst_Transact::openPort_outsideList_refused()
{
    QVERIFY(!m_comm->OpenPort(8).ok);
    QVERIFY(!m_comm->OpenPort(-1).ok);
}

QTEST_APPLESS_MAIN(tst_Transact)
#include "tst_transact.moc"
