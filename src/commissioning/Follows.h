#pragma once

#include <QtGlobal>

#include <limits>

// Which inputs an output event is credited to, the one rule of the activity list and the walk
// test: the inputs whose event came last before the output, no more than WindowMs earlier.
// Inputs that changed in the same status reply share that time, and each of them is credited,
// since the reply cannot tell which one the controller acted on. An output moved by hand is
// credited to none. Candidates are considered first, then asked whether they are credited.
class Follows
{
public:
    static constexpr qint64 WindowMs = 2000;

    explicit Follows(qint64 outputMs) : m_outputMs(outputMs) {}

    void consider(qint64 inputMs)
    {
        if (inputMs <= m_outputMs && inputMs >= m_outputMs - WindowMs && inputMs > m_latest)
            m_latest = inputMs;
    }
    bool credits(qint64 inputMs) const { return m_latest != None && inputMs == m_latest; }
    // Earlier inputs cannot be credited: a caller walking back in time stops here.
    bool tooEarly(qint64 inputMs) const { return inputMs < m_outputMs - WindowMs; }

private:
    static constexpr qint64 None = std::numeric_limits<qint64>::min();
    qint64 m_outputMs;
    qint64 m_latest = None;
};
