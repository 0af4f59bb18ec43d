#include "PortMap.h"
#include "QSerialPortLink.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class tst_PortMap : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void adaptersFirstThenSerialPorts();
    void noAdapters_com1IsTtyS0();
    void override_replacesOneEntry();
    void overrideSpec_data();
    void overrideSpec();
    void resolve_followsLinks();
    void reason_data();
    void reason();
    void openMissingDevice_reportsMissing();
};

void tst_PortMap::adaptersFirstThenSerialPorts()
{
    QTemporaryDir dir;
    for (const char *name : {"usb-FTDI_b-if00-port0", "usb-FTDI_a-if00-port0"})
        QVERIFY(QFile::link(QStringLiteral("/dev/null"), dir.filePath(QLatin1String(name))));
    const PortMap map(dir.path(), QStringLiteral("/dev/ttyS"));
    QCOMPARE(map.deviceFor(1), dir.filePath(QStringLiteral("usb-FTDI_a-if00-port0")));
    QCOMPARE(map.deviceFor(2), dir.filePath(QStringLiteral("usb-FTDI_b-if00-port0")));
    QCOMPARE(map.deviceFor(3), QStringLiteral("/dev/ttyS0"));
    QCOMPARE(map.deviceFor(8), QStringLiteral("/dev/ttyS5"));
}

void tst_PortMap::noAdapters_com1IsTtyS0()
{
    const PortMap map(QStringLiteral("/nonexistent/by-id"), QStringLiteral("/dev/ttyS"));
    QCOMPARE(map.deviceFor(1), QStringLiteral("/dev/ttyS0"));
}

void tst_PortMap::override_replacesOneEntry()
{
    PortMap map(QStringLiteral("/nonexistent/by-id"), QStringLiteral("/dev/ttyS"));
    QVERIFY(map.addOverride(QStringLiteral("COM2=/dev/ttyUSB7"), nullptr));
    QCOMPARE(map.deviceFor(2), QStringLiteral("/dev/ttyUSB7"));
    QCOMPARE(map.deviceFor(3), QStringLiteral("/dev/ttyS2"));
}

void tst_PortMap::overrideSpec_data()
{
    QTest::addColumn<QString>("spec");
    QTest::addColumn<int>("port");
    QTest::newRow("com8_accepted") << QStringLiteral("COM8=/dev/x") << 8;
    QTest::newRow("lowerCase_accepted") << QStringLiteral("com1=/dev/x") << 1;
    QTest::newRow("com9_refused") << QStringLiteral("COM9=/dev/x") << 0;
    QTest::newRow("com0_refused") << QStringLiteral("COM0=/dev/x") << 0;
    QTest::newRow("noDevice_refused") << QStringLiteral("COM1=") << 0;
    QTest::newRow("noEquals_refused") << QStringLiteral("/dev/ttyUSB0") << 0;
}

void tst_PortMap::overrideSpec()
{
    QFETCH(QString, spec);
    QFETCH(int, port);
    PortMap map(QStringLiteral("/nonexistent/by-id"), QStringLiteral("/dev/ttyS"));
    QString error;
    QCOMPARE(map.addOverride(spec, &error), port != 0);
    QCOMPARE(error.isEmpty(), port != 0);
    if (port)
        QCOMPARE(map.deviceFor(port), QStringLiteral("/dev/x"));
}

void tst_PortMap::resolve_followsLinks()
{
    QTemporaryDir dir;
    const QString link = dir.filePath(QStringLiteral("adapter"));
    QVERIFY(QFile::link(QStringLiteral("/dev/null"), link));
    QCOMPARE(PortMap::resolve(link), QStringLiteral("/dev/null"));
    QCOMPARE(PortMap::resolve(QStringLiteral("/dev/none-such")), QStringLiteral("/dev/none-such"));
}

void tst_PortMap::reason_data()
{
    QTest::addColumn<bool>("exists");
    QTest::addColumn<bool>("accessible");
    QTest::addColumn<bool>("busy");
    QTest::addColumn<QString>("reason");
    QTest::newRow("missing") << false << false << false
                             << QStringLiteral("/dev/ttyUSB0 is missing (adapter unplugged, or "
                                               "another port number?)");
    QTest::newRow("noPermission_namesGroup")
        << true << false << false
        << QStringLiteral("no permission to use /dev/ttyUSB0: it belongs to group \"dialout\"; "
                          "add your user to that group and log in again");
    QTest::newRow("inUse") << true << true << true
                           << QStringLiteral("/dev/ttyUSB0 is in use by another program");
    QTest::newRow("other_driverWords")
        << true << true << false << QStringLiteral("/dev/ttyUSB0: Unknown error");
}

void tst_PortMap::reason()
{
    QFETCH(bool, exists);
    QFETCH(bool, accessible);
    QFETCH(bool, busy);
    QFETCH(QString, reason);
    DeviceFacts facts;
    facts.exists = exists;
    facts.accessible = accessible;
    facts.busy = busy;
    facts.group = QStringLiteral("dialout");
    QCOMPARE(
        openFailureReason(QStringLiteral("/dev/ttyUSB0"), facts, QStringLiteral("Unknown error")),
        reason);
}

void tst_PortMap::openMissingDevice_reportsMissing()
{
    PortMap map;
    map.setOverride(4, QStringLiteral("/dev/ttyNoSuchAdapter"));
    QSerialPortLink link(map);
    const SerialPort::OpenResult result = link.open(4);
    QVERIFY(!result.ok);
    QCOMPARE(result.device, QStringLiteral("/dev/ttyNoSuchAdapter"));
    QVERIFY(result.reason.contains(QStringLiteral("missing")));
    QVERIFY(!link.isOpen());
}

QTEST_GUILESS_MAIN(tst_PortMap)
#include "tst_portmap.moc"
