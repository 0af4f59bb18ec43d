#include "WalkTestModel.h"

#include "ExpectedResponse.h"

#include <QColor>

#include <algorithm>

namespace
{
// Every attempt, one line each, the last counting: "09:12  Fail  relay 2 stayed off".
QString history(const WalkTest::Input &in)
{
    QStringList lines;
    for (const WalkTest::Attempt &a : in.attempts)
        lines << QDateTime::fromMSecsSinceEpoch(a.timeMs).toString(QStringLiteral("HH:mm:ss  ")) +
                     verdictText(a.verdict) +
                     (a.comment.isEmpty() ? QString() : QStringLiteral("  ") + a.comment);
    return lines.join(QLatin1Char('\n'));
}
} // namespace

WalkTestModel::WalkTestModel(const modOVMXConfig &doc, QObject *parent)
    : QAbstractTableModel(parent), m_test(doc)
{
    ConfigTexts::ScreenTexts texts;
    ConfigTexts::deriveScreenTexts(doc, texts);
    // In words, with the timed minutes, as the handover document has them; a value no editor
    // offers is shown as the grid shows it.
    for (int i = 0; i < WalkTest::InputCount; ++i) {
        const QStringList words = ExpectedResponse::of(doc, i).words;
        m_programming[static_cast<size_t>(i)] =
            words.isEmpty() ? inputProgramming(texts, i).join(QStringLiteral(", "))
                            : words.join(QStringLiteral("; "));
        m_order[static_cast<size_t>(i)] = i;
    }
    std::stable_partition(m_order.begin(), m_order.end(),
                          [this](int i) { return m_test.input(i).programmed; });
}

void WalkTestModel::add(const StatusEvent &event)
{
    const bool input = event.kind == EventKind::InputClosed || event.kind == EventKind::InputOpened;
    if (!input && !event.isOutput())
        return;
    const QList<int> inputs = m_test.add(event);
    if (!m_test.header.started.isValid())
        m_test.header.started = QDateTime::fromMSecsSinceEpoch(event.timeMs);
    m_test.header.ended = QDateTime::fromMSecsSinceEpoch(
        std::max(event.timeMs, m_test.header.ended.toMSecsSinceEpoch()));
    m_changed = true;
    // Only what the event changed: an editor open on another cell keeps what is being typed.
    for (const int i : inputs) {
        changed(rowOf(i), InputColumn, InputColumn);
        changed(rowOf(i), SeenColumn, FollowedColumn);
    }
    Q_EMIT progressChanged();
}

void WalkTestModel::setControllerImage(const std::optional<modOVMXConfig::Image> &image)
{
    const bool was = m_test.confirmed();
    const std::optional<WalkTest::Controller> before = m_test.controller();
    m_test.setControllerImage(image);
    if (m_test.controller() == before)
        return;
    if (m_test.confirmed() != was)
        Q_EMIT dataChanged(index(0, PassColumn), index(WalkTest::InputCount - 1, PassColumn));
    Q_EMIT controllerChanged();
}

modOVMXConfig::FileResult WalkTestModel::load(const QString &path)
{
    const std::optional<WalkTest::Controller> controller = m_test.controller();
    beginResetModel();
    const modOVMXConfig::FileResult result = m_test.load(path);
    endResetModel();
    if (result.ok)
        m_changed = false;
    Q_EMIT progressChanged();
    if (m_test.controller() != controller)
        Q_EMIT controllerChanged();
    return result;
}

int WalkTestModel::rowOf(int input) const
{
    return static_cast<int>(std::find(m_order.begin(), m_order.end(), input) - m_order.begin());
}

void WalkTestModel::changed(int row, int firstColumn, int lastColumn)
{
    Q_EMIT dataChanged(index(row, firstColumn), index(row, lastColumn));
}

int WalkTestModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : WalkTest::InputCount;
}

int WalkTestModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant WalkTestModel::text(const WalkTest::Input &in, int input, int column) const
{
    switch (column) {
    case InputColumn:
        return ConfigTexts::inputShortName(input);
    case ProgrammedColumn:
        return in.programmed ? m_programming[static_cast<size_t>(input)]
                             : QStringLiteral("not programmed");
    case SeenColumn: {
        QStringList seen;
        if (in.seenClosed)
            seen << QStringLiteral("closed");
        if (in.seenOpened)
            seen << QStringLiteral("opened");
        // Presses under other settings are shown, and said not to count.
        const bool uncounted = std::any_of(in.events.begin(), in.events.end(),
                                           [](const WalkTest::Seen &e) { return !e.confirmed; });
        if (seen.isEmpty() && uncounted)
            return QStringLiteral("pressed, not counted");
        return seen.join(QStringLiteral(", "));
    }
    case FollowedColumn: {
        QStringList words;
        for (const WalkTest::Seen &seen : in.followed)
            if (!words.contains(seen.words))
                words << seen.words;
        return words.join(QStringLiteral(", "));
    }
    case CommentColumn:
        return in.comment();
    }
    return {};
}

QVariant WalkTestModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const int input = inputAt(index.row());
    const WalkTest::Input &in = m_test.input(input);
    const int column = index.column();
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return text(in, input, column);
    if (role == Qt::CheckStateRole && column == InputColumn)
        return in.ticked() ? Qt::Checked : Qt::Unchecked;
    if (role == Qt::CheckStateRole && (column == PassColumn || column == FailColumn)) {
        const auto mine = column == PassColumn ? Verdict::Pass : Verdict::Fail;
        return in.verdict() == mine ? Qt::Checked : Qt::Unchecked;
    }
    if (role == Qt::ForegroundRole && !in.programmed)
        return QColor(Qt::gray);
    if (role == Qt::ToolTipRole && column == InputColumn && !in.events.isEmpty()) {
        QStringList lines;
        for (const WalkTest::Seen &seen : in.events)
            lines << QDateTime::fromMSecsSinceEpoch(seen.timeMs)
                             .toString(QStringLiteral("HH:mm:ss.zzz  ")) +
                         seen.words;
        return lines.join(QLatin1Char('\n'));
    }
    if (role == Qt::ToolTipRole && column >= PassColumn && in.attempts.size() > 1)
        return history(in);
    // A cell cut short says all of itself: each output on a line of its own.
    if (role == Qt::ToolTipRole && column != InputColumn)
        return text(in, input, column).toString().replace(QStringLiteral("; "), QStringLiteral("\n"));
    return {};
}

bool WalkTestModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid())
        return false;
    const int input = inputAt(index.row());
    const int column = index.column();
    if (role == Qt::EditRole && column == CommentColumn) {
        if (value.toString() == m_test.input(input).comment())
            return false;
        m_test.setComment(input, value.toString(), m_clock());
    } else if (role == Qt::CheckStateRole && (column == PassColumn || column == FailColumn)) {
        const bool on = value.toInt() == Qt::Checked;
        // Pass and Fail exclude each other; unticking the one set leaves no verdict.
        if (!m_test.setVerdict(input,
                               !on                    ? Verdict::None
                               : column == PassColumn ? Verdict::Pass
                                                      : Verdict::Fail,
                               m_clock()))
            return false;
    } else {
        return false;
    }
    m_changed = true;
    changed(index.row(), PassColumn, CommentColumn);
    Q_EMIT progressChanged();
    return true;
}

Qt::ItemFlags WalkTestModel::flags(const QModelIndex &index) const
{
    const Qt::ItemFlags base = QAbstractTableModel::flags(index);
    if (index.column() == PassColumn && !m_test.confirmed())
        return base & ~Qt::ItemIsEnabled;
    if (index.column() == PassColumn || index.column() == FailColumn)
        return base | Qt::ItemIsUserCheckable;
    return index.column() == CommentColumn ? base | Qt::ItemIsEditable : base;
}

QVariant WalkTestModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static const QStringList titles{QStringLiteral("Input"),  QStringLiteral("Programmed to"),
                                    QStringLiteral("Seen"),   QStringLiteral("Followed by"),
                                    QStringLiteral("Pass"),   QStringLiteral("Fail"),
                                    QStringLiteral("Comment")};
    return titles.value(section);
}
