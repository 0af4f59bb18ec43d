#include "Report.h"

#include "ReportPages.h"
#include "ShowText.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

namespace Report
{

namespace
{
using ReportPages::Page;

constexpr qreal MarginMillimetres = 10;
constexpr qreal HeaderHeight = 44; // pixels, the rule under the header included
constexpr qreal PixelsPerInch = 96;

QFont headerFont(int pixelSize, bool bold)
{
    QFont font = QGuiApplication::font();
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    // No ligatures: "fi" stays two letters, so the words are found by a search.
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

void paintHeader(QPainter &painter, const QRectF &page, const modOVMXConfig &doc,
                 const QDateTime &made, int number, int count)
{
    painter.save();
    painter.setPen(Qt::black);
    const QRectF first(page.left(), page.top(), page.width(), 18);
    const QRectF second = first.translated(0, 18);
    painter.setFont(headerFont(14, true));
    painter.drawText(first, Qt::AlignLeft | Qt::AlignVCenter, doc.BaseTitle);
    painter.drawText(first, Qt::AlignRight | Qt::AlignVCenter,
                     QStringLiteral("Page %1 of %2").arg(number).arg(count));
    painter.setFont(headerFont(12, false));
    const QString file = QStringLiteral("File: ") + doc.DataFileName;
    const QString date =
        QStringLiteral("Date: ") + made.toString(QStringLiteral("yyyy-MM-dd hh:mm"));
    // A long path gives way in its middle, never over the date.
    const qreal room = second.width() - painter.fontMetrics().horizontalAdvance(date) - 24;
    painter.drawText(second, Qt::AlignLeft | Qt::AlignVCenter,
                     painter.fontMetrics().elidedText(file, Qt::ElideMiddle, int(room)));
    painter.drawText(second, Qt::AlignRight | Qt::AlignVCenter, date);
    painter.setPen(QPen(Qt::black, 1));
    painter.drawLine(QPointF(page.left(), HeaderHeight - 4),
                     QPointF(page.right(), HeaderHeight - 4));
    painter.restore();
}

QStringList linesOf(const QString &text)
{
    QStringList lines = text.split(QLatin1Char('\n'));
    while (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}
} // namespace

QPageSize pageSize(Paper paper)
{
    return QPageSize(paper == Paper::Letter ? QPageSize::Letter : QPageSize::A4);
}

bool paint(QPagedPaintDevice &device, const modOVMXConfig &doc, const QDateTime &made)
{
    device.setPageOrientation(QPageLayout::Landscape);
    device.setPageMargins(
        QMarginsF(MarginMillimetres, MarginMillimetres, MarginMillimetres, MarginMillimetres),
        QPageLayout::Millimeter);
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    // Everything is laid out in pixels at 96 per inch, the screen's, whatever the device's
    // resolution: the grid then comes out at its screen size.
    const qreal scale = device.logicalDpiX() / PixelsPerInch;
    const QRectF page(0, 0, device.width() / scale, device.height() / scale);
    const QRectF body = page.adjusted(0, HeaderHeight, 0, 0);
    painter.scale(scale, scale);
    // The words of the command line's show: its wide grid rows in a face small enough to fit,
    // the rest at a size for reading.
    const std::array<QString, 2> words = ShowText::renderParts(doc);
    const QString title = QStringLiteral("Settings In Words");
    const QString continued = title + QStringLiteral(", continued");
    std::vector<Page> pages{ReportPages::gridPage(doc)};
    for (auto group :
         {ReportPages::textPages(painter, body.size(), title, continued, linesOf(words[0])),
          ReportPages::textPages(painter, body.size(), continued, continued, linesOf(words[1])),
          ReportPages::curvePages(doc)})
        pages.insert(pages.end(), group.begin(), group.end());
    const int count = static_cast<int>(pages.size());
    for (int n = 0; n < count; ++n) {
        if (n > 0 && !device.newPage())
            return false;
        painter.resetTransform();
        painter.scale(scale, scale);
        paintHeader(painter, page, doc, made, n + 1, count);
        painter.save();
        painter.translate(body.topLeft());
        pages[static_cast<size_t>(n)](painter, QRectF(QPointF(0, 0), body.size()));
        painter.restore();
    }
    return painter.end();
}

QByteArray pdf(const modOVMXConfig &doc, Paper paper, const QDateTime &made)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(static_cast<int>(PixelsPerInch));
        writer.setPageSize(pageSize(paper));
        writer.setCreator(doc.BaseTitle);
        writer.setTitle(QStringLiteral("Orvandel MX programming: ") + doc.DataFileName);
        if (!paint(writer, doc, made))
            return {};
    }
    return bytes;
}

} // namespace Report
