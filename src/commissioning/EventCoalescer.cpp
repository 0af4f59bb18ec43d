#include "EventCoalescer.h"

#include <algorithm>

namespace
{
size_t slot(const StatusEvent &e)
{
    return static_cast<size_t>(e.kind == EventKind::DimmerMoved ? e.output : 4 + e.device);
}

int direction(const StatusEvent &e) { return e.to > e.from ? 1 : -1; }

QList<StatusEvent> byTime(QList<StatusEvent> events)
{
    std::stable_sort(events.begin(), events.end(), [](const StatusEvent &a, const StatusEvent &b) {
        return a.timeMs < b.timeMs;
    });
    return events;
}
} // namespace

StatusEvent EventCoalescer::finished(const StatusEvent &e)
{
    StatusEvent done = e;
    done.words = moveWords(e.kind, e.kind == EventKind::DimmerMoved ? e.output : e.device, e.from,
                           e.to, e.durationMs);
    return done;
}

QList<StatusEvent> EventCoalescer::feed(QByteArrayView reply, qint64 timeMs)
{
    return feed(DecodeStatus(reply), timeMs);
}

QList<StatusEvent> EventCoalescer::feed(const ControllerStatus &status, qint64 timeMs)
{
    QList<StatusEvent> out;
    if (m_last) {
        std::array<bool, 6> stepped{};
        for (const StatusEvent &e : statusEvents(*m_last, m_lastMs, status, timeMs)) {
            if (!e.isMove()) {
                out.append(e);
                continue;
            }
            Move &m = m_moves[slot(e)];
            stepped[slot(e)] = true;
            if (m.event && direction(*m.event) == direction(e)) {
                m.event->to = e.to;
                m.event->durationMs = timeMs - m.startMs;
            } else {
                if (m.event)
                    out.append(finished(*m.event));
                m.event = e;
                m.startMs = m_lastMs;
            }
            m.lastChangeMs = timeMs;
        }
        for (size_t n = 0; n < m_moves.size(); ++n) {
            Move &m = m_moves[n];
            if (m.event && !stepped[n] && timeMs - m.lastChangeMs >= HoldMs) {
                out.append(finished(*m.event));
                m.event.reset();
            }
        }
    }
    m_last = status;
    m_lastMs = timeMs;
    return byTime(out);
}

QList<StatusEvent> EventCoalescer::flush()
{
    QList<StatusEvent> out;
    for (Move &m : m_moves) {
        if (m.event)
            out.append(finished(*m.event));
        m.event.reset();
    }
    return byTime(out);
}

std::optional<qint64> EventCoalescer::movingSinceMs() const
{
    std::optional<qint64> since;
    for (const Move &m : m_moves)
        if (m.event && (!since || m.event->timeMs < *since))
            since = m.event->timeMs;
    return since;
}
