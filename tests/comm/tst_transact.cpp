#include "ControllerSimulator.h"
#include "SimulatedSerialPort.h"
#include "modOVMXCommunications.h"

#include <QTest>

#include <optional>

class tst_Transact : public QObject
{
    Q_OBJECT

private:
    std::optional<ControllerSimulator> m_sim;
    std::optional<SimulatedSerialPort> m_port;
    std::optional<modOVMXCommunications> m_comm;

private Q_SLOTS:
    void init()
    {
        m_comm.reset();
        m_port.reset();
        m_sim.emplace();
        m_port.emplace(*m_sim);
        m_comm.emplace(*m_port);
        QVERIFY(m_comm->OpenPort(0).ok);
    }

    void status_repliesWithGoodChecksum()
    {
        QVERIFY(m_comm->Transact("01", 31, 1));
        QCOMPARE(m_comm->LastReply.size(), 31);
        QCOMPARE(m_port->written(), QList<QByteArray>{"[270001]"});
        QCOMPARE(m_comm->replyAt(26, 2), QByteArrayView("FF"));
    }

    void faults_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("simulatedMs"); // how long the exchange lasted on the port's clock
        QTest::newRow("none passes") << QString() << true << 0;
        QTest::newRow("lower-case digits pass") << "lower-case" << true << 0;
        QTest::newRow("extra character fails") << "extra-character" << false << 0;
        QTest::newRow("bad frame checksum fails") << "bad-frame-checksum" << false << 0;
        QTest::newRow("silent fails after limit") << "silent" << false << 1000;
        QTest::newRow("slow within limit passes") << "slow=900" << true << 900;
        QTest::newRow("slow past limit fails") << "slow=1100" << false << 1000;
    }
    void faults()
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

    void shortReply_waitsFullLimitAndFails()
    {
        // An acknowledgement is 4 characters; waiting for 5 can only end at the limit.
        QVERIFY(!m_comm->Transact("0200", 5, 3));
        QVERIFY(m_port->simulatedMs() >= 2990);
        QVERIFY(m_comm->PortOpen());
    }

    void replyInPieces_isCollectedWhole()
    {
        m_port->setChunkSize(7);
        QVERIFY(m_comm->Transact("0503C03F", 132, 4));
        QCOMPARE(m_comm->LastReply.size(), 132);
    }

    void staleBytes_discardedBeforeRequest()
    {
        m_port->injectReceived("[2F][2F]noise");
        QVERIFY(m_comm->Transact("01", 31, 1));
        QCOMPARE(m_comm->LastReply.size(), 31);
        QVERIFY(m_comm->LastReply.startsWith('['));
    }

    void timeout_leavesLastReplyUnchanged()
    {
        QVERIFY(m_comm->Transact("0200", 4, 1));
        const QByteArray before = m_comm->LastReply;
        m_sim->faults.silent = true;
        QVERIFY(!m_comm->Transact("01", 31, 1));
        QCOMPARE(m_comm->LastReply, before);
    }

    void badChecksum_stillStoresLastReply()
    {
        m_sim->faults.extraCharacter = true;
        QVERIFY(!m_comm->Transact("0200", 4, 1));
        QCOMPARE(m_comm->LastReply, QByteArray("[2F]X"));
    }

    void lineDropped_failsAtOnceAndClosesPort()
    {
        m_sim->faults.disconnectAtBlock = 1;
        QVERIFY(!m_comm->Transact("0500003F", 132, 4));
        QVERIFY(!m_comm->PortOpen());
        QCOMPARE(m_port->simulatedMs(), 0);
    }

    void closedPort_failsWithoutWriting()
    {
        m_comm->ClosePort();
        QVERIFY(!m_comm->Transact("01", 31, 1));
        QVERIFY(m_port->written().isEmpty());
    }

    void trace_reportsEveryFrameWithTime()
    {
        using Kind = modOVMXCommunications::TraceKind;
        QList<modOVMXCommunications::TraceEvent> events;
        m_comm->setTraceHook([&](const modOVMXCommunications::TraceEvent &e) { events.append(e); });
        m_port->injectReceived("junk");
        QVERIFY(m_comm->Transact("01", 31, 1));
        m_sim->faults.silent = true;
        QVERIFY(!m_comm->Transact("01", 31, 1));
        QCOMPARE(events.size(), 5);
        QCOMPARE(events[0].kind, Kind::Discarded);
        QCOMPARE(events[0].data, QByteArray("junk"));
        QCOMPARE(events[1].kind, Kind::Sent);
        QCOMPARE(events[1].data, QByteArray("[270001]"));
        QCOMPARE(events[2].kind, Kind::Received);
        QCOMPARE(events[2].data.size(), 31);
        QCOMPARE(events[4].kind, Kind::TimedOut);
        QVERIFY(events[4].ms >= events[0].ms);
    }

    void openPort_listPositionIsPortNumberMinusOne()
    {
        QVERIFY(!m_comm->OpenPort(8).ok);
        QVERIFY(!m_comm->OpenPort(-1).ok);
        m_port->setPorts({3});
        const SerialPort::OpenResult missing = m_comm->OpenPort(0);
        QVERIFY(!missing.ok);
        QVERIFY(missing.reason.contains(QStringLiteral("missing")));
        QVERIFY(m_comm->OpenPort(2).ok);
        QCOMPARE(m_port->openedPort(), 3);
    }
};

QTEST_APPLESS_MAIN(tst_Transact)
#include "tst_transact.moc"
