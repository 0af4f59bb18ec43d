#pragma once

#include "StatusEvents.h"

// An event as the poll gives it: `index` is the input of an input's event, else the output.
inline StatusEvent happened(qint64 ms, EventKind kind, int index, const QString &words)
{
    StatusEvent e{.timeMs = ms, .kind = kind, .words = words};
    (kind == EventKind::InputClosed || kind == EventKind::InputOpened ? e.input : e.output) = index;
    return e;
}
