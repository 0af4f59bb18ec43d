#include "TableBlocks.h"

#include "ReportStyle.h"

#include <QFontMetricsF>
#include <QPainter>

#include <numeric>

namespace TableBlocks
{

namespace
{
using namespace ReportStyle;
using Flow::Block;

constexpr int SmallestSize = 8;
constexpr qreal TitleHeight = 22;
constexpr qreal Gap = 24; // between a name and what follows it on its row

struct Layout {
    QFont plain, bold;
    std::vector<qreal> widths; // padding included
    int wrap = -1;
    const QPaintDevice *device = nullptr;
};

std::vector<qreal> naturalWidths(const Table &table, const Layout &l)
{
    const QFontMetricsF plain(l.plain, l.device), bold(l.bold, l.device);
    std::vector<qreal> widths;
    for (const QString &header : table.headers)
        widths.push_back(bold.horizontalAdvance(header) + 2 * CellPadding + 1);
    for (const Table::Group &group : table.groups)
        for (const QStringList &row : group.rows)
            for (size_t c = 0; c < widths.size(); ++c)
                widths[c] = std::max(widths[c], plain.horizontalAdvance(row.value(qsizetype(c))) +
                                                    2 * CellPadding + 1);
    return widths;
}

// Spare room goes to the wrapping column, else to the last. A table too wide wraps its wrapping
// column or, without one, is set smaller; at the smallest size its cells give way at their ends.
Layout layoutOf(const Table &table, const QPaintDevice *device, qreal width)
{
    for (int size = BodySize;; --size) {
        Layout l{font(size), font(size, true), {}, table.wrapColumn, device};
        l.widths = naturalWidths(table, l);
        const qreal total = std::accumulate(l.widths.begin(), l.widths.end(), qreal(0));
        if (total <= width || size == SmallestSize) {
            (l.wrap >= 0 ? l.widths[size_t(l.wrap)] : l.widths.back()) +=
                std::max<qreal>(0, width - total);
            return l;
        }
        if (l.wrap >= 0) {
            qreal &wrapped = l.widths[size_t(l.wrap)];
            wrapped = std::max(width / 6, wrapped - (total - width));
            return l;
        }
    }
}

qreal rowHeight(const Layout &l, const QStringList &cells)
{
    const QFontMetricsF metrics(l.plain, l.device);
    qreal text = metrics.lineSpacing();
    if (l.wrap >= 0 && l.wrap < cells.size()) {
        const QRectF room(0, 0, l.widths[size_t(l.wrap)] - 2 * CellPadding, 1e6);
        text = std::max(text, metrics.boundingRect(room, Qt::TextWordWrap, cells[l.wrap]).height());
    }
    return text + 2 * RowPadding;
}

void paintCells(QPainter &painter, const QRectF &room, const Layout &l, const QStringList &cells)
{
    qreal x = room.left();
    for (size_t c = 0; c < l.widths.size() && c < size_t(cells.size()); ++c) {
        const QRectF cell = QRectF(x, room.top(), l.widths[c], room.height())
                                .adjusted(CellPadding, RowPadding, -CellPadding, -RowPadding);
        const QString &text = cells[qsizetype(c)];
        if (int(c) == l.wrap)
            painter.drawText(cell, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text);
        else
            painter.drawText(
                cell, Qt::AlignLeft | Qt::AlignVCenter,
                painter.fontMetrics().elidedText(text, Qt::ElideRight, int(cell.width() + 1)));
        x += l.widths[c];
    }
}

Block row(const Layout &l, const QStringList &cells)
{
    return {rowHeight(l, cells), [l, cells](QPainter &painter, const QRectF &room) {
                painter.setPen(Rule);
                painter.drawLine(room.bottomLeft(), room.bottomRight());
                painter.setPen(Qt::black);
                painter.setFont(l.plain);
                paintCells(painter, room, l, cells);
            }};
}

// A row on a shade: the header (its cells) or a group's name (one cell across the table).
Block band(const Layout &l, const QStringList &cells, const QColor &fill)
{
    Layout across = l;
    if (cells.size() == 1)
        across.widths = {std::accumulate(l.widths.begin(), l.widths.end(), qreal(0))};
    return {rowHeight(l, {}),
            [across, cells, fill](QPainter &painter, const QRectF &room) {
                painter.fillRect(room, fill);
                painter.setPen(Qt::black);
                painter.setFont(across.bold);
                paintCells(painter, room, across, cells);
            },
            true};
}

Block title(const QString &text)
{
    return {TitleHeight,
            [text](QPainter &painter, const QRectF &room) {
                painter.setPen(Qt::black);
                painter.setFont(font(TitleSize, true));
                painter.drawText(room.adjusted(0, 0, 0, -4), Qt::AlignLeft | Qt::AlignBottom, text);
            },
            true};
}

std::shared_ptr<const Block> stacked(const std::vector<Block> &blocks, qreal width)
{
    return std::make_shared<const Block>(Flow::sideBySide({blocks}, width, 0));
}

// A group without rows says so beside its name, in the first column's width or after the name.
Block emptyBand(const Layout &l, const QString &name, const QString &empty)
{
    const qreal indent =
        std::max(l.widths[0], QFontMetricsF(l.bold, l.device).horizontalAdvance(name) + Gap);
    return {rowHeight(l, {}), [l, name, empty, indent](QPainter &painter, const QRectF &room) {
                painter.fillRect(room, GroupFill);
                painter.setPen(Qt::black);
                const QRectF text = room.adjusted(CellPadding, 0, -CellPadding, 0);
                painter.setFont(l.bold);
                painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter, name);
                painter.setFont(l.plain);
                painter.drawText(text.adjusted(indent, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                                 empty);
            }};
}

// A group's name above its rows; each row resumes a page with the table's top and the name.
std::vector<Block> groupBlocks(const Layout &l, const Table::Group &group, const QString &empty,
                               const std::shared_ptr<const Block> &top, qreal width)
{
    if (group.rows.isEmpty()) {
        Block only = group.name.isEmpty()
                         ? row(Layout{l.plain, l.bold, {width}, -1, l.device}, {empty})
                         : emptyBand(l, group.name, empty);
        only.resume = top;
        return {only};
    }
    std::vector<Block> all;
    auto resume = top;
    if (!group.name.isEmpty()) {
        all.push_back(band(l, {group.name}, GroupFill));
        all.back().resume = top;
        resume = stacked({*top, band(l, {group.name + QStringLiteral(" (continued)")}, GroupFill)},
                         width);
    }
    for (const QStringList &cells : group.rows) {
        all.push_back(row(l, cells));
        all.back().resume = resume;
    }
    return all;
}
} // namespace

std::vector<Block> blocks(const Table &table, const QPaintDevice *device, qreal width)
{
    const auto across = static_cast<size_t>(std::max(1, table.abreast));
    const qreal gap = 2 * CellPadding;
    const qreal column = (width - gap * qreal(across - 1)) / qreal(across);
    const Layout l = layoutOf(table, device, column);
    Block header = Flow::sideBySide(
        std::vector(across, std::vector{band(l, table.headers, HeaderFill)}), width, gap);
    header.keepWithNext = true;
    const auto top = stacked({title(table.title + QStringLiteral(" (continued)")), header}, width);
    std::vector<Block> all{title(table.title), header};
    for (qsizetype first = 0; first < table.groups.size(); first += qsizetype(across)) {
        std::vector<std::vector<Block>> columns;
        for (const Table::Group &group : table.groups.mid(first, qsizetype(across)))
            columns.push_back(groupBlocks(l, group, table.empty, top, column));
        if (across == 1) {
            all.insert(all.end(), columns[0].begin(), columns[0].end());
            continue;
        }
        all.push_back(Flow::sideBySide(columns, width, gap));
        all.back().resume = top;
    }
    return all;
}

Block heading(const QString &text)
{
    return {HeadingHeight,
            [text](QPainter &painter, const QRectF &room) {
                const QRectF line = room.adjusted(0, 0, 0, -6);
                painter.setPen(Qt::black);
                painter.setFont(font(HeadingSize, true));
                painter.drawText(line, Qt::AlignLeft | Qt::AlignBottom, text);
                painter.setPen(QPen(Qt::black, 1.5));
                painter.drawLine(line.bottomLeft() + QPointF(0, 2),
                                 line.bottomRight() + QPointF(0, 2));
            },
            true};
}

Block paragraph(const QString &text, const QPaintDevice *device, qreal width)
{
    const QFont plain = font(BodySize);
    const QRectF room(0, 0, width, 1e6);
    const qreal height =
        QFontMetricsF(plain, device).boundingRect(room, Qt::TextWordWrap, text).height();
    return {height + 2 * RowPadding, [plain, text](QPainter &painter, const QRectF &at) {
                painter.setPen(Qt::black);
                painter.setFont(plain);
                painter.drawText(at.adjusted(0, RowPadding, 0, 0), Qt::TextWordWrap, text);
            }};
}

} // namespace TableBlocks
