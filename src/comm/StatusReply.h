#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <array>

// The controller's live status, decoded from the 31-character reply to the status command.
struct ControllerStatus {
    std::array<bool, 4> hardwired{};                     // hardwired inputs 1-4 closed
    std::array<bool, 2> stationCommunicating{};          // Tamberline 01, 02 answering
    std::array<std::array<bool, 6>, 2> stationSwitch{};  // [station][switch]
    std::array<bool, 4> relays{};                        // relays 1-4 on
    std::array<int, 4> dimmers{};                        // output levels 0-255
    std::array<int, 2> photocellLevel{};                 // light levels 0-255
    std::array<std::array<bool, 4>, 2> photocellInput{}; // [photocell][level 1-4] active
    QString node;                                        // two characters as received
    QString firmware;                                    // one character as received
    bool fourChannel = false;                            // MX-4 rather than MX-2

    QString firmwareText() const { return QStringLiteral("Rev ") + firmware; }
    QString modelText() const
    {
        return fourChannel ? QStringLiteral("MX-4") : QStringLiteral("MX-2");
    }
};

// Fields by character position, 1 at the "["; characters missing from a short reply read as
// no digits, so a short or garbled reply decodes without touching memory outside it.
ControllerStatus DecodeStatus(QByteArrayView reply);

// The status in words, one labelled line per output and per input group, for the command
// line: "Dimmer 1  128/255  50 %". Outputs a two-channel model lacks are left out.
QStringList describeStatus(const ControllerStatus &status);
// "128/255  50 %": an output level and the percent of full output it gives.
QString levelWithPercent(int level);
