#pragma once

#include "SimulatedSerialPort.h"

// A simulated line that loses every request for one command, leaving the others alone: the
// controller never hears it, so it never answers.
class DroppingPort : public SimulatedSerialPort
{
public:
    using SimulatedSerialPort::SimulatedSerialPort;
    QByteArray dropCommand;

    bool write(const QByteArray &data) override
    {
        if (!dropCommand.isEmpty() && data.mid(5).startsWith(dropCommand))
            return isOpen();
        return SimulatedSerialPort::write(data);
    }
};
