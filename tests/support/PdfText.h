#pragma once

#include <QList>
#include <QProcess>
#include <QRegularExpression>
#include <QSizeF>
#include <QStringList>

// A PDF read back by poppler's tools, in the parts that are ours: the rows its tables draw and
// its pages, whatever poppler's spacing.
namespace PdfText
{

inline QString run(const QString &tool, const QStringList &args)
{
    QProcess process;
    process.start(tool, args);
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

// Each line of `pdftotext -layout`, its cells split where two spaces or more part them and joined
// by " | ".
inline QStringList rows(const QString &pdf)
{
    static const QRegularExpression gap(QStringLiteral("\\s{2,}"));
    QStringList rows;
    for (const QString &line : run(QStringLiteral("pdftotext"), {"-layout", pdf, "-"}).split('\n'))
        if (const QString row = line.trimmed().split(gap).join(QStringLiteral(" | "));
            !row.isEmpty())
            rows << row;
    return rows;
}

// The rows after the one that is exactly `first` up to the next that is exactly `next`: all of
// them for an empty `first`, none when there is no such row.
inline QStringList section(const QStringList &rows, const QString &first, const QString &next)
{
    const qsizetype from = first.isEmpty() ? 0 : rows.indexOf(first) + 1;
    if (from == 0 && !first.isEmpty())
        return {};
    const qsizetype to = next.isEmpty() ? -1 : rows.indexOf(next, from);
    return rows.mid(from, to < 0 ? -1 : to - from);
}

// Whether a row holds `cells` whole, from one cell's start to another's end.
inline bool holds(const QStringList &rows, const QString &cells)
{
    const QString bounded = QStringLiteral(" | ") + cells + QStringLiteral(" | ");
    for (const QString &row : rows)
        if ((QStringLiteral(" | ") + row + QStringLiteral(" | ")).contains(bounded))
            return true;
    return false;
}

// Each page's size in points and how far down its lowest word reaches, from 0 to 1; each word
// with the page it is on and whether its box lies inside that page.
struct Page {
    QSizeF size;
    double filled = 0;
};
struct Word {
    QString text;
    int page = 0;
    bool inside = true;
};
inline std::pair<QList<Page>, QList<Word>> layout(const QString &pdf)
{
    static const QRegularExpression box(
        QStringLiteral("<page width=\"([\\d.]+)\" height=\"([\\d.]+)\"|<word xMin=\"([-\\d.]+)\" "
                       "yMin=\"([-\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)</word>"));
    QList<Page> pages;
    QList<Word> words;
    for (const auto &m : box.globalMatch(run(QStringLiteral("pdftotext"), {"-bbox", pdf, "-"}))) {
        if (m.hasCaptured(1)) {
            pages.append({{m.captured(1).toDouble(), m.captured(2).toDouble()}});
            continue;
        }
        if (pages.isEmpty())
            continue;
        Page &page = pages.last();
        const double bottom = m.captured(6).toDouble();
        page.filled = std::max(page.filled, bottom / page.size.height());
        words.append({m.captured(7), int(pages.size()),
                      m.captured(3).toDouble() >= 0 && m.captured(4).toDouble() >= 0 &&
                          m.captured(5).toDouble() <= page.size.width() &&
                          bottom <= page.size.height()});
    }
    return {pages, words};
}

} // namespace PdfText
