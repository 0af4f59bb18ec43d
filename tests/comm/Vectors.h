#pragma once

#include "ControllerSimulator.h"
#include "Frames.h"
#include "PortMap.h"
#include "QSerialPortLink.h"
#include "StatusReply.h"

#include <QString>

// What the link makes of one literal input: "OPERATION ARGUMENT", as the vector sheet has it.
inline QString evaluate(const QString &operation, const QByteArray &arg, const QString &byId)
{
    if (operation == QLatin1String("request"))
        return Frames::buildRequest(arg);
    if (operation == QLatin1String("reply"))
        return Frames::buildReply(arg);
    if (operation == QLatin1String("checks"))
        return Frames::replyChecksumOk(arg) ? "good" : "bad";
    if (operation == QLatin1String("hexval2"))
        return QString::number(Frames::HexVal2(arg));
    if (operation == QLatin1String("hex2"))
        return Frames::Hex2(arg.toInt(nullptr, 16));
    if (operation == QLatin1String("status"))
        return describeStatus(DecodeStatus(arg)).join('\n');
    if (operation == QLatin1String("sum")) { // "1,0" or "1024*FF", values in hexadecimal
        std::vector<int16_t> values;
        for (const QString &item : QString(arg).split(','))
            values.insert(values.end(), item.contains('*') ? item.section('*', 0, 0).toUInt() : 1,
                          int16_t(item.section('*', -1).toInt(nullptr, 16)));
        const uint32_t sum = Frames::blockChecksum(values);
        return Frames::Hex4(Frames::msw(sum)) + ' ' + Frames::Hex4(Frames::lsw(sum));
    }
    if (operation == QLatin1String("controller")) { // the simulator, then a status request
        ControllerSimulator sim;
        const auto first = sim.receive(arg).replies, then = sim.receive("[270001]").replies;
        return (first.isEmpty() ? "(no reply)" : first[0].bytes) + ", then " + then.value(0).bytes;
    }
    if (operation == QLatin1String("port")) { // "COMn [--port mapping]"
        PortMap map(byId, "/dev/ttyS");
        QString problem;
        const QString mapping = QString(arg).section(' ', 1);
        if (!mapping.isEmpty() && !map.addOverride(mapping, &problem))
            return problem;
        const QString device = map.deviceFor(PortMap::comNumber(QString(arg).section(' ', 0, 0)));
        return device + " opens " + PortMap::resolve(device);
    }
    if (operation == QLatin1String("reason")) { // which of: exists accessible busy
        const DeviceFacts facts{arg.contains("exists"), arg.contains("accessible"), "dialout",
                                arg.contains("busy")};
        return openFailureReason("/dev/ttyUSB0", facts, "Input/output error");
    }
    return "unknown operation " + operation;
}
