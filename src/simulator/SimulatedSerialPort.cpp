#include "SimulatedSerialPort.h"

SimulatedSerialPort::SimulatedSerialPort(ControllerSimulator &controller) : m_controller(controller)
{
}

SerialPort::OpenResult SimulatedSerialPort::open(int portNumber)
{
    close();
    const QString device = deviceName(portNumber);
    if (!m_ports.contains(portNumber) || m_controller.isDisconnected()) {
        m_error = device + QStringLiteral(" is missing");
        return {false, device, m_error};
    }
    m_open = true;
    m_openPort = portNumber;
    m_lineDropped = false;
    m_error.clear();
    return {true, device, {}};
}

void SimulatedSerialPort::close()
{
    m_open = false;
    m_openPort = 0;
    m_received.clear();
    m_pending.clear();
}

bool SimulatedSerialPort::write(const QByteArray &data)
{
    if (!m_open || m_lineDropped) {
        m_error = QStringLiteral("the simulated line has dropped");
        return false;
    }
    m_written.append(data);
    const ControllerSimulator::Output out = m_controller.receive(data);
    for (const ControllerSimulator::Reply &reply : out.replies)
        m_pending.append({m_now + reply.delayMs, reply.bytes});
    m_lineDropped = out.disconnect;
    return true;
}

QByteArray SimulatedSerialPort::readAll()
{
    QByteArray all;
    all.swap(m_received);
    return all;
}

SerialPort::Wait SimulatedSerialPort::waitForData(QDeadlineTimer deadline, qint64)
{
    if (!m_open)
        return Wait::Failed;
    if (m_lineDropped) {
        m_error = QStringLiteral("the simulated controller dropped the line");
        close();
        return Wait::Failed;
    }
    const qint64 remaining = deadline.remainingTime();
    if (!m_pending.isEmpty() && (remaining < 0 || m_pending.first().due <= m_now + remaining)) {
        Pending &next = m_pending.first();
        m_now = std::max(m_now, next.due);
        m_received += next.bytes.left(m_chunk);
        next.bytes.remove(0, m_chunk);
        if (next.bytes.isEmpty())
            m_pending.removeFirst();
        return Wait::DataArrived;
    }
    // Nothing will arrive before the deadline: the wait lasts until it.
    m_now += std::max<qint64>(0, remaining);
    return Wait::TimedOut;
}

QString SimulatedSerialPort::deviceName(int portNumber) const
{
    return QStringLiteral("simulated controller (COM%1)").arg(portNumber);
}
