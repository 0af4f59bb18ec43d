#include "modOVMXCommunications.h"

modOVMXCommunications::modOVMXCommunications(SerialPort &port) : m_port(port) { m_clock.start(); }

SerialPort::OpenResult modOVMXCommunications::OpenPort(int listPosition)
{
    if (listPosition < 0 || listPosition > 7)
        return {false, QStringLiteral("COM%1").arg(listPosition + 1),
                QStringLiteral("the tool offers COM1 to COM8 only")};
    return m_port.open(listPosition + 1);
}

void modOVMXCommunications::ClosePort()
{
    if (m_port.isOpen())
        m_port.close();
}

bool modOVMXCommunications::Transact(QByteArrayView command, int expectedLength,
                                     int32_t limitSeconds)
{
    if (!m_port.isOpen())
        return false;
    discardInput();
    const QByteArray frame = Frames::buildRequest(command);
    // Whatever arrived while the frame was built belongs to no request of ours either.
    discardInput();
    if (!m_port.isOpen())
        return false;
    if (!m_port.write(frame)) {
        trace(TraceKind::PortFailed, m_port.errorString().toUtf8());
        ClosePort();
        return false;
    }
    trace(TraceKind::Sent, frame);

    const QDeadlineTimer deadline(qint64(limitSeconds) * 1000);
    while (m_port.bytesWaiting() < expectedLength) {
        switch (m_port.waitForData(deadline, expectedLength - m_port.bytesWaiting())) {
        case SerialPort::Wait::DataArrived:
            break;
        case SerialPort::Wait::TimedOut:
            trace(TraceKind::TimedOut, QByteArray::number(m_port.bytesWaiting()) + " of " +
                                           QByteArray::number(expectedLength) +
                                           " characters after " + QByteArray::number(limitSeconds) +
                                           " s");
            return false;
        case SerialPort::Wait::Failed:
            // An unplugged adapter stays "open" and fails every wait at once: close it so
            // the caller's failure path runs instead of a loop on a dead line.
            trace(TraceKind::PortFailed, m_port.errorString().toUtf8());
            ClosePort();
            return false;
        }
    }
    LastReply = m_port.readAll();
    trace(TraceKind::Received, LastReply);
    return Frames::replyChecksumOk(LastReply);
}

QByteArrayView modOVMXCommunications::replyAt(int pos, int count) const
{
    const qsizetype from = std::max(0, pos - 1);
    if (from >= LastReply.size())
        return {};
    return QByteArrayView(LastReply).sliced(from,
                                            std::min<qsizetype>(count, LastReply.size() - from));
}

void modOVMXCommunications::discardInput()
{
    for (int i = 0; i < 4; ++i) {
        // A wait that has already expired takes in what the driver holds without blocking.
        if (m_port.waitForData(QDeadlineTimer(0)) == SerialPort::Wait::Failed) {
            trace(TraceKind::PortFailed, m_port.errorString().toUtf8());
            ClosePort();
            return;
        }
        const QByteArray stale = m_port.readAll();
        if (!stale.isEmpty())
            trace(TraceKind::Discarded, stale);
    }
}

void modOVMXCommunications::trace(TraceKind kind, const QByteArray &data) const
{
    if (m_trace)
        m_trace({m_clock.elapsed(), kind, data});
}
