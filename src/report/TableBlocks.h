#pragma once

#include "Flow.h"

#include <QList>
#include <QStringList>

class QFont;
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
// Lines as a page breaks them: goes on on the next page when it does not fit.
Flow::Block paragraph(const QString &text, const QPaintDevice *device, qreal width);
// The lines `text` takes in `width`, at word boundaries, or anywhere in a word that is wider.
QStringList wrapLines(const QString &text, const QFont &font, const QPaintDevice *device,
                      qreal width);

} // namespace TableBlocks
