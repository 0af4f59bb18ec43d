// The port as a Windows program sees it: the mappings kept between runs and the names Windows
// gives the adapters. Ports above COM9 and a missing port are tried against the simulator by
// check-port.sh.
#include "PortMap.h"
#include "Win32SerialLink.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

class tst_windows : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A mapping made by --port stays for the next run, beneath any given then; one back to the
    // entry's own port is forgotten.
    void mapping_keptBetweenRuns()
    {
        QTemporaryDir dir;
        QSettings settings(dir.filePath("settings.ini"), QSettings::IniFormat);
        PortMap first;
        QVERIFY(first.addOverride("COM3=COM12", nullptr) &&
                first.addOverride("COM4=COM20", nullptr));
        first.saveOverrides(settings);
        PortMap second;
        QVERIFY(second.addOverride("COM4=COM4", nullptr));
        second.loadOverrides(settings);
        QCOMPARE(second.deviceFor(3), "COM12");
        QCOMPARE(second.deviceFor(4), "COM4");
        QCOMPARE(second.deviceFor(5), "COM5");
        second.saveOverrides(settings);
        QCOMPARE(settings.allKeys(), QStringList{"ports/COM3"});
    }

    // The names Device Manager shows: the adapter behind a port, or the port where Windows
    // lists no device for it.
    void deviceName_isTheAdaptersName()
    {
        const QString key = "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Enum\\FTDIBUS\\"
                            "VID_0403+PID_6001+A10KRQ5TA\\0000";
        QSettings device(key, QSettings::NativeFormat);
        device.setValue("ClassGUID", "{4d36e978-e325-11ce-bfc1-08002be10318}");
        device.setValue("FriendlyName", "USB Serial Port (COM5)");
        device.setValue("Device Parameters/PortName", "COM5");
        device.sync();
        PortMap map;
        map.setOverride(3, "COM5");
        const Win32SerialLink port(map);
        QCOMPARE(port.deviceName(3), "USB Serial Port (COM5)");
        QCOMPARE(port.deviceName(5), "USB Serial Port (COM5)");
        QCOMPARE(port.deviceName(6), "COM6");
        device.remove("");
    }
};

QTEST_GUILESS_MAIN(tst_windows)
#include "tst_windows.moc"
