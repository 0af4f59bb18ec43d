#pragma once

#include "Faults.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

#include <array>
#include <cstdint>
#include <optional>

// The controller's side of the link: it reads request frames from the characters it is
// given, checks each one's checksum (a bad frame is ignored, as the controller does), and
// answers every command from its 1024 bytes of memory and its live state.
class ControllerSimulator
{
public:
    struct Reply {
        QByteArray bytes;
        int delayMs = 0; // after the request
    };
    struct Output {
        QList<Reply> replies;
        bool disconnect = false; // the line drops after these replies
    };

    // Takes characters as they arrive on the line; a frame may span calls.
    Output receive(QByteArrayView bytes);

    QByteArray statusPayload() const;
    // An input closing or opening (0-23, the grid's order). With followInputs the relays then
    // take the close or open actions of the memory's programming whose words say plainly what
    // to do: a demonstration of relays following switches, not the controller's own logic.
    void setInput(int input, bool closed);
    bool isDisconnected() const { return m_disconnected; }
    int framesIgnored() const { return m_ignored; }

    std::array<uint8_t, 1024> memory{};
    Faults faults;
    bool fourChannel = true;
    QByteArray node = QByteArrayLiteral("FF");
    char firmware = '3';
    // Live inputs: bits 0-3 hardwired inputs, 4-5 the two stations answering.
    uint8_t inputs = 0x30;
    std::array<uint8_t, 2> stationSwitches{};
    std::array<uint8_t, 2> photocellLevels{96, 160};
    uint8_t photocellInputs = 0; // bits 0-3 photocell 1, 4-7 photocell 2
    uint8_t relays = 0;          // bits 0-3
    std::array<uint8_t, 4> dimmers{};
    bool followInputs = false;

private:
    std::optional<QByteArray> answer(QByteArrayView command);
    std::optional<QByteArray> blockWrite(QByteArrayView command);
    std::optional<QByteArray> blockRead(QByteArrayView command);
    std::optional<QByteArray> memoryChecksum(QByteArrayView command);
    bool blockFault(int address, Output &out);
    QByteArray frame(QByteArrayView payload) const;
    void handleFrame(QByteArrayView frame, Output &out);
    void follow(int input, bool closed);

    QByteArray m_pending; // characters of the frame being received
    bool m_inFrame = false;
    bool m_silenced = false;
    bool m_disconnected = false;
    int m_ignored = 0;
};
