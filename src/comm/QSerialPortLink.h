#pragma once

#include "PortMap.h"
#include "SerialPort.h"

#include <QSerialPort>

// The controller's line on a real serial port: 38400 bit/s, 8 data bits, no parity, one
// stop bit, no flow control. Blocking use only; it needs no event loop.
class QSerialPortLink : public SerialPort
{
public:
    explicit QSerialPortLink(PortMap map = PortMap());

    PortMap &portMap() { return m_map; }

    OpenResult open(int portNumber) override;
    bool isOpen() const override { return m_port.isOpen(); }
    void close() override;
    bool write(const QByteArray &data) override;
    qint64 bytesWaiting() const override { return m_port.bytesAvailable(); }
    QByteArray readAll() override { return m_port.readAll(); }
    Wait waitForData(QDeadlineTimer deadline, qint64 awaited = 1) override;
    QString deviceName(int portNumber) const override { return m_map.deviceFor(portNumber); }
    QString errorString() const override { return m_error; }

private:
    void restWhileLineBrings(qint64 characters, QDeadlineTimer deadline);
    Wait fail();

    PortMap m_map;
    QSerialPort m_port;
    QString m_error;
};
