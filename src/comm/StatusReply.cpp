#include "StatusReply.h"

#include "Frames.h"

namespace
{
QByteArrayView at(QByteArrayView reply, int pos, int count)
{
    const qsizetype from = pos - 1;
    if (from >= reply.size())
        return {};
    return reply.sliced(from, std::min<qsizetype>(count, reply.size() - from));
}

int byteAt(QByteArrayView reply, int pos) { return Frames::HexVal2(at(reply, pos, 2)); }

template <size_t N> void bitsInto(std::array<bool, N> &out, int value, int firstBit)
{
    for (size_t i = 0; i < N; ++i)
        out[i] = (value >> (firstBit + static_cast<int>(i))) & 1;
}

QString onOff(bool on) { return on ? QStringLiteral("On") : QStringLiteral("Off"); }

template <size_t N> QString onOffList(const std::array<bool, N> &bits)
{
    QStringList words;
    for (const bool b : bits)
        words << onOff(b);
    return words.join(QLatin1Char(' '));
}
} // namespace

ControllerStatus DecodeStatus(QByteArrayView reply)
{
    ControllerStatus s;
    const int inputs = byteAt(reply, 4);
    bitsInto(s.hardwired, inputs, 0);
    bitsInto(s.stationCommunicating, inputs, 4);
    bitsInto(s.stationSwitch[0], byteAt(reply, 6), 0);
    bitsInto(s.stationSwitch[1], byteAt(reply, 8), 0);
    bitsInto(s.relays, Frames::HexVal1(at(reply, 11, 1)), 0);
    for (int d = 0; d < 4; ++d)
        s.dimmers[static_cast<size_t>(d)] = byteAt(reply, 12 + 2 * d);
    s.photocellLevel = {byteAt(reply, 20), byteAt(reply, 22)};
    const int levels = byteAt(reply, 24);
    bitsInto(s.photocellInput[0], levels, 0);
    bitsInto(s.photocellInput[1], levels, 4);
    s.node = QString::fromLatin1(at(reply, 26, 2));
    s.firmware = QString::fromLatin1(at(reply, 28, 1));
    s.fourChannel = (byteAt(reply, 29) & 0x80) != 0;
    return s;
}

QStringList describeStatus(const ControllerStatus &s)
{
    const int outputs = s.fourChannel ? 4 : 2;
    QStringList lines;
    QStringList relays, dimmers;
    for (int i = 0; i < outputs; ++i) {
        relays << QStringLiteral("%1 %2").arg(i + 1).arg(onOff(s.relays[static_cast<size_t>(i)]));
        dimmers << QStringLiteral("%1 %2").arg(i + 1).arg(s.dimmers[static_cast<size_t>(i)]);
    }
    lines << QStringLiteral("Relays: ") + relays.join(QStringLiteral(", "));
    lines << QStringLiteral("Dimmers: ") + dimmers.join(QStringLiteral(", "));
    for (int t = 0; t < 2; ++t) {
        const auto st = static_cast<size_t>(t);
        lines << QStringLiteral("Tamberline 0%1: Com %2, In 1-6 %3")
                     .arg(t + 1)
                     .arg(s.stationCommunicating[st] ? QStringLiteral("Yes") : QStringLiteral("No"))
                     .arg(onOffList(s.stationSwitch[st]));
    }
    lines << QStringLiteral("Hardwire Inputs: Input 1-4 %1").arg(onOffList(s.hardwired));
    for (int p = 0; p < 2; ++p) {
        const auto sp = static_cast<size_t>(p);
        lines << QStringLiteral("Photocell %1: Level %2, In 1-4 %3")
                     .arg(p + 1)
                     .arg(s.photocellLevel[sp])
                     .arg(onOffList(s.photocellInput[sp]));
    }
    lines << QStringLiteral("Node: %1").arg(s.node);
    lines << QStringLiteral("Firmware: %1").arg(s.firmwareText());
    lines << QStringLiteral("Hardware: %1").arg(s.modelText());
    return lines;
}
