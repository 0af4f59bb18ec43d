#include "Flow.h"

#include <QPainter>

namespace Flow
{

namespace
{
struct Placed {
    Block block;
    qreal top;
};

// From block n on, what must share its page: the block and every block it is kept with.
qreal keptHeight(const std::vector<Block> &blocks, size_t n)
{
    qreal height = blocks[n].height;
    while (blocks[n].keepWithNext && n + 1 < blocks.size())
        height += blocks[++n].height;
    return height;
}

void paintColumn(QPainter &painter, const std::vector<Placed> &placed, qreal width)
{
    for (const Placed &p : placed)
        if (p.block.paint)
            p.block.paint(painter, QRectF(0, p.top, width, p.block.height));
}
} // namespace

std::vector<Page> pour(const std::vector<Block> &blocks, qreal pageHeight)
{
    std::vector<std::vector<Placed>> sheets(1);
    qreal y = 0;
    for (size_t n = 0; n < blocks.size(); ++n) {
        const Block &block = blocks[n];
        const bool started = !sheets.back().empty();
        if (started && y + keptHeight(blocks, n) > pageHeight) {
            sheets.emplace_back();
            y = 0;
            if (block.resume) {
                sheets.back().push_back({*block.resume, 0});
                y = block.resume->height;
            }
        }
        if (!block.paint && sheets.back().empty())
            continue; // space at the top of a page
        sheets.back().push_back({block, y});
        y += block.height;
    }
    std::vector<Page> pages;
    for (const std::vector<Placed> &placed : sheets)
        pages.push_back([placed](QPainter &painter, const QRectF &body) {
            paintColumn(painter, placed, body.width());
        });
    return pages;
}

Block sideBySide(const std::vector<std::vector<Block>> &columns, qreal width, qreal gap)
{
    const auto count = static_cast<qreal>(columns.size());
    const qreal columnWidth = (width - gap * (count - 1)) / count;
    std::vector<std::vector<Placed>> placed;
    qreal height = 0;
    for (const std::vector<Block> &column : columns) {
        placed.emplace_back();
        qreal y = 0;
        for (const Block &block : column) {
            placed.back().push_back({block, y});
            y += block.height;
        }
        height = std::max(height, y);
    }
    return {height, [placed, columnWidth, gap](QPainter &painter, const QRectF &room) {
                for (size_t c = 0; c < placed.size(); ++c) {
                    painter.save();
                    painter.translate(room.left() + (columnWidth + gap) * qreal(c), room.top());
                    paintColumn(painter, placed[c], columnWidth);
                    painter.restore();
                }
            }};
}

} // namespace Flow
