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

// "In 1 Off  In 2 On ...": each input named, as the window's captions name them.
template <size_t N> QString namedOnOff(const char *name, const std::array<bool, N> &bits)
{
    QStringList words;
    for (size_t i = 0; i < N; ++i)
        words << QStringLiteral("%1 %2 %3").arg(QLatin1String(name)).arg(i + 1).arg(onOff(bits[i]));
    return words.join(QStringLiteral("  "));
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

QString levelWithPercent(int level)
{
    return QStringLiteral("%1/255  %2 %").arg(level).arg(qRound(level * 100.0 / 255));
}

QStringList describeStatus(const ControllerStatus &s)
{
    const size_t outputs = s.fourChannel ? 4 : 2;
    QStringList lines;
    for (size_t i = 0; i < outputs; ++i)
        lines << QStringLiteral("Relay %1  %2").arg(i + 1).arg(onOff(s.relays[i]));
    for (size_t i = 0; i < outputs; ++i)
        lines << QStringLiteral("Dimmer %1  %2").arg(i + 1).arg(levelWithPercent(s.dimmers[i]));
    for (size_t t = 0; t < 2; ++t)
        lines << QStringLiteral("Tamberline 0%1  Com %2  %3")
                     .arg(t + 1)
                     .arg(s.stationCommunicating[t] ? QStringLiteral("Yes") : QStringLiteral("No"))
                     .arg(namedOnOff("In", s.stationSwitch[t]));
    lines << QStringLiteral("Hardwire Inputs  %1").arg(namedOnOff("Input", s.hardwired));
    for (size_t p = 0; p < 2; ++p)
        lines << QStringLiteral("Photocell %1  Level %2/255  %3")
                     .arg(p + 1)
                     .arg(s.photocellLevel[p])
                     .arg(namedOnOff("In", s.photocellInput[p]));
    lines << QStringLiteral("Node  %1").arg(s.node);
    lines << QStringLiteral("Firmware  %1").arg(s.firmwareText());
    lines << QStringLiteral("Hardware  %1").arg(s.modelText());
    return lines;
}
