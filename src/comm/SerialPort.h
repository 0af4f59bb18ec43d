#pragma once

#include <QByteArray>
#include <QDeadlineTimer>
#include <QString>

// The serial line as the protocol needs it. Ports are numbered 1-8, as the user's list reads
// "COM1" to "COM8"; what each number reaches is up to the implementation.
class SerialPort
{
public:
    enum class Wait { DataArrived, TimedOut, Failed };

    struct OpenResult {
        bool ok = false;
        QString device; // what was tried: "/dev/ttyUSB0", "COM3", "simulated controller"
        QString reason; // why it failed, in words; empty on success
    };

    virtual ~SerialPort() = default;

    virtual OpenResult open(int portNumber) = 0;
    virtual bool isOpen() const = 0;
    virtual void close() = 0;
    // Sends the whole of data; false when the port has failed.
    virtual bool write(const QByteArray &data) = 0;
    // Characters received and not yet read; moves only inside waitForData().
    virtual qint64 bytesWaiting() const = 0;
    virtual QByteArray readAll() = 0;
    // Blocks, without spinning, until more data has arrived, the deadline has passed, or the
    // line has failed. An expired deadline still takes in what has already arrived. `awaited`
    // is how many more characters the caller needs; a port may let them gather first.
    virtual Wait waitForData(QDeadlineTimer deadline, qint64 awaited = 1) = 0;
    // The device a port number reaches, for display beside the port list.
    virtual QString deviceName(int portNumber) const = 0;
    // Why the last open, write or wait failed.
    virtual QString errorString() const = 0;
};
