#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

class QSettings;

// Which device each of "COM1" ... "COM8" reaches. On Windows COMn is COMn; elsewhere COMn is
// the n-th of the USB adapters under /dev/serial/by-id (sorted by name), then /dev/ttyS0,
// /dev/ttyS1 ... One entry can be overridden, as "--port COM3=/dev/ttyUSB1" does.
class PortMap
{
public:
    explicit PortMap(QString byIdDir = QStringLiteral("/dev/serial/by-id"),
                     QString serialPrefix = QStringLiteral("/dev/ttyS"));

    void setOverride(int portNumber, const QString &device);
    // "COMn=DEVICE"; false with a reason for anything else.
    bool addOverride(const QString &mapping, QString *error);
    // The device as named (by-id link or override), before links are followed.
    QString deviceFor(int portNumber) const;
    // The real device behind links, so lock files follow the device and not the link; the
    // name itself when it does not exist.
    static QString resolve(const QString &path);
    // "COM3" -> 3; 0 for anything that is not COM1-COM8.
    static int comNumber(const QString &name);

    // The overrides kept between runs under "ports/COMn", taken up beneath any made since.
    void loadOverrides(const QSettings &settings);
    // Keeps the overrides for later runs; one that maps COMn to COMn itself is forgotten.
    void saveOverrides(QSettings &settings) const;

private:
    QString m_byIdDir;
    QString m_serialPrefix;
    QMap<int, QString> m_overrides;
};

// What a failed open found out about the device, and the words for it.
struct DeviceFacts {
    bool exists = false;
    bool accessible = false; // read and write allowed to this user
    QString group;           // the group owning the device
    bool busy = false;       // held or locked by another program
};
DeviceFacts examineDevice(const QString &device);
QString openFailureReason(const QString &device, const DeviceFacts &facts,
                          const QString &driverError);
