#pragma once

#include "ControllerSimulator.h"
#include "SerialPort.h"

#include <QList>
#include <QSet>

// A serial port wired straight to a simulated controller, for the tests and the desktop
// tool's demonstration mode. Time is simulated: a wait never sleeps; it moves the port's
// clock to the moment the next reply is due, or to the deadline when none is due by then.
class SimulatedSerialPort : public SerialPort
{
public:
    explicit SimulatedSerialPort(ControllerSimulator &controller);

    // Which port numbers have the controller behind them; all of 1-8 unless narrowed.
    void setPorts(const QSet<int> &portNumbers) { m_ports = portNumbers; }

    OpenResult open(int portNumber) override;
    bool isOpen() const override { return m_open; }
    void close() override;
    bool write(const QByteArray &data) override;
    qint64 bytesWaiting() const override { return m_received.size(); }
    QByteArray readAll() override;
    Wait waitForData(QDeadlineTimer deadline, qint64 awaited = 1) override;
    QString deviceName(int portNumber) const override;
    QString errorString() const override { return m_error; }

    // Characters that reach the receive buffer as if sent by the line: noise, stale replies.
    void injectReceived(const QByteArray &bytes) { m_received += bytes; }
    // Each reply arrives in pieces of this many characters, one piece per wait.
    void setChunkSize(int characters) { m_chunk = std::max(1, characters); }
    qint64 simulatedMs() const { return m_now; }
    const QList<QByteArray> &written() const { return m_written; }
    int openedPort() const { return m_openPort; }

private:
    struct Pending {
        qint64 due;
        QByteArray bytes;
    };

    ControllerSimulator &m_controller;
    QSet<int> m_ports{1, 2, 3, 4, 5, 6, 7, 8};
    QList<Pending> m_pending;
    QList<QByteArray> m_written;
    QByteArray m_received;
    QString m_error;
    qint64 m_now = 0;
    int m_chunk = 1 << 20;
    int m_openPort = 0;
    bool m_open = false;
    bool m_lineDropped = false;
};
