#include "PortMap.h"
#include "QSerialPortLink.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class tst_PortMap : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void adaptersFirstThenSerialPorts()
    {
        QTemporaryDir dir;
        for (const char *name : {"usb-FTDI_b-if00-port0", "usb-FTDI_a-if00-port0"})
            QVERIFY(QFile::link("/dev/null", dir.filePath(name)));
        const PortMap map(dir.path(), "/dev/ttyS");
        QCOMPARE(map.deviceFor(1), dir.filePath("usb-FTDI_a-if00-port0"));
        QCOMPARE(map.deviceFor(2), dir.filePath("usb-FTDI_b-if00-port0"));
        QCOMPARE(map.deviceFor(3), QStringLiteral("/dev/ttyS0"));
        QCOMPARE(map.deviceFor(8), QStringLiteral("/dev/ttyS5"));
        QCOMPARE(PortMap("/nonexistent/by-id", "/dev/ttyS").deviceFor(1),
                 QStringLiteral("/dev/ttyS0"));
    }

    void override_data()
    {
        QTest::addColumn<QString>("mapping");
        QTest::addColumn<int>("port"); // 0: refused
        QTest::newRow("COM2") << "COM2=/dev/x" << 2;
        QTest::newRow("COM8") << "COM8=/dev/x" << 8;
        QTest::newRow("lower case") << "com1=/dev/x" << 1;
        QTest::newRow("COM9 refused") << "COM9=/dev/x" << 0;
        QTest::newRow("COM0 refused") << "COM0=/dev/x" << 0;
        QTest::newRow("no device refused") << "COM1=" << 0;
        QTest::newRow("no equals refused") << "/dev/ttyUSB0" << 0;
    }
    void override()
    {
        QFETCH(QString, mapping);
        QFETCH(int, port);
        PortMap map("/nonexistent/by-id", "/dev/ttyS");
        QString error;
        QCOMPARE(map.addOverride(mapping, &error), port != 0);
        QCOMPARE(error.isEmpty(), port != 0);
        for (int n = 1; n <= 8; ++n)
            QCOMPARE(map.deviceFor(n),
                     n == port ? QString("/dev/x") : QString("/dev/ttyS%1").arg(n - 1));
    }

    void resolve_followsLinks()
    {
        QTemporaryDir dir;
        const QString link = dir.filePath("adapter");
        QVERIFY(QFile::link("/dev/null", link));
        QCOMPARE(PortMap::resolve(link), QStringLiteral("/dev/null"));
        QCOMPARE(PortMap::resolve("/dev/none-such"), QStringLiteral("/dev/none-such"));
    }

    void reason_data()
    {
        QTest::addColumn<bool>("exists");
        QTest::addColumn<bool>("accessible");
        QTest::addColumn<bool>("busy");
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing")
            << false << false << false
            << "/dev/ttyUSB0 is missing (adapter unplugged, or another port number?)";
        QTest::newRow("no permission names the group")
            << true << false << false
            << "no permission to use /dev/ttyUSB0: it belongs to group \"dialout\"; add your user "
               "to "
               "that group and log in again";
        QTest::newRow("in use") << true << true << true
                                << "/dev/ttyUSB0 is in use by another program";
        QTest::newRow("other: driver's words")
            << true << true << false << "/dev/ttyUSB0: Unknown error";
    }
    void reason()
    {
        QFETCH(bool, exists);
        QFETCH(bool, accessible);
        QFETCH(bool, busy);
        QFETCH(QString, reason);
        DeviceFacts facts;
        facts.exists = exists;
        facts.accessible = accessible;
        facts.busy = busy;
        facts.group = "dialout";
        QCOMPARE(openFailureReason("/dev/ttyUSB0", facts, "Unknown error"), reason);
    }

    void openMissingDevice_reportsMissing()
    {
        PortMap map;
        map.setOverride(4, "/dev/ttyNoSuchAdapter");
        QSerialPortLink link(map);
        const SerialPort::OpenResult result = link.open(4);
        QVERIFY(!result.ok);
        QCOMPARE(result.device, QStringLiteral("/dev/ttyNoSuchAdapter"));
        QVERIFY(result.reason.contains(QStringLiteral("missing")));
        QVERIFY(!link.isOpen());
    }
};

QTEST_GUILESS_MAIN(tst_PortMap)
#include "tst_portmap.moc"
