#include "LiveInput.h"

#include "ExpectedResponse.h"
#include "Follows.h"

bool LiveInput::add(const StatusEvent &event, const modOVMXConfig &doc)
{
    if (event.kind == EventKind::InputClosed || event.kind == EventKind::InputOpened) {
        m_input = event.input;
        m_closed = event.kind == EventKind::InputClosed;
        m_pressMs = event.timeMs;
        m_words = event.words;
        m_followed.clear();
        m_expected.clear();
        for (const int subject : ExpectedResponse::of(doc, event.input).outputs)
            m_expected << rowOf(subject);
        return true;
    }
    if (m_input < 0 || !event.isOutput() || event.byHand)
        return false;
    Follows follows(event.timeMs);
    follows.consider(m_pressMs);
    const int row = rowOf(eventSubject(event));
    if (!follows.credits(m_pressMs) || m_followed.contains(row))
        return false;
    m_followed << row;
    return true;
}

QList<int> LiveInput::silentRows() const
{
    QList<int> silent;
    for (const int row : m_expected)
        if (!m_followed.contains(row))
            silent << row;
    return silent;
}
