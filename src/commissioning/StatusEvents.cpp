#include "StatusEvents.h"

namespace
{
struct Builder {
    qint64 beforeMs;
    qint64 afterMs;
    QList<StatusEvent> events;

    StatusEvent &add(EventKind kind, QString words)
    {
        StatusEvent e;
        e.timeMs = afterMs;
        e.kind = kind;
        e.words = std::move(words);
        events.append(e);
        return events.last();
    }

    void input(int i, bool was, bool is)
    {
        if (was == is)
            return;
        const QString state = is ? QStringLiteral(" closed") : QStringLiteral(" opened");
        add(is ? EventKind::InputClosed : EventKind::InputOpened,
            ConfigTexts::inputShortName(i) + state)
            .input = i;
    }

    void move(EventKind kind, int index, int was, int is)
    {
        if (was == is)
            return;
        StatusEvent &e = add(kind, moveWords(kind, index, was, is, afterMs - beforeMs));
        (kind == EventKind::DimmerMoved ? e.output : e.device) = index;
        e.from = was;
        e.to = is;
        e.durationMs = afterMs - beforeMs;
    }
};
} // namespace

QString moveWords(EventKind kind, int index, int from, int to, qint64 durationMs)
{
    const QString what = kind == EventKind::DimmerMoved
                             ? QStringLiteral("Dimmer %1").arg(index + 1)
                             : QStringLiteral("Photocell %1 light").arg(index + 1);
    const qint64 tenths = (durationMs + 50) / 100;
    return QStringLiteral("%1 %2 → %3 in %4.%5 s")
        .arg(what)
        .arg(from)
        .arg(to)
        .arg(tenths / 10)
        .arg(tenths % 10);
}

QList<StatusEvent> statusEvents(const ControllerStatus &before, qint64 beforeMs,
                                const ControllerStatus &after, qint64 afterMs)
{
    Builder b{beforeMs, afterMs, {}};
    if (before.fourChannel != after.fourChannel)
        b.add(EventKind::ModelChanged,
              QStringLiteral("Model %1 → %2").arg(before.modelText(), after.modelText()));
    if (before.node != after.node)
        b.add(EventKind::NodeChanged, QStringLiteral("Node %1 → %2").arg(before.node, after.node));
    for (int s = 0; s < 2; ++s) {
        const bool was = before.stationCommunicating[s], is = after.stationCommunicating[s];
        if (was != is)
            b.add(is ? EventKind::StationBack : EventKind::StationLost,
                  QStringLiteral("Station %1 communication %2")
                      .arg(s + 1)
                      .arg(is ? QStringLiteral("back") : QStringLiteral("lost")))
                .device = s;
    }
    for (int s = 0; s < 2; ++s) {
        if (!before.stationCommunicating[s] || !after.stationCommunicating[s])
            continue;
        for (int k = 0; k < 6; ++k)
            b.input(6 * s + k, before.stationSwitch[s][k], after.stationSwitch[s][k]);
    }
    for (int h = 0; h < 4; ++h)
        b.input(12 + h, before.hardwired[h], after.hardwired[h]);
    for (int p = 0; p < 2; ++p)
        for (int l = 0; l < 4; ++l)
            b.input(16 + 4 * p + l, before.photocellInput[p][l], after.photocellInput[p][l]);
    const int outputs = after.fourChannel ? 4 : 2;
    for (int r = 0; r < outputs; ++r) {
        if (before.relays[r] != after.relays[r])
            b.add(after.relays[r] ? EventKind::RelayOn : EventKind::RelayOff,
                  QStringLiteral("Relay %1 %2")
                      .arg(r + 1)
                      .arg(after.relays[r] ? QStringLiteral("on") : QStringLiteral("off")))
                .output = r;
    }
    for (int d = 0; d < outputs; ++d)
        b.move(EventKind::DimmerMoved, d, before.dimmers[d], after.dimmers[d]);
    for (int p = 0; p < 2; ++p)
        b.move(EventKind::LightMoved, p, before.photocellLevel[p], after.photocellLevel[p]);
    return b.events;
}

QList<StatusEvent> statusEvents(QByteArrayView before, qint64 beforeMs, QByteArrayView after,
                                qint64 afterMs)
{
    return statusEvents(DecodeStatus(before), beforeMs, DecodeStatus(after), afterMs);
}

QStringList inputProgramming(const ConfigTexts::ScreenTexts &texts, int input)
{
    QStringList programmed;
    for (int q = 0; q < 32; ++q) {
        const int k = 24 * q + input;
        const QString &text = texts.cells[static_cast<size_t>(k)];
        if (ConfigTexts::isTrackingCell(k) || text.isEmpty() || text == QLatin1String("-"))
            continue;
        programmed << ConfigTexts::rowHeading(q) + QStringLiteral(": ") + text;
    }
    return programmed;
}

int eventSubject(const StatusEvent &event)
{
    if (event.kind == EventKind::InputClosed || event.kind == EventKind::InputOpened)
        return event.input;
    if (event.kind == EventKind::RelayOn || event.kind == EventKind::RelayOff)
        return 24 + event.output;
    return event.kind == EventKind::DimmerMoved ? 28 + event.output : -1;
}

QString subjectName(int subject)
{
    if (subject < 24)
        return ConfigTexts::inputShortName(subject);
    return subject < 28 ? QStringLiteral("Relay %1").arg(subject - 23)
                        : QStringLiteral("Dimmer %1").arg(subject - 27);
}

int outputSubject(const QString &words)
{
    for (int subject = 24; subject < 32; ++subject)
        if (words.startsWith(subjectName(subject) + QLatin1Char(' ')))
            return subject;
    return -1;
}
