#include "QSerialPortLink.h"

#include <QThread>

#include <climits>

QSerialPortLink::QSerialPortLink(PortMap map) : m_map(std::move(map)) {}

SerialPort::OpenResult QSerialPortLink::open(int portNumber)
{
    close();
    const QString named = m_map.deviceFor(portNumber);
    const QString device = PortMap::resolve(named);
    m_port.setPortName(device);
    m_port.setBaudRate(QSerialPort::Baud38400);
    m_port.setDataBits(QSerialPort::Data8);
    m_port.setParity(QSerialPort::NoParity);
    m_port.setStopBits(QSerialPort::OneStop);
    m_port.setFlowControl(QSerialPort::NoFlowControl);
    if (m_port.open(QIODevice::ReadWrite)) {
        m_error.clear();
        return {true, device, {}};
    }
    const QSerialPort::SerialPortError code = m_port.error();
    DeviceFacts facts = examineDevice(device);
    if (code == QSerialPort::DeviceNotFoundError)
        facts.exists = false;
    // Allowed to use the device and still refused: another program holds or locks it.
    facts.busy = code == QSerialPort::PermissionError && facts.accessible;
    m_error = openFailureReason(device, facts, m_port.errorString());
    m_port.clearError();
    return {false, device, m_error};
}

void QSerialPortLink::close()
{
    if (m_port.isOpen())
        m_port.close();
}

bool QSerialPortLink::write(const QByteArray &data)
{
    bool sent = m_port.write(data) == data.size();
    // The frame leaves in one piece before the reply's clock starts.
    while (sent && m_port.bytesToWrite() > 0)
        sent = m_port.waitForBytesWritten(1000);
    if (!sent)
        fail();
    return sent;
}

SerialPort::Wait QSerialPortLink::waitForData(QDeadlineTimer deadline, qint64 awaited)
{
    if (!m_port.isOpen())
        return Wait::Failed;
    if (awaited > 1)
        restWhileLineBrings(awaited - 1, deadline);
    const qint64 remaining = deadline.remainingTime();
    const int msecs = remaining < 0 ? -1 : static_cast<int>(std::min<qint64>(remaining, INT_MAX));
    if (m_port.waitForReadyRead(msecs))
        return Wait::DataArrived;
    const QSerialPort::SerialPortError code = m_port.error();
    if (code == QSerialPort::NoError || code == QSerialPort::TimeoutError) {
        m_port.clearError();
        return Wait::TimedOut;
    }
    return fail();
}

void QSerialPortLink::restWhileLineBrings(qint64 characters, QDeadlineTimer deadline)
{
    // At 38400 bit/s a character takes 10 bit times; those still to come cannot all be here
    // sooner, and waking for each one would cost a wakeup per character. The driver keeps
    // receiving meanwhile.
    qint64 us = characters * 10'000'000 / m_port.baudRate();
    if (!deadline.isForever())
        us = std::min<qint64>(us, deadline.remainingTimeNSecs() / 1000);
    if (us > 0)
        QThread::usleep(static_cast<unsigned long>(us));
}

SerialPort::Wait QSerialPortLink::fail()
{
    const bool lost =
        m_port.error() == QSerialPort::ReadError || m_port.error() == QSerialPort::ResourceError;
    m_error = lost ? QStringLiteral("%1 was lost (adapter unplugged?): %2")
                         .arg(m_port.portName(), m_port.errorString())
                   : QStringLiteral("%1: %2").arg(m_port.portName(), m_port.errorString());
    m_port.clearError();
    close();
    return Wait::Failed;
}
