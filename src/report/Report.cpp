#include "Report.h"

#include "CurveBlocks.h"
#include "Frames.h"
#include "HandoverFile.h"
#include "LocalTime.h"
#include "ProgrammingTables.h"
#include "RecordBlocks.h"
#include "ReportStyle.h"
#include "TitlePage.h"
#include "WalkTest.h"

#include <QBuffer>
#include <QFileInfo>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

namespace Report
{

namespace
{
using Orientation = QPageLayout::Orientation;

constexpr qreal MarginMillimetres = 10;
constexpr qreal HeaderHeight = 44; // pixels, the rule under the header included
constexpr qreal PixelsPerInch = 96;
constexpr qreal Gap = 12; // between tables

struct Sheet {
    Orientation orientation;
    Flow::Page body;
};

QPageLayout layoutFor(const QPageSize &size, Orientation orientation)
{
    const qreal m = MarginMillimetres;
    return QPageLayout(size, orientation, QMarginsF(m, m, m, m), QPageLayout::Millimeter);
}

// The room inside the margins, in the report's pixels.
QSizeF roomOf(const QPageLayout &layout)
{
    return layout.paintRect(QPageLayout::Inch).size() * PixelsPerInch;
}

void paintHeader(QPainter &painter, qreal width, const modOVMXConfig &doc, const QDateTime &made,
                 int number, int count)
{
    using ReportStyle::font;
    const QRectF first(0, 0, width, 18);
    const QRectF second = first.translated(0, 18);
    painter.setPen(Qt::black);
    painter.setFont(font(14, true));
    painter.drawText(first, Qt::AlignLeft | Qt::AlignVCenter, doc.BaseTitle);
    painter.drawText(first, Qt::AlignRight | Qt::AlignVCenter,
                     QStringLiteral("Page %1 of %2").arg(number).arg(count));
    painter.setFont(font(12));
    const QString file = QStringLiteral("File: ") + doc.DataFileName;
    const QString date =
        QStringLiteral("Date: ") + LocalTime::text(made, QStringLiteral("yyyy-MM-dd hh:mm"), made);
    // A long path gives way in its middle, never over the date.
    const qreal room = width - painter.fontMetrics().horizontalAdvance(date) - 24;
    painter.drawText(second, Qt::AlignLeft | Qt::AlignVCenter,
                     painter.fontMetrics().elidedText(file, Qt::ElideMiddle, int(room)));
    painter.drawText(second, Qt::AlignRight | Qt::AlignVCenter, date);
    painter.setPen(QPen(Qt::black, 1));
    painter.drawLine(QPointF(0, HeaderHeight - 4), QPointF(width, HeaderHeight - 4));
}

void append(std::vector<Flow::Block> &to, const std::vector<Flow::Block> &more)
{
    to.insert(to.end(), more.begin(), more.end());
    to.push_back(Flow::space(Gap));
}

// Small tables two abreast, each a block that goes to one page whole.
Flow::Block abreast(const Table &left, const Table &right, const QPaintDevice *device, qreal width)
{
    const qreal column = (width - 2 * Gap) / 2;
    return Flow::sideBySide(
        {TableBlocks::blocks(left, device, column), TableBlocks::blocks(right, device, column)},
        width, 2 * Gap);
}

std::vector<Flow::Block> contents(const modOVMXConfig &doc, const Details &details,
                                  const QPaintDevice *device, qreal width)
{
    using namespace ProgrammingTables;
    std::vector<Flow::Block> all{TableBlocks::heading(QStringLiteral("Programming By Output"))};
    for (const Table &table : {relays(doc), dimmers(doc), disables(doc)})
        append(all, TableBlocks::blocks(table, device, width));
    all.push_back(TableBlocks::heading(QStringLiteral("Settings")));
    append(all, {abreast(relayPowerOn(doc), timedOffAndPort(doc), device, width)});
    append(all, TableBlocks::blocks(dimmerSettings(doc), device, width));
    append(all, {abreast(pilots(doc), photocellLevels(doc), device, width)});
    append(all, CurveBlocks::blocks(doc, device, width));
    if (details.record)
        append(all, RecordBlocks::commissioning(*details.record, details.made, device, width));
    const QString programming = QStringLiteral("data file %1, image checksum %2")
                                    .arg(QFileInfo(doc.DataFileName).fileName(), checksumText(doc));
    const QString statement =
        RecordBlocks::handedOver(details.record, WalkTest(doc).tally().programmed, programming);
    append(all, RecordBlocks::signOff(details.people, statement, device, width));
    return all;
}

std::vector<Sheet> sheetsOf(const modOVMXConfig &doc, const Details &details,
                            const QPaintDevice *device, const QSizeF &portrait)
{
    std::vector<Sheet> sheets{{Orientation::Landscape, TitlePage::page(doc, details)}};
    const auto blocks = contents(doc, details, device, portrait.width());
    for (Flow::Page &page : Flow::pour(blocks, portrait.height() - HeaderHeight))
        sheets.push_back({Orientation::Portrait, std::move(page)});
    return sheets;
}
} // namespace

QPageSize pageSize(Paper paper)
{
    return QPageSize(paper == Paper::Letter ? QPageSize::Letter : QPageSize::A4);
}

bool readsFrom(const QString &out, const QString &dataFile, const QString &record)
{
    const auto same = [](const QFileInfo &x, const QFileInfo &y) {
        return x.exists() && y.exists() ? x.canonicalFilePath() == y.canonicalFilePath()
                                        : x.absoluteFilePath() == y.absoluteFilePath();
    };
    if (dataFile == QLatin1String("None"))
        return false; // nothing is kept beside a configuration never saved
    const QString recordFile = record.isEmpty() ? recordPath(dataFile) : record;
    for (const QString &read : {dataFile, recordFile, HandoverFile::pathFor(dataFile)})
        if (!read.isEmpty() && same(QFileInfo(out), QFileInfo(read)))
            return true;
    return false;
}

QString checksumText(const modOVMXConfig &doc)
{
    const uint32_t sum = Frames::blockChecksum(doc.image());
    return QString::fromLatin1(Frames::Hex4(Frames::msw(sum)) + Frames::Hex4(Frames::lsw(sum)));
}

bool paint(QPagedPaintDevice &device, const modOVMXConfig &doc, const Details &details,
           Sheets sheets)
{
    const QPageSize size = device.pageLayout().pageSize();
    const QPageLayout portrait = layoutFor(size, Orientation::Portrait);
    const QPageLayout landscape = layoutFor(size, Orientation::Landscape);
    const bool turned = sheets == Sheets::Portrait;
    device.setPageLayout(turned ? portrait : landscape);
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const std::vector<Sheet> pages = sheetsOf(doc, details, &device, roomOf(portrait));
    const int count = static_cast<int>(pages.size());
    for (int n = 0; n < count; ++n) {
        const Sheet &sheet = pages[size_t(n)];
        const bool wide = sheet.orientation == Orientation::Landscape;
        if (n > 0 &&
            !((turned || device.setPageLayout(wide ? landscape : portrait)) && device.newPage()))
            return false;
        // Everything is laid out in pixels at 96 per inch, the screen's, whatever the device's
        // resolution: the grid then comes out at its screen size.
        painter.resetTransform();
        painter.scale(device.logicalDpiX() / PixelsPerInch, device.logicalDpiY() / PixelsPerInch);
        if (turned && wide) { // read with the sheet's right edge at the top
            painter.translate(roomOf(portrait).width(), 0);
            painter.rotate(90);
        }
        const QSizeF room = roomOf(wide ? landscape : portrait);
        paintHeader(painter, room.width(), doc, details.made, n + 1, count);
        painter.translate(0, HeaderHeight);
        sheet.body(painter, QRectF(0, 0, room.width(), room.height() - HeaderHeight));
    }
    return painter.end();
}

QByteArray pdf(const modOVMXConfig &doc, Paper paper, const Details &details)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(static_cast<int>(PixelsPerInch));
        writer.setPageSize(pageSize(paper));
        writer.setCreator(doc.BaseTitle);
        writer.setTitle(QStringLiteral("Orvandel MX handover: ") + doc.DataFileName);
        if (!paint(writer, doc, details))
            return {};
    }
    return bytes;
}

} // namespace Report
