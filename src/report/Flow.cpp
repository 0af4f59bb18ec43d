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

// A block that splits need only begin on the page of the blocks kept with it.
constexpr qreal LeastOfASplit = 48;

// From block n on, what must share its page: the block and every block it is kept with.
qreal keptHeight(const Block &first, const std::vector<Block> &blocks, size_t n)
{
    qreal height = first.height;
    for (bool kept = first.keepWithNext; kept && n + 1 < blocks.size();
         kept = blocks[n].keepWithNext) {
        const Block &next = blocks[++n];
        height += next.split ? std::min(next.height, LeastOfASplit) : next.height;
    }
    return height;
}

void paintColumn(QPainter &painter, const std::vector<Placed> &placed, qreal width)
{
    for (const Placed &p : placed)
        if (p.block.paint)
            p.block.paint(painter, QRectF(0, p.top, width, p.block.height));
}

class Pourer
{
public:
    explicit Pourer(qreal pageHeight) : m_pageHeight(pageHeight) {}

    void pour(const std::vector<Block> &blocks)
    {
        for (size_t n = 0; n < blocks.size(); ++n) {
            Block block = blocks[n];
            while (!fits(block, keptHeight(block, blocks, n))) {
                if (block.split) {
                    if (std::vector<Block> parts = block.split(room()); parts.size() == 2) {
                        place(parts[0]);
                        newPage(parts[1]);
                        block = parts[1];
                        continue;
                    }
                }
                if (m_fresh)
                    break; // no page holds more of it: it goes as it is
                newPage(block);
            }
            if (!block.paint && m_fresh)
                continue; // space at the top of a page
            place(block);
        }
    }

    std::vector<std::vector<Placed>> sheets{1};

private:
    qreal room() const { return m_pageHeight - m_y; }
    // A block kept with others fits with them; on a fresh page it need only fit itself.
    bool fits(const Block &block, qreal kept) const
    {
        return m_fresh ? block.height <= room() : kept <= room();
    }
    void place(const Block &block)
    {
        sheets.back().push_back({block, m_y});
        m_y += block.height;
        m_fresh = false;
    }
    void newPage(const Block &next)
    {
        sheets.emplace_back();
        m_y = 0;
        if (next.resume) {
            sheets.back().push_back({*next.resume, 0});
            m_y = next.resume->height;
        }
        m_fresh = true;
    }

    qreal m_pageHeight;
    qreal m_y = 0;
    bool m_fresh = true; // nothing but a resumed heading on this page yet
};
} // namespace

std::vector<Page> pour(const std::vector<Block> &blocks, qreal pageHeight)
{
    Pourer pourer(pageHeight);
    pourer.pour(blocks);
    std::vector<Page> pages;
    for (const std::vector<Placed> &placed : pourer.sheets)
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
