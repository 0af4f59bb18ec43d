#include "CurveBlocks.h"

#include "ConfigTexts.h"
#include "OptionTexts.h"
#include "ReportStyle.h"
#include "ScaleCurve.h"
#include "ShowText.h"
#include "TableBlocks.h"

#include <QPainter>

namespace CurveBlocks
{

namespace
{
using namespace ReportStyle;

constexpr qreal PlotScale = 0.55;
constexpr qreal AxisRoom = 34; // left of the plot, for "10 V"
constexpr qreal LineHeight = 15;
constexpr qreal Gap = 16;

// One point in words: its light level with foot-candles, and its output with volts.
QString pointLine(int number, int level, int output)
{
    const QString fc = level >= 0 && level <= 255
                           ? QString::number(modOVMXConfig::LevelToFootCandles(level))
                           : QStringLiteral("?");
    return QStringLiteral("Point %1: level %2/255 (%3 fc), output %4 % (%5 V)")
        .arg(number)
        .arg(level)
        .arg(fc)
        .arg(output)
        .arg(QString::number(output / 10.0, 'f', 1));
}

QStringList pointLines(const modOVMXConfig &doc, int p, int d)
{
    QStringList lines{pointLine(1, doc.GetScaleLevel1(p, d), doc.GetScaleOutput1(p, d))};
    if (doc.GetPhotocellTracking(p, d) != 1) // a two-point curve has no middle point
        lines << pointLine(2, doc.GetScaleLevel2(p, d), doc.GetScaleOutput2(p, d));
    lines << pointLine(3, doc.GetScaleLevel3(p, d), doc.GetScaleOutput3(p, d));
    return lines;
}

qreal plotHeight() { return ScaleCurve::PixelHeight * PlotScale + LineHeight + 4; }

void paintPlot(QPainter &painter, const QPointF &at, const ScaleCurve &curve)
{
    const qreal w = ScaleCurve::PixelWidth * PlotScale, h = ScaleCurve::PixelHeight * PlotScale;
    const QPointF plot = at + QPointF(AxisRoom, 0);
    const auto label = [&](const QRectF &box, Qt::Alignment align, const QString &text) {
        painter.drawText(box, align | Qt::AlignVCenter, text);
    };
    label({at.x(), plot.y() - 6, AxisRoom - 4, 14}, Qt::AlignRight, QStringLiteral("10 V"));
    label({at.x(), plot.y() + h - 8, AxisRoom - 4, 14}, Qt::AlignRight, QStringLiteral("0 V"));
    label({plot.x(), plot.y() + h + 2, 40, 14}, Qt::AlignLeft, QStringLiteral("0"));
    label({plot.x() + w - 40, plot.y() + h + 2, 40, 14}, Qt::AlignRight, QStringLiteral("255"));
    painter.save();
    painter.translate(plot);
    painter.scale(PlotScale, PlotScale);
    curve.paint(painter);
    painter.restore();
}

// The cell's lines: its caption, its mode, then the plot and the points, or the target.
struct Cell {
    QString caption, mode;
    QStringList lines;
    std::optional<ScaleCurve> curve;

    qreal height() const
    {
        return LineHeight * qreal(2 + lines.size()) + (curve ? plotHeight() + 4 : 0);
    }
    void paint(QPainter &painter, const QRectF &room) const
    {
        QRectF line(room.left(), room.top(), room.width(), LineHeight);
        painter.setPen(Qt::black);
        painter.setFont(font(BodySize, true));
        painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter, caption);
        painter.setFont(font(BodySize));
        painter.drawText(line.translated(0, LineHeight), Qt::AlignLeft | Qt::AlignVCenter, mode);
        line.translate(0, 2 * LineHeight + 4);
        if (curve) {
            paintPlot(painter, line.topLeft(), *curve);
            line.translate(0, plotHeight());
        }
        for (const QString &text : lines) {
            painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter, text);
            line.translate(0, LineHeight);
        }
    }
};

Cell cellOf(const modOVMXConfig &doc, int p, int d)
{
    const int mode = doc.GetPhotocellTracking(p, d), target = doc.GetScaleTarget(p, d);
    Cell cell{ConfigTexts::cellCaption(ConfigTexts::trackingCell(p, d)),
              ShowText::orNoEntry(OptionTexts::trackingModeText(mode), mode),
              {},
              std::nullopt};
    if (mode == 3) {
        cell.lines << ShowText::orNoEntry(OptionTexts::scaleTargetText(target), target);
    } else {
        cell.curve = ScaleCurve::fromImage(doc, p, d);
        cell.lines = pointLines(doc, p, d);
    }
    return cell;
}

Flow::Block pair(const std::vector<Cell> &cells, qreal width)
{
    qreal height = 0;
    for (const Cell &cell : cells)
        height = std::max(height, cell.height() + Gap);
    return {height, [cells, width](QPainter &painter, const QRectF &room) {
                for (size_t n = 0; n < cells.size(); ++n)
                    cells[n].paint(painter, room.translated(width / 2 * qreal(n), 0));
            }};
}
} // namespace

std::vector<Flow::Block> blocks(const modOVMXConfig &doc, const QPaintDevice *device, qreal width)
{
    std::vector<Cell> cells;
    for (int d = 0; d < 4; ++d)
        for (int p = 0; p < 2; ++p)
            if (const int mode = doc.GetPhotocellTracking(p, d); mode != 0)
                cells.push_back(cellOf(doc, p, d));
    std::vector<Flow::Block> all{TableBlocks::heading(QStringLiteral("Photocell Tracking"))};
    if (cells.empty())
        all.push_back(
            TableBlocks::paragraph(QStringLiteral("No dimmer tracks a photocell."), device, width));
    const auto resume = std::make_shared<const Flow::Block>(
        TableBlocks::heading(QStringLiteral("Photocell Tracking (continued)")));
    for (size_t first = 0; first < cells.size(); first += 2) {
        const auto end = cells.begin() + qsizetype(std::min(first + 2, cells.size()));
        all.push_back(pair({cells.begin() + qsizetype(first), end}, width));
        all.back().resume = resume;
    }
    return all;
}

} // namespace CurveBlocks
