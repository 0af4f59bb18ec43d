#include "Frames.h"

#include <cassert>

namespace Frames
{

namespace
{
constexpr char Digits[] = "0123456789ABCDEF";

QByteArray hexDigits(uint32_t v, int count)
{
    QByteArray out(count, '0');
    for (int i = count - 1; i >= 0; --i, v >>= 4)
        out[i] = Digits[v & 0xF];
    return out;
}

int digitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

template <typename T> uint32_t checksumOf(std::span<const T> values)
{
    uint32_t reg = 0xFFFFFFFFu;
    for (const T v : values) {
        // Sign-extended: a word outside 0-255 enters the sum whole, so it cannot pass unseen.
        reg ^= static_cast<uint32_t>(static_cast<int32_t>(v));
        const bool carry = reg & 1u;
        reg >>= 1;
        if (carry)
            reg ^= 0xEFF5A001u;
    }
    return reg;
}
} // namespace

QByteArray Hex2(int v) { return hexDigits(static_cast<uint32_t>(v), 2); }

QByteArray Hex4(int32_t v) { return hexDigits(static_cast<uint32_t>(v), 4); }

int32_t HexVal(QByteArrayView s, int digits)
{
    int32_t value = 0;
    for (qsizetype i = 0; i < digits && i < s.size(); ++i) {
        const int d = digitValue(s[i]);
        if (d < 0)
            break;
        value = value * 16 + d;
    }
    return value;
}

uint8_t frameChecksum(QByteArrayView text)
{
    uint8_t sum = 0xA5;
    for (const char c : text) {
        sum = static_cast<uint8_t>((sum >> 1) | (sum << 7));
        sum = static_cast<uint8_t>(sum + static_cast<uint8_t>(c));
    }
    return sum;
}

QByteArray buildRequest(QByteArrayView command)
{
    QByteArray body;
    body.reserve(command.size() + 3);
    body.append("00").append(command).append(']');
    return '[' + Hex2(frameChecksum(body)) + body;
}

QByteArray buildReply(QByteArrayView payload)
{
    QByteArray body = payload.toByteArray() + ']';
    return '[' + Hex2(frameChecksum(body)) + body;
}

bool replyChecksumOk(QByteArrayView reply)
{
    const QByteArrayView digits = reply.size() > 1 ? reply.sliced(1) : QByteArrayView();
    const QByteArrayView covered = reply.size() > 3 ? reply.sliced(3) : QByteArrayView();
    return HexVal2(digits) == frameChecksum(covered);
}

uint32_t blockChecksum(std::span<const int16_t> values) { return checksumOf(values); }

uint32_t blockChecksum(std::span<const uint8_t> values) { return checksumOf(values); }

QByteArray statusCommand() { return QByteArrayLiteral("01"); }

QByteArray relayCommand(int relay, bool on)
{
    return "02" + QByteArray::number(relay & 3) + (on ? "1" : "0");
}

QByteArray dimmerCommand(int dimmer, int level)
{
    return "03" + QByteArray::number(dimmer & 3) + Hex2(level);
}

QByteArray blockWriteCommand(int block, std::span<const int16_t> values)
{
    assert(values.size() == BlockSize);
    QByteArray command = "04" + Hex4(block * BlockSize) + "3F";
    command.reserve(BlockWriteCommandLength);
    for (const int16_t v : values)
        command += Hex2(v);
    return command;
}

QByteArray blockReadCommand(int block) { return "05" + Hex4(block * BlockSize) + "3F"; }

QByteArray checksumCommand() { return QByteArrayLiteral("06000003FF"); }

} // namespace Frames
