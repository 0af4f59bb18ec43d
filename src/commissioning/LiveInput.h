#pragma once

#include "StatusEvents.h"
#include "modOVMXConfig.h"

#include <QList>

// The input last worked on site and what followed it, as the grid lights it while connected:
// the outputs seen to follow it (credited as Follows says), and those its programming moves
// that stayed silent. Rows as the grid numbers them: relay r is row r, dimmer d row 28 + d.
class LiveInput
{
public:
    // Whether what is shown changed. `doc` gives what the input is programmed to move.
    bool add(const StatusEvent &event, const modOVMXConfig &doc);

    int input() const { return m_input; } // -1 before anything was worked
    bool closed() const { return m_closed; }
    QString words() const { return m_words; } // "TB01 In 3 closed"
    const QList<int> &followedRows() const { return m_followed; }
    QList<int> silentRows() const;

    static int rowOf(int subject) { return subject < 28 ? subject - 24 : subject; }

private:
    int m_input = -1;
    bool m_closed = false;
    qint64 m_pressMs = 0;
    QString m_words;
    QList<int> m_followed;
    QList<int> m_expected;
};
