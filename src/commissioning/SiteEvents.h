#pragma once

#include "EventCoalescer.h"
#include "HandMoves.h"
#include "LiveInput.h"

// What the status poll shows happening on site, reply after reply: the events, with the
// outputs driven from the tool marked by hand, and the input last worked with what followed
// it. The activity window and the main window's grid each keep one, fed the same replies.
class SiteEvents
{
public:
    // The events since the last reply; `changed` says whether the input last worked, or what
    // followed it, changed.
    QList<StatusEvent> feed(const ControllerStatus &status, qint64 timeMs, const modOVMXConfig &doc,
                            bool *changed = nullptr);
    // The moves still under way, as far as they got.
    QList<StatusEvent> flush(const modOVMXConfig &doc, bool *changed = nullptr);
    void handDriven(int subject, qint64 timeMs) { m_hand.driven(subject, timeMs); }
    const LiveInput &live() const { return m_live; }

private:
    QList<StatusEvent> take(QList<StatusEvent> events, const modOVMXConfig &doc, bool *changed);

    EventCoalescer m_coalescer;
    HandMoves m_hand;
    LiveInput m_live;
};
