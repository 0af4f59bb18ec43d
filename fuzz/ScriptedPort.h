#pragma once

#include "SerialPort.h"

#include <QByteArray>

#include <algorithm>
#include <utility>

// A line whose receiving side plays back a fixed byte stream, a piece per wait, and never
// blocks: a wait with nothing left to deliver times out (or fails) at once, whatever its
// deadline, so a target runs thousands of transfers a second. Waits whose deadline has already
// passed (the discarding of stale input) get a piece only when `noiseOnExpiredWaits` is set.
class ScriptedPort : public SerialPort
{
public:
    QByteArray stream;
    int chunk = 0; // characters per wait; 0 for exactly as many as the caller awaits
    bool noiseOnExpiredWaits = false;
    bool failAtEnd = false; // an unplugged adapter rather than a silent one
    int writes = 0;

    OpenResult open(int) override
    {
        m_open = true;
        return {true, QStringLiteral("scripted line"), {}};
    }
    bool isOpen() const override { return m_open; }
    void close() override { m_open = false; }
    bool write(const QByteArray &) override
    {
        ++writes;
        return m_open;
    }
    qint64 bytesWaiting() const override { return m_received.size(); }
    QByteArray readAll() override { return std::exchange(m_received, {}); }
    Wait waitForData(QDeadlineTimer deadline, qint64 awaited) override
    {
        if (!m_open)
            return Wait::Failed;
        if (m_pos >= stream.size())
            return failAtEnd ? Wait::Failed : Wait::TimedOut;
        if (deadline.hasExpired() && !noiseOnExpiredWaits)
            return Wait::TimedOut;
        const qsizetype piece = chunk > 0 ? chunk : std::max<qint64>(awaited, 1);
        const qsizetype n = std::min<qsizetype>(piece, stream.size() - m_pos);
        m_received += stream.mid(m_pos, n);
        m_pos += n;
        return Wait::DataArrived;
    }
    QString deviceName(int portNumber) const override
    {
        return QStringLiteral("scripted line %1").arg(portNumber);
    }
    QString errorString() const override { return QStringLiteral("the script has ended"); }

private:
    QByteArray m_received;
    qsizetype m_pos = 0;
    bool m_open = false;
};
