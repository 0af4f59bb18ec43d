#include "modOVMXCommunications.h"

namespace
{
// The request in words, for the reason of a failure.
QString requestWords(QByteArrayView command)
{
    const QByteArrayView code = command.first(std::min<qsizetype>(2, command.size()));
    const auto block = [&] { return Frames::HexVal4(command.sliced(2)) / Frames::BlockSize + 1; };
    if (code == "01")
        return QStringLiteral("the status request");
    if (code == "02" && command.size() >= 4)
        return QStringLiteral("switching relay %1").arg(Frames::HexVal1(command.sliced(2)) + 1);
    if (code == "03" && command.size() >= 3)
        return QStringLiteral("setting dimmer %1").arg(Frames::HexVal1(command.sliced(2)) + 1);
    if (code == "04" && command.size() >= 6)
        return QStringLiteral("writing block %1 of %2").arg(block()).arg(Frames::BlockCount);
    if (code == "05" && command.size() >= 6)
        return QStringLiteral("reading block %1 of %2").arg(block()).arg(Frames::BlockCount);
    if (code == "06")
        return QStringLiteral("the memory checksum request");
    return QStringLiteral("the request %1").arg(QString::fromLatin1(command));
}

QString portFailure(const SerialPort &port)
{
    const QString error = port.errorString();
    return error.isEmpty() ? QStringLiteral("the port failed")
                           : QStringLiteral("the port failed (%1)").arg(error);
}
} // namespace

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
        return failed(command, QStringLiteral("the port is closed"));
    discardInput();
    const QByteArray frame = Frames::buildRequest(command);
    // Whatever arrived while the frame was built belongs to no request of ours either.
    discardInput();
    if (!m_port.isOpen())
        return failed(command, portFailure(m_port));
    if (!m_port.write(frame)) {
        trace(TraceKind::PortFailed, m_port.errorString().toUtf8());
        const QString why = portFailure(m_port);
        ClosePort();
        return failed(command, why);
    }
    trace(TraceKind::Sent, frame);

    const QDeadlineTimer deadline(qint64(limitSeconds) * 1000);
    while (m_port.bytesWaiting() < expectedLength) {
        switch (m_port.waitForData(deadline, expectedLength - m_port.bytesWaiting())) {
        case SerialPort::Wait::DataArrived:
            break;
        case SerialPort::Wait::TimedOut: {
            const qint64 got = m_port.bytesWaiting();
            trace(TraceKind::TimedOut,
                  QByteArray::number(got) + " of " + QByteArray::number(expectedLength) +
                      " characters after " + QByteArray::number(limitSeconds) + " s");
            return failed(command, got == 0
                                       ? QStringLiteral("no reply within %1 s").arg(limitSeconds)
                                       : QStringLiteral("%1 of %2 characters within %3 s")
                                             .arg(got)
                                             .arg(expectedLength)
                                             .arg(limitSeconds));
        }
        case SerialPort::Wait::Failed: {
            // An unplugged adapter stays "open" and fails every wait at once: close it so
            // the caller's failure path runs instead of a loop on a dead line.
            trace(TraceKind::PortFailed, m_port.errorString().toUtf8());
            const QString why = portFailure(m_port);
            ClosePort();
            return failed(command, why);
        }
        }
    }
    LastReply = m_port.readAll();
    trace(TraceKind::Received, LastReply);
    if (!Frames::replyChecksumOk(LastReply))
        return failed(command, QStringLiteral("the reply failed its checksum"));
    return true;
}

bool modOVMXCommunications::failed(QByteArrayView command, const QString &why)
{
    LastFailure = requestWords(command) + QStringLiteral(": ") + why;
    return false;
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
