#pragma once

#include "StatusEvents.h"

#include <array>
#include <optional>

// Fed reply after reply, gives the events between them, with the steps of a dimmer or light
// level that keeps moving one way joined into one move: "Dimmer 1 0 → 128 in 1.4 s". A move is
// given once its level has held for HoldMs, or when it turns back; every other event at once.
// A move carries the time it was first seen, so it may come after later events: callers that
// need order sort by time.
class EventCoalescer
{
public:
    static constexpr qint64 HoldMs = 500;

    // The first reply only sets where the levels start.
    QList<StatusEvent> feed(QByteArrayView reply, qint64 timeMs);
    QList<StatusEvent> feed(const ControllerStatus &status, qint64 timeMs);
    // The moves still under way, as far as they got: when the poll stops.
    QList<StatusEvent> flush();
    // When the earliest move still under way was first seen: a caller that prints in order
    // holds back events from then on, since that move will be given before them.
    std::optional<qint64> movingSinceMs() const;

private:
    struct Move {
        std::optional<StatusEvent> event; // the joined steps so far
        qint64 startMs = 0;               // the last reply that showed the old level
        qint64 lastChangeMs = 0;
    };
    static StatusEvent finished(const StatusEvent &e);

    std::optional<ControllerStatus> m_last;
    qint64 m_lastMs = 0;
    std::array<Move, 6> m_moves; // dimmers 1-4, photocells 1-2
};
