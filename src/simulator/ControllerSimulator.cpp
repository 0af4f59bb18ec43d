#include "ControllerSimulator.h"

#include "Frames.h"
#include "OptionTexts.h"
#include "modOVMXConfig.h"

#include <optional>

namespace
{
// Longer than any request; a run of characters without "]" is noise, not a frame.
constexpr int MaxFrame = 512;

std::optional<int> hexField(QByteArrayView text, qsizetype pos, int digits)
{
    if (pos + digits > text.size())
        return std::nullopt;
    int v = 0;
    for (int i = 0; i < digits; ++i) {
        const char c = text[pos + i];
        const int d = (c >= '0' && c <= '9') ? c - '0' : (c >= 'A' && c <= 'F') ? c - 'A' + 10 : -1;
        if (d < 0)
            return std::nullopt;
        v = v * 16 + d;
    }
    return v;
}

std::optional<int> blockAddress(QByteArrayView command)
{
    const auto address = hexField(command, 2, 4);
    if (!address || command.sliced(6, 2) != "3F" || *address % Frames::BlockSize != 0 ||
        *address > Frames::MemorySize - Frames::BlockSize)
        return std::nullopt;
    return address;
}
} // namespace

ControllerSimulator::Output ControllerSimulator::receive(QByteArrayView bytes)
{
    Output out;
    for (const char c : bytes) {
        if (m_disconnected)
            break;
        if (c == '[') {
            m_pending = QByteArray(1, c);
            m_inFrame = true;
        } else if (m_inFrame) {
            m_pending += c;
            if (c == ']') {
                m_inFrame = false;
                handleFrame(m_pending, out);
            } else if (m_pending.size() > MaxFrame) {
                m_inFrame = false;
                ++m_ignored;
            }
        }
    }
    return out;
}

void ControllerSimulator::handleFrame(QByteArrayView request, Output &out)
{
    const bool wellFormed = request.size() >= Frames::RequestOverhead &&
                            request.sliced(3, 2) == "00" && Frames::replyChecksumOk(request);
    if (!wellFormed) {
        ++m_ignored;
        return;
    }
    const QByteArrayView command = request.sliced(5, request.size() - 6);
    if (command.startsWith("04") || command.startsWith("05")) {
        const auto address = command.size() >= 8 ? blockAddress(command) : std::nullopt;
        if (address && blockFault(*address, out))
            return;
    }
    if (m_silenced || faults.silent)
        return;
    const std::optional<QByteArray> payload = answer(command);
    if (!payload) {
        ++m_ignored;
        return;
    }
    out.replies.append({frame(*payload), faults.slowMs});
}

bool ControllerSimulator::blockFault(int address, Output &out)
{
    const int block = address / Frames::BlockSize + 1;
    if (faults.disconnectAtBlock > 0 && block >= faults.disconnectAtBlock) {
        m_disconnected = true;
        out.disconnect = true;
        return true;
    }
    if (faults.silentFromBlock > 0 && block >= faults.silentFromBlock)
        m_silenced = true;
    return false;
}

QByteArray ControllerSimulator::frame(QByteArrayView payload) const
{
    QByteArray reply = Frames::buildReply(payload);
    if (faults.badFrameChecksum)
        reply.replace(1, 2, Frames::Hex2(Frames::frameChecksum(reply.sliced(3)) + 1));
    if (faults.lowerCaseChecksum)
        reply.replace(1, 2, reply.mid(1, 2).toLower());
    if (faults.extraCharacter)
        reply += 'X';
    return reply;
}

std::optional<QByteArray> ControllerSimulator::answer(QByteArrayView command)
{
    if (command == "01")
        return statusPayload();
    if (command.size() == 4 && command.startsWith("02") && command[2] >= '0' && command[2] <= '3' &&
        (command[3] == '0' || command[3] == '1')) {
        const int bit = 1 << (command[2] - '0');
        relays = static_cast<uint8_t>(command[3] == '1' ? relays | bit : relays & ~bit);
        return QByteArray();
    }
    const auto level = hexField(command, 3, 2);
    if (command.size() == 5 && command.startsWith("03") && command[2] >= '0' && command[2] <= '3' &&
        level) {
        dimmers[static_cast<size_t>(command[2] - '0')] = static_cast<uint8_t>(*level);
        return QByteArray();
    }
    if (command.size() == Frames::BlockWriteCommandLength && command.startsWith("04"))
        return blockWrite(command);
    if (command.size() == 8 && command.startsWith("05"))
        return blockRead(command);
    if (command.size() == 10 && command.startsWith("06"))
        return memoryChecksum(command);
    return std::nullopt;
}

std::optional<QByteArray> ControllerSimulator::blockWrite(QByteArrayView command)
{
    const auto address = blockAddress(command);
    if (!address)
        return std::nullopt;
    std::array<uint8_t, Frames::BlockSize> values{};
    for (int j = 0; j < Frames::BlockSize; ++j) {
        const auto v = hexField(command, 8 + 2 * j, 2);
        if (!v)
            return std::nullopt;
        values[static_cast<size_t>(j)] = static_cast<uint8_t>(*v);
    }
    std::copy(values.begin(), values.end(), memory.begin() + *address);
    return QByteArrayLiteral("00");
}

std::optional<QByteArray> ControllerSimulator::blockRead(QByteArrayView command)
{
    const auto address = blockAddress(command);
    if (!address)
        return std::nullopt;
    QByteArray payload;
    payload.reserve(2 * Frames::BlockSize);
    for (int j = 0; j < Frames::BlockSize; ++j)
        payload += Frames::Hex2(memory[static_cast<size_t>(*address + j)]);
    return payload;
}

std::optional<QByteArray> ControllerSimulator::memoryChecksum(QByteArrayView command)
{
    const auto first = hexField(command, 2, 4);
    const auto last = hexField(command, 6, 4);
    if (!first || !last || *first > *last || *last >= Frames::MemorySize)
        return std::nullopt;
    const uint32_t sum =
        Frames::blockChecksum(std::span<const uint8_t>(memory).subspan(*first, *last - *first + 1));
    uint16_t high = Frames::msw(sum), low = Frames::lsw(sum);
    if (faults.wrongChecksum & 1)
        high ^= 0x0100;
    if (faults.wrongChecksum & 2)
        low ^= 0x0001;
    return Frames::Hex4(high) + Frames::Hex4(low);
}

QByteArray ControllerSimulator::statusPayload() const
{
    QByteArray p;
    p += Frames::Hex2(inputs);
    p += Frames::Hex2(stationSwitches[0]);
    p += Frames::Hex2(stationSwitches[1]);
    p += '0'; // unused
    p += Frames::Hex2(relays & 0xF).right(1);
    for (const uint8_t d : dimmers)
        p += Frames::Hex2(d);
    p += Frames::Hex2(photocellLevels[0]);
    p += Frames::Hex2(photocellLevels[1]);
    p += Frames::Hex2(photocellInputs);
    p += node.leftJustified(2, '0', true);
    p += firmware;
    p += Frames::Hex2(fourChannel ? 0x80 : 0x00);
    return p;
}

void ControllerSimulator::setInput(int input, bool closed)
{
    const auto [bits, bit] = input < 12   ? std::pair(&stationSwitches[input / 6], input % 6)
                             : input < 16 ? std::pair(&inputs, input - 12)
                                          : std::pair(&photocellInputs, input - 16);
    if (((*bits >> bit) & 1) == closed)
        return;
    *bits = static_cast<uint8_t>(*bits ^ (1 << bit));
    if (followInputs)
        follow(input, closed);
}

void ControllerSimulator::follow(int input, bool closed)
{
    // Read through the document's accessors: word indices are computed there only.
    modOVMXConfig doc;
    modOVMXConfig::Image image{};
    std::copy(memory.begin(), memory.end(), image.begin());
    doc.setImage(image);
    static const QString toggle = QStringLiteral("Toggle Relay Based On Relay ");
    for (int r = 0; r < 4; ++r) {
        const int code =
            closed ? doc.GetRelayCloseAction(input, r) : doc.GetRelayOpenAction(input, r);
        const QString words = OptionTexts::relayActionText(code).value_or(QString());
        bool on = (relays >> r) & 1;
        if (words == QLatin1String("Turn On Relay"))
            on = true;
        else if (words == QLatin1String("Turn Off Relay"))
            on = false;
        else if (words.startsWith(toggle))
            on = !((relays >> (words.mid(toggle.size(), 1).toInt() - 1)) & 1);
        relays = static_cast<uint8_t>(on ? relays | (1 << r) : relays & ~(1 << r));
    }
}
