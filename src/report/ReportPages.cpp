#include "ReportPages.h"

#include "GridModel.h"
#include "OptionTexts.h"
#include "ScaleCurve.h"
#include "ScreenFont.h"
#include "ScreenPainter.h"
#include "ShowText.h"

#include <QGuiApplication>
#include <QPainter>

#include <algorithm>

namespace ReportPages
{

namespace
{
constexpr qreal TitleHeight = 26;
constexpr qreal LineHeight = 16;

// No ligatures: "fi" and "ff" stay two letters, so the words are found by a search.
QFont unshaped(QFont font)
{
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

QFont fontOf(int pixelSize, bool bold = false)
{
    QFont font = QGuiApplication::font();
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return unshaped(font);
}

QFont fixedFont(int pixelSize)
{
    QFont font(QStringLiteral("DejaVu Sans Mono"));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPixelSize(pixelSize);
    return unshaped(font);
}

// One curve point in words: its light level with foot-candles, and its output.
QString pointLine(int number, int level, int output)
{
    const QString fc = level >= 0 && level <= 255
                           ? QString::number(modOVMXConfig::LevelToFootCandles(level))
                           : QStringLiteral("?");
    return QStringLiteral("Point %1:  level %2/255 (%3 fc),  output %4 % (%5 V)")
        .arg(number)
        .arg(level)
        .arg(fc)
        .arg(output)
        .arg(QString::number(output / 10.0, 'f', 1));
}

// The scaling editor's plot with its axis labels, then the points it draws.
void paintCurve(QPainter &painter, const QRectF &cell, const modOVMXConfig &doc, int p, int d)
{
    const int mode = doc.GetPhotocellTracking(p, d);
    painter.setPen(Qt::black);
    painter.setFont(fontOf(13, true));
    QRectF line(cell.left(), cell.top(), cell.width(), LineHeight + 2);
    painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter,
                     ConfigTexts::cellCaption(ConfigTexts::trackingCell(p, d)));
    painter.setFont(fontOf(12));
    line.translate(0, LineHeight + 2);
    painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter,
                     ShowText::orNoEntry(OptionTexts::trackingModeText(mode), mode));
    if (mode == 3) {
        const int target = doc.GetScaleTarget(p, d);
        line.translate(0, LineHeight);
        painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter,
                         ShowText::orNoEntry(OptionTexts::scaleTargetText(target), target));
        return;
    }
    const QPointF plot(cell.left() + 44, line.bottom() + 8);
    const qreal w = ScaleCurve::PixelWidth, h = ScaleCurve::PixelHeight;
    const auto label = [&](const QRectF &at, Qt::Alignment align, const QString &text) {
        painter.drawText(at, align | Qt::AlignVCenter, text);
    };
    label({cell.left(), plot.y() - 4, 40, 18}, Qt::AlignRight, QStringLiteral("10 V"));
    label({cell.left(), plot.y() + h - 14, 40, 18}, Qt::AlignRight, QStringLiteral("0 V"));
    label({plot.x(), plot.y() + h + 2, 40, 16}, Qt::AlignLeft, QStringLiteral("0"));
    label({plot.x() + w - 40, plot.y() + h + 2, 40, 16}, Qt::AlignRight, QStringLiteral("255"));
    painter.save();
    painter.translate(plot);
    ScaleCurve::fromImage(doc, p, d).paint(painter);
    painter.restore();
    line.moveTop(plot.y() + h + 20);
    const int points[][3] = {{1, doc.GetScaleLevel1(p, d), doc.GetScaleOutput1(p, d)},
                             {2, doc.GetScaleLevel2(p, d), doc.GetScaleOutput2(p, d)},
                             {3, doc.GetScaleLevel3(p, d), doc.GetScaleOutput3(p, d)}};
    for (const auto &point : points) {
        if (point[0] == 2 && mode == 1)
            continue; // a two-point curve has no middle point
        painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter,
                         pointLine(point[0], point[1], point[2]));
        line.translate(0, LineHeight);
    }
}
} // namespace

QRectF paintTitle(QPainter &painter, const QRectF &body, const QString &title)
{
    painter.setPen(Qt::black);
    painter.setFont(fontOf(16, true));
    painter.drawText(QRectF(body.left(), body.top(), body.width(), TitleHeight - 6),
                     Qt::AlignLeft | Qt::AlignVCenter, title);
    return body.adjusted(0, TitleHeight, 0, 0);
}

Page gridPage(const modOVMXConfig &doc)
{
    const ConfigTexts::ScreenTexts texts = ShowText::screenTexts(doc);
    const QString alert =
        OptionTexts::timedOffAlertText(doc.GetTimedOffAlert()).value_or(QString());
    const QString overrideEntry =
        OptionTexts::timedOffOverrideText(doc.GetTimedOffOverride()).value_or(QString());
    return [=](QPainter &painter, const QRectF &body) {
        const QRectF room = paintTitle(painter, body, QStringLiteral("Programming Grid"));
        const QSizeF size = ScreenPainter::ClientSize;
        const qreal scale = std::min(room.width() / size.width(), room.height() / size.height());
        GridModel model;
        model.setCellTexts(texts.cells);
        painter.save();
        painter.translate(room.left() + (room.width() - scale * size.width()) / 2, room.top());
        painter.scale(scale, scale);
        painter.setClipRect(QRect(QPoint(0, 0), ScreenPainter::ClientSize));
        painter.setFont(unshaped(ScreenFont::fitted(QGuiApplication::font())));
        const QRect all(QPoint(0, 0), ScreenPainter::ClientSize);
        ScreenPainter::paintGrid(painter, model, all);
        ScreenPainter::paintPanels(painter, texts, alert, overrideEntry);
        painter.restore();
    };
}

std::vector<Page> textPages(QPainter &painter, const QSizeF &body, const QString &title,
                            const QString &continued, const QStringList &lines)
{
    // Sized so the widest line (the grid's rows) fits across the page, at most 12 pixels.
    const QFontMetricsF reference(fixedFont(12), painter.device());
    qreal widest = 1;
    for (const QString &line : lines)
        widest = std::max(widest, reference.horizontalAdvance(line));
    const int pixelSize = std::clamp(static_cast<int>(12 * body.width() / widest), 5, 12);
    const QFont font = fixedFont(pixelSize);
    const qreal spacing = QFontMetricsF(font, painter.device()).lineSpacing();
    const auto perPage = std::max<qsizetype>(1, qFloor((body.height() - TitleHeight) / spacing));
    std::vector<Page> pages;
    for (qsizetype first = 0; first < lines.size(); first += perPage) {
        const QStringList chunk = lines.mid(first, perPage);
        const QString heading = first == 0 ? title : continued;
        pages.push_back([=](QPainter &p, const QRectF &room) {
            const QRectF text = paintTitle(p, room, heading);
            p.setFont(font);
            for (qsizetype n = 0; n < chunk.size(); ++n)
                p.drawText(QPointF(text.left(), text.top() + spacing * qreal(n) + spacing * 0.8),
                           chunk[n]);
        });
    }
    return pages;
}

std::vector<Page> curvePages(const modOVMXConfig &doc)
{
    const QString title = QStringLiteral("Photocell Tracking");
    std::vector<std::pair<int, int>> tracked;
    for (int d = 0; d < 4; ++d)
        for (int p = 0; p < 2; ++p)
            if (const int mode = doc.GetPhotocellTracking(p, d); mode >= 1 && mode <= 3)
                tracked.emplace_back(p, d);
    if (tracked.empty())
        return {[=](QPainter &painter, const QRectF &body) {
            const QRectF room = paintTitle(painter, body, title);
            painter.setFont(fontOf(12));
            painter.drawText(room, Qt::AlignLeft | Qt::AlignTop,
                             QStringLiteral("No dimmer tracks a photocell."));
        }};
    std::vector<Page> pages;
    for (size_t first = 0; first < tracked.size(); first += 4) {
        const std::vector<std::pair<int, int>> four(
            tracked.begin() + static_cast<std::ptrdiff_t>(first),
            tracked.begin() + static_cast<std::ptrdiff_t>(std::min(first + 4, tracked.size())));
        pages.push_back([=, &doc](QPainter &painter, const QRectF &body) {
            const QRectF room = paintTitle(painter, body, title);
            const QSizeF cell(room.width() / 2, room.height() / 2);
            for (size_t n = 0; n < four.size(); ++n) {
                const QPointF at(room.left() + cell.width() * qreal(n % 2),
                                 room.top() + cell.height() * qreal(n / 2));
                paintCurve(painter, QRectF(at, cell), doc, four[n].first, four[n].second);
            }
        });
    }
    return pages;
}

} // namespace ReportPages
