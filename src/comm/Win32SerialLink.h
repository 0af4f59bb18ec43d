#pragma once

#include "PortMap.h"
#include "SerialPort.h"

// The controller's line on a Windows COM port through the Win32 communications API: 38400
// bit/s, 8 data bits, no parity, one stop bit, no flow control. Blocking use only; it needs no
// event loop.
class Win32SerialLink : public SerialPort
{
public:
    explicit Win32SerialLink(PortMap map = PortMap());
    ~Win32SerialLink() override;
    Win32SerialLink(const Win32SerialLink &) = delete;
    Win32SerialLink &operator=(const Win32SerialLink &) = delete;

    PortMap &portMap() { return m_map; }

    OpenResult open(int portNumber) override;
    bool isOpen() const override { return m_handle != nullptr; }
    void close() override;
    bool write(const QByteArray &data) override;
    qint64 bytesWaiting() const override { return m_received.size(); }
    QByteArray readAll() override;
    Wait waitForData(QDeadlineTimer deadline, qint64 awaited = 1) override;
    // The adapter's own name as Windows lists it ("USB Serial Port (COM5)"), else the port.
    QString deviceName(int portNumber) const override;
    QString errorString() const override { return m_error; }

    // "\\.\COM12" for "COM12": CreateFile reaches ports above COM9 only by that name.
    static QString devicePath(const QString &port);
    // The friendly name Windows gives the device of `port`; empty when it lists none.
    static QString friendlyName(const QString &port);

private:
    Wait fail(const QString &what);

    PortMap m_map;
    void *m_handle = nullptr; // the HANDLE of the open port
    QString m_port;           // as opened: "COM5"
    QByteArray m_received;
    QString m_error;
};
