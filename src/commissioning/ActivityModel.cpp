#include "ActivityModel.h"

#include "Follows.h"

#include <QDateTime>

namespace
{
bool isInput(const StatusEvent &e)
{
    return e.kind == EventKind::InputClosed || e.kind == EventKind::InputOpened;
}

QString csvField(const QString &text)
{
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) &&
        !text.contains(QLatin1Char('\n')))
        return text;
    return QLatin1Char('"') + QString(text).replace(QLatin1Char('"'), QStringLiteral("\"\"")) +
           QLatin1Char('"');
}
} // namespace

ActivityModel::ActivityModel(QObject *parent) : QAbstractTableModel(parent) {}

void ActivityModel::append(const StatusEvent &event, const QString &programming)
{
    if (!m_paused) {
        insert(event, programming);
        return;
    }
    if (m_held.size() == Cap)
        m_held.pop_front();
    m_held.push_back({event, programming});
}

void ActivityModel::setPaused(bool paused)
{
    m_paused = paused;
    while (!m_paused && !m_held.empty()) {
        insert(m_held.front().event, m_held.front().programming);
        m_held.pop_front();
    }
}

void ActivityModel::clear()
{
    beginResetModel();
    m_rows.clear();
    m_held.clear();
    endResetModel();
}

void ActivityModel::insert(const StatusEvent &event, const QString &programming)
{
    if (m_rows.size() == Cap) {
        beginRemoveRows({}, 0, 0);
        m_rows.pop_front();
        endRemoveRows();
    }
    // Events come nearly in order: the place is found from the end, after those of its time.
    size_t at = m_rows.size();
    while (at > 0 && m_rows[at - 1].event.timeMs > event.timeMs)
        --at;
    const int row = static_cast<int>(at);
    beginInsertRows({}, row, row);
    m_rows.insert(m_rows.begin() + static_cast<std::ptrdiff_t>(at), {event, programming, {}});
    endInsertRows();
    if (event.isOutput())
        follow(at);
}

// An output follows the inputs of the latest reply before it, within Follows::WindowMs, as in
// the walk test, so the list and the record agree on what followed what.
void ActivityModel::follow(size_t position)
{
    const StatusEvent &output = m_rows[position].event;
    if (output.byHand)
        return;
    Follows follows(output.timeMs);
    size_t first = position;
    for (; first > 0 && !follows.tooEarly(m_rows[first - 1].event.timeMs); --first)
        if (isInput(m_rows[first - 1].event))
            follows.consider(m_rows[first - 1].event.timeMs);
    for (size_t n = first; n < position; ++n) {
        Row &row = m_rows[n];
        if (!isInput(row.event) || !follows.credits(row.event.timeMs))
            continue;
        row.followed << output.words;
        const QModelIndex cell = index(static_cast<int>(n), FollowedColumn);
        Q_EMIT dataChanged(cell, cell, {Qt::DisplayRole});
    }
}

QString ActivityModel::eventText(const Row &row) const
{
    if (!isInput(row.event))
        return row.event.words;
    return row.event.words + QStringLiteral(" — ") +
           (row.programming.isEmpty() ? QStringLiteral("not programmed") : row.programming);
}

int ActivityModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int ActivityModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ActivityModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const Row &row = m_rows[static_cast<size_t>(index.row())];
    if (role == SubjectRole)
        return eventSubject(row.event);
    if (role != Qt::DisplayRole && role != ExportRole && role != Qt::ToolTipRole)
        return {};
    switch (index.column()) {
    case TimeColumn: {
        const QDateTime time = QDateTime::fromMSecsSinceEpoch(row.event.timeMs);
        if (role == Qt::DisplayRole)
            return time.toString(QStringLiteral("HH:mm:ss.zzz"));
        return time.toOffsetFromUtc(time.offsetFromUtc()).toString(Qt::ISODateWithMs);
    }
    case EventColumn:
        return eventText(row);
    case FollowedColumn:
        return row.followed.join(QStringLiteral(", "));
    }
    return {};
}

QVariant ActivityModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static const QStringList titles{QStringLiteral("Time"), QStringLiteral("Event"),
                                    QStringLiteral("Followed by")};
    return titles.value(section);
}

QByteArray ActivityModel::csv(const QAbstractItemModel &shown)
{
    // The byte order mark tells spreadsheet programs the text is UTF-8 ("→", "—").
    QString text = QStringLiteral("\uFEFFTime,Event,Followed by\r\n");
    for (int r = 0; r < shown.rowCount(); ++r) {
        QStringList fields;
        for (int c = 0; c < ColumnCount; ++c)
            fields << csvField(shown.index(r, c).data(ExportRole).toString());
        text += fields.join(QLatin1Char(',')) + QStringLiteral("\r\n");
    }
    return text.toUtf8();
}
