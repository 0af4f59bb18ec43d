#include "SiteEvents.h"

QList<StatusEvent> SiteEvents::feed(const ControllerStatus &status, qint64 timeMs,
                                    const modOVMXConfig &doc, bool *changed)
{
    return take(m_coalescer.feed(status, timeMs), doc, changed);
}

QList<StatusEvent> SiteEvents::flush(const modOVMXConfig &doc, bool *changed)
{
    return take(m_coalescer.flush(), doc, changed);
}

QList<StatusEvent> SiteEvents::take(QList<StatusEvent> events, const modOVMXConfig &doc,
                                    bool *changed)
{
    bool any = false;
    for (StatusEvent &e : events) {
        m_hand.mark(e);
        any = m_live.add(e, doc) || any;
    }
    if (changed)
        *changed = any;
    return events;
}
