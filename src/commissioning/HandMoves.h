#pragma once

#include "StatusEvents.h"

#include <array>
#include <optional>

// Outputs the installer drove from the tool (the connection window's buttons, Identify): the
// change the next status replies show is the hand's, not an input's, and is marked so.
class HandMoves
{
public:
    // How long after the command a change of that output is taken for its effect.
    static constexpr qint64 WindowMs = 2000;

    // A command to an output, by its subject: 24 + relay, 28 + dimmer.
    void driven(int subject, qint64 commandMs);
    // Marks an output event that falls within the window of a command to its output.
    void mark(StatusEvent &event) const;

private:
    std::array<std::optional<qint64>, 8> m_commandMs; // relays 1-4, dimmers 1-4
};
