#pragma once

#include <QRectF>

#include <functional>
#include <memory>
#include <vector>

class QPainter;

// The portrait pages are a column of blocks poured down one page after another. A block that
// can split (a row or a paragraph of lines) fills the page and goes on at the top of the next;
// any other block never splits, and a block kept with the next goes to a new page with it. A
// block that begins a page in the middle of a table first paints the table's heading again, so
// no page starts with rows nobody can name.
namespace Flow
{

// Paints inside `room`, whose width is the width the block was laid out for.
using Painter = std::function<void(QPainter &painter, const QRectF &room)>;

struct Block;
// The part of a block that fits in `room` and the rest, or nothing when no part fits there.
using Splitter = std::function<std::vector<Block>(qreal room)>;

struct Block {
    qreal height = 0;
    Painter paint = nullptr; // none for space, which a new page drops
    bool keepWithNext = false;
    std::shared_ptr<const Block> resume = nullptr; // painted first on a page that starts here
    Splitter split = nullptr;
};

// A page's body, painted with its origin at the body's top-left.
using Page = std::function<void(QPainter &painter, const QRectF &body)>;

std::vector<Page> pour(const std::vector<Block> &blocks, qreal pageHeight);

// Columns of blocks side by side as one block, as high as the highest column.
Block sideBySide(const std::vector<std::vector<Block>> &columns, qreal width, qreal gap);

inline Block space(qreal height) { return {height, nullptr, false, nullptr, nullptr}; }

} // namespace Flow
