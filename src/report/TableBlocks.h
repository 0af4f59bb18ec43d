#pragma once

#include "Flow.h"

#include <QList>
#include <QStringList>

class QPaintDevice;

// A table of words, its rows in named groups: the outputs' programming, the settings, the walk
// test.
struct Table {
    struct Group {
        QString name; // a row of its own above the group's rows; none for an unnamed group
        QList<QStringList> rows;
    };
    QString title;
    QStringList headers;
    QList<Group> groups;
    int wrapColumn = -1;                              // wraps when the table is too wide
    QString empty = QStringLiteral("No programming"); // what a group without rows says
    int abreast = 1; // groups side by side, read across: a narrow table fills the page
};

// Tables, headings and paragraphs as blocks for a page `width` wide, measured on `device`.
namespace TableBlocks
{

// The title and header go to a page with the first row; a page that starts inside the table
// repeats them, and the group's name, marked "(continued)".
std::vector<Flow::Block> blocks(const Table &table, const QPaintDevice *device, qreal width);
// A section's heading, kept with what follows it.
Flow::Block heading(const QString &text);
Flow::Block paragraph(const QString &text, const QPaintDevice *device, qreal width);

} // namespace TableBlocks
