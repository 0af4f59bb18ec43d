#pragma once

#include "StatusEvents.h"

#include <QAbstractTableModel>

#include <deque>

// The activity list: the newest events in the order they happened, each input event with what
// the document programs it to do and the outputs that changed soon after it. A plain deque
// behind a table model, so the oldest row leaves and a new one arrives in constant time and a
// view of ten thousand rows keeps up with the poll.
class ActivityModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { TimeColumn, EventColumn, FollowedColumn, ColumnCount };
    enum Role {
        SubjectRole = Qt::UserRole, // what a filter matches: eventSubject()
        ExportRole, // the text a saved file holds: the time as an ISO date with its offset
    };
    static constexpr int Cap = 10000;

    explicit ActivityModel(QObject *parent = nullptr);

    // `programming` is said after an input event's words: "Relay 2: OnOff, Dimmer 1: +10%".
    void append(const StatusEvent &event, const QString &programming = {});
    // While paused the list stands still; what happens meanwhile is held and shown on resuming.
    void setPaused(bool paused);
    bool isPaused() const { return m_paused; }
    int heldCount() const { return static_cast<int>(m_held.size()); }
    void clear();
    const StatusEvent &event(int row) const { return m_rows[static_cast<size_t>(row)].event; }

    // The rows of `shown` (this model or a filter over it) as comma-separated text.
    static QByteArray csv(const QAbstractItemModel &shown);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    struct Row {
        StatusEvent event;
        QString programming;
        QStringList followed;
    };
    struct Held {
        StatusEvent event;
        QString programming;
    };
    void insert(const StatusEvent &event, const QString &programming);
    void follow(size_t position);
    QString eventText(const Row &row) const;

    std::deque<Row> m_rows; // by time; a move joined late goes back to where it began
    std::deque<Held> m_held;
    bool m_paused = false;
};
