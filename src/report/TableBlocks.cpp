#include "TableBlocks.h"

#include "ReportStyle.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTextLayout>

#include <memory>
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

// The width of the widest line; a line longer than any page is measured only as far as that
// shows, since it wraps whatever its length.
qreal advance(const QFont &font, const QPaintDevice *device, const QString &text)
{
    constexpr qsizetype Longest = 400;
    const QFontMetricsF metrics(font, device);
    qreal widest = 0;
    for (const QStringView line : QStringView(text).split(QLatin1Char('\n')))
        widest = std::max(widest, metrics.horizontalAdvance(line.left(Longest).toString()));
    return widest;
}

std::vector<qreal> naturalWidths(const Table &table, const Layout &l)
{
    std::vector<qreal> widths;
    for (const QString &header : table.headers)
        widths.push_back(advance(l.bold, l.device, header) + 2 * CellPadding + 1);
    for (const Table::Group &group : table.groups)
        for (const QStringList &row : group.rows)
            for (size_t c = 0; c < widths.size(); ++c)
                widths[c] =
                    std::max(widths[c], advance(l.plain, l.device, row.value(qsizetype(c))) +
                                            2 * CellPadding + 1);
    return widths;
}

// Narrows the widest columns until the table fits: a column narrower than its fair share keeps
// its width, the others share what is left. Their words wrap, and a word wider than its column
// breaks, so nothing runs off the page.
void narrow(std::vector<qreal> &widths, qreal width)
{
    std::vector<bool> fixed(widths.size(), false);
    for (bool again = true; again;) {
        again = false;
        qreal left = width;
        int open = 0;
        for (size_t c = 0; c < widths.size(); ++c)
            fixed[c] ? left -= widths[c] : ++open;
        if (open == 0)
            return;
        const qreal share = left / open;
        for (size_t c = 0; c < widths.size(); ++c)
            if (!fixed[c] && widths[c] <= share) {
                fixed[c] = true;
                again = true;
            }
        if (!again)
            for (size_t c = 0; c < widths.size(); ++c)
                if (!fixed[c])
                    widths[c] = share;
    }
}

// Spare room goes to the wrapping column, else to the last. A table too wide wraps its wrapping
// column or, without one, is set smaller; at the smallest size its widest columns wrap.
Layout layoutOf(const Table &table, const QPaintDevice *device, qreal width)
{
    for (int size = BodySize;; --size) {
        Layout l{font(size), font(size, true), {}, table.wrapColumn, device};
        l.widths = naturalWidths(table, l);
        const qreal total = std::accumulate(l.widths.begin(), l.widths.end(), qreal(0));
        if (total <= width) {
            (l.wrap >= 0 ? l.widths[size_t(l.wrap)] : l.widths.back()) += width - total;
            return l;
        }
        if (l.wrap >= 0) {
            qreal &wrapped = l.widths[size_t(l.wrap)];
            wrapped = std::max(width / 6, wrapped - (total - width));
        }
        if (l.wrap >= 0 || size == SmallestSize) {
            if (std::accumulate(l.widths.begin(), l.widths.end(), qreal(0)) > width)
                narrow(l.widths, width);
            return l;
        }
    }
}

// A line of text as laid out once: drawn from its layout, so a page's words are shaped once.
struct Line {
    std::shared_ptr<const QTextLayout> layout; // none for an empty line
    int index = 0;
    QString text() const
    {
        if (!layout)
            return {};
        const QTextLine line = layout->lineAt(index);
        return layout->text().mid(line.textStart(), line.textLength()).trimmed();
    }
};

// The lines `text` takes in `width`: at word boundaries where it can, anywhere where a word is
// wider than the column.
QList<Line> layOut(const QString &text, const QFont &font, const QPaintDevice *device, qreal width)
{
    QList<Line> lines;
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    for (const QString &paragraph : text.split(QLatin1Char('\n'))) {
        if (paragraph.isEmpty()) {
            lines << Line{};
            continue;
        }
        auto layout = std::make_shared<QTextLayout>(paragraph, font, device);
        layout->setTextOption(option);
        layout->beginLayout();
        int count = 0;
        for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine())
            line.setLineWidth(std::max<qreal>(width, 1)), ++count;
        layout->endLayout();
        for (int n = 0; n < count; ++n)
            lines << Line{layout, n};
    }
    return lines;
}
} // namespace

QStringList wrapLines(const QString &text, const QFont &font, const QPaintDevice *device,
                      qreal width)
{
    QStringList lines;
    for (const Line &line : layOut(text, font, device, width))
        lines << line.text();
    return lines;
}

namespace
{

// A row of cells as the lines each takes in its column: all one font, so the lines of every
// cell share one grid and a row splits between any two of them.
struct Lines {
    QFont font;
    std::vector<qreal> widths;
    std::vector<QList<Line>> cells;
    qreal spacing = 0;
    qreal padding = CellPadding; // either side of a cell's lines

    qsizetype count() const
    {
        qsizetype most = 1;
        for (const QList<Line> &cell : cells)
            most = std::max(most, cell.size());
        return most;
    }
    qreal height() const { return qreal(count()) * spacing + 2 * RowPadding; }

    void paint(QPainter &painter, const QRectF &room) const
    {
        painter.setFont(font);
        qreal x = room.left();
        for (size_t c = 0; c < cells.size(); ++c) {
            const qreal y = room.top() + RowPadding;
            for (qsizetype n = 0; n < cells[c].size(); ++n)
                if (const Line &line = cells[c][n]; line.layout)
                    line.layout->lineAt(line.index)
                        .draw(&painter, QPointF(x + padding, y + qreal(n) * spacing));
            x += widths[c];
        }
    }

    // The first `first` lines, and the rest with the first cell said again, or nothing when
    // the split would leave either part empty.
    std::vector<Lines> split(qsizetype first) const
    {
        if (first < 1 || first >= count())
            return {};
        Lines head = *this, rest = *this;
        for (size_t c = 0; c < cells.size(); ++c) {
            head.cells[c] = cells[c].mid(0, first);
            rest.cells[c] = c == 0 ? cells[c] : cells[c].mid(first);
        }
        return {head, rest};
    }
};

Lines linesOf(const QFont &font, const Layout &l, const QStringList &cells)
{
    Lines lines{font, l.widths, {}, QFontMetricsF(font, l.device).lineSpacing()};
    for (size_t c = 0; c < l.widths.size(); ++c)
        lines.cells.push_back(
            layOut(cells.value(qsizetype(c)), font, l.device, l.widths[c] - 2 * CellPadding));
    return lines;
}

// A block of lines that goes on on the next page when it does not fit.
Block linesBlock(const Lines &lines, const Flow::Painter &under)
{
    Block block{lines.height(), [lines, under](QPainter &painter, const QRectF &room) {
                    if (under)
                        under(painter, room);
                    painter.setPen(Qt::black);
                    lines.paint(painter, room);
                }};
    block.split = [lines, under](qreal room) {
        std::vector<Block> parts;
        const auto fitting = qsizetype((room - 2 * RowPadding) / lines.spacing);
        for (const Lines &part : lines.split(fitting))
            parts.push_back(linesBlock(part, under));
        return parts;
    };
    return block;
}

Block row(const Layout &l, const QStringList &cells)
{
    return linesBlock(linesOf(l.plain, l, cells), [](QPainter &painter, const QRectF &room) {
        painter.setPen(Rule);
        painter.drawLine(room.bottomLeft(), room.bottomRight());
    });
}

// A row on a shade: the header (its cells) or a group's name (one cell across the table).
Block band(const Layout &l, const QStringList &cells, const QColor &fill)
{
    Layout across = l;
    if (cells.size() == 1)
        across.widths = {std::accumulate(l.widths.begin(), l.widths.end(), qreal(0))};
    const Lines lines = linesOf(l.bold, across, cells);
    return {lines.height(),
            [lines, fill](QPainter &painter, const QRectF &room) {
                painter.fillRect(room, fill);
                painter.setPen(Qt::black);
                lines.paint(painter, room);
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
    const qreal height = QFontMetricsF(l.plain, l.device).lineSpacing() + 2 * RowPadding;
    return {height, [l, name, empty, indent](QPainter &painter, const QRectF &room) {
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

// Each piece of a row that splits goes on under the table's top again.
Block resumed(Block block, const std::shared_ptr<const Block> &top)
{
    block.resume = top;
    if (block.split)
        block.split = [split = block.split, top](qreal room) {
            std::vector<Block> parts = split(room);
            for (Block &part : parts)
                part = resumed(part, top);
            return parts;
        };
    return block;
}

// A group's name above its rows; each row resumes a page with the table's top and the name.
std::vector<Block> groupBlocks(const Layout &l, const Table::Group &group, const QString &empty,
                               const std::shared_ptr<const Block> &top, qreal width)
{
    if (group.rows.isEmpty()) {
        Block only = group.name.isEmpty()
                         ? row(Layout{l.plain, l.bold, {width}, -1, l.device}, {empty})
                         : emptyBand(l, group.name, empty);
        return {resumed(only, top)};
    }
    std::vector<Block> all;
    auto resume = top;
    if (!group.name.isEmpty()) {
        all.push_back(resumed(band(l, {group.name}, GroupFill), top));
        resume = stacked({*top, band(l, {group.name + QStringLiteral(" (continued)")}, GroupFill)},
                         width);
    }
    for (const QStringList &cells : group.rows)
        all.push_back(resumed(row(l, cells), resume));
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
    const Layout l{plain, plain, {width + 2 * CellPadding}, -1, device};
    Lines lines = linesOf(plain, l, {text});
    lines.padding = 0;
    return linesBlock(lines, nullptr);
}

} // namespace TableBlocks
