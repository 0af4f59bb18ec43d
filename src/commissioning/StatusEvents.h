#pragma once

#include "ConfigTexts.h"
#include "StatusReply.h"

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

// What changed between two status replies, in the words the activity list and the command
// line print. Times are milliseconds since the epoch, so a record can write them as dates.
enum class EventKind {
    InputClosed, // a station switch, a hardwired input or a photocell level
    InputOpened,
    StationLost,
    StationBack,
    RelayOn,
    RelayOff,
    DimmerMoved,
    LightMoved, // a photocell's light level
    NodeChanged,
    ModelChanged,
};

struct StatusEvent {
    qint64 timeMs = 0; // the first reply that showed it
    EventKind kind = EventKind::InputClosed;
    int input = -1;  // 0-23 for the input kinds
    int output = -1; // relay r or dimmer d for the output kinds
    int device = -1; // station s for the station kinds, photocell p for its light level
    // Moves only: the level before and after, and the time between the reply that last
    // showed the old level and the one that first showed the new.
    int from = 0;
    int to = 0;
    qint64 durationMs = 0;
    QString words;       // "TB01 In 3 closed", "Relay 2 on", "Dimmer 1 0 → 128 in 1.4 s"
    bool byHand = false; // an output the installer drove from the tool: no input's doing

    bool isOutput() const
    {
        return kind == EventKind::RelayOn || kind == EventKind::RelayOff ||
               kind == EventKind::DimmerMoved;
    }
    bool isMove() const { return kind == EventKind::DimmerMoved || kind == EventKind::LightMoved; }
};

// Model, node, stations, inputs 0-23, relays, dimmers, light levels, in that order. A station
// that is silent in either reply gives no switch events, since its switches then say nothing;
// outputs a two-channel model lacks give none either.
QList<StatusEvent> statusEvents(const ControllerStatus &before, qint64 beforeMs,
                                const ControllerStatus &after, qint64 afterMs);
QList<StatusEvent> statusEvents(QByteArrayView before, qint64 beforeMs, QByteArrayView after,
                                qint64 afterMs);

// What an event is about, as the filters and the walk test name it: input i, 24 + relay r,
// 28 + dimmer d, -1 for anything else.
int eventSubject(const StatusEvent &event);
QString subjectName(int subject); // "TB01 In 3", "Relay 2", "Dimmer 1"
// The output an output event's words begin with: "Relay 2 on" gives 25; -1 for other words.
int outputSubject(const QString &words);

// The words of a move, which a coalescer rewrites when it joins several into one.
QString moveWords(EventKind kind, int index, int from, int to, qint64 durationMs);

// What the document programs input i to do, row by row in the grid's texts:
// {"Relay 2: OnOff", "TB01-4: Disable", "Dimmer 1: +10%"}; empty when it does nothing. Tracking
// cells are left out: they follow the photocell's light level, not one of its level inputs.
QStringList inputProgramming(const ConfigTexts::ScreenTexts &texts, int input);
