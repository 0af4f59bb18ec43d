#pragma once

#include <QColor>
#include <QFont>
#include <QGuiApplication>

// The report's type and spacing, in pixels at 96 to the inch: small enough that the tables of a
// whole site fill few pages, large enough to read on paper.
namespace ReportStyle
{

constexpr int BodySize = 11;
constexpr int TitleSize = 13;
constexpr int HeadingSize = 16;
constexpr qreal RowPadding = 3;  // above and below the text of a row
constexpr qreal CellPadding = 6; // either side of the text of a cell
constexpr qreal HeadingHeight = 30;
const QColor HeaderFill{216, 216, 216};
const QColor GroupFill{236, 236, 236};
const QColor Rule{176, 176, 176};

// No ligatures: "fi" and "ff" stay two letters, so the words are found by a search.
inline QFont forPaper(QFont f)
{
    f.setStyleStrategy(QFont::PreferNoShaping);
    return f;
}

inline QFont font(int pixelSize, bool bold = false)
{
    QFont f = QGuiApplication::font();
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    return forPaper(f);
}

} // namespace ReportStyle
