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

private:
    std::unique_ptr<SimProcess> m_sim;
    PortMap m_map; // port 1 is the simulator's

    bool startSim(const QString &fault = {})
    {
        m_sim = std::make_unique<SimProcess>(QStringLiteral(ORVANDEL_SIM_PROGRAM));
        if (!m_sim->start(fault.isEmpty() ? QStringList{} : QStringList{"--fault", fault}))
            return false;
        m_map = PortMap();
        m_map.setOverride(1, m_sim->device);
        return true;
    }
    static modOVMXConfig patterned()
    {
        modOVMXConfig doc;
        modOVMXConfig::Image image{};
        for (int i = 0; i < 1024; ++i)
            image[size_t(i)] = static_cast<int16_t>((i * 13 + 5) & 0xFF);
        doc.setImage(image);
        return doc;
    }

private Q_SLOTS:
    void cleanup() { m_sim.reset(); }

    void downloadVerifyUpload_roundTrip()
    {
        QVERIFY(startSim());
        QSerialPortLink port(m_map);
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

    void disconnectMidTransfer_failsAtOnce()
    {
        QVERIFY(startSim("disconnect-at-block=9"));
        QSerialPortLink port(m_map);
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
        QVERIFY(prompts.calls.first().text.startsWith("Upload Communications Error(1)."));
        QVERIFY(!port.errorString().isEmpty());
    }

    void portHeldByAnother_reportedInUse()
    {
        QVERIFY(startSim());
        QSerialPortLink first(m_map), second(m_map);
        QVERIFY(first.open(1).ok);
        const SerialPort::OpenResult result = second.open(1);
        QVERIFY(!result.ok);
        QCOMPARE(result.device, m_sim->device);
        QVERIFY2(result.reason.contains("in use"), qPrintable(result.reason));
    }

    void unansweredExchange_failsAtLimit()
    {
        QVERIFY(startSim("silent"));
        QSerialPortLink port(m_map);
        modOVMXCommunications comm(port);
        QVERIFY(comm.OpenPort(0).ok);
        QElapsedTimer clock;
        clock.start();
        QVERIFY(!comm.Transact("01", 31, 1));
        QVERIFY(clock.elapsed() >= 1000);
        QVERIFY(comm.PortOpen());
    }
};

QTEST_GUILESS_MAIN(tst_PtyLink)
#include "tst_pty_link.moc"
