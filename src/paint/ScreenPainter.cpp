#include "ScreenPainter.h"

#include <QPainter>

namespace ScreenPainter
{

const QImage &BoxCache::image(const QString &text, const QColor &fill, QSize size, qreal ratio,
                              const QFont &font)
{
    const Key key{text, fill.rgb(), size, ratio};
    auto found = m_images.find(key);
    if (found == m_images.end()) {
        QImage image(size * ratio, QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(ratio);
        image.fill(fill);
        QPainter painter(&image);
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(QRect(QPoint(0, 0), size), Qt::AlignCenter, text);
        found = m_images.insert(key, image);
    }
    return *found;
}

void paintBox(QPainter &painter, const QRect &rect, const QColor &fill, const QString &text,
              Qt::Alignment align, BoxCache *cache)
{
    painter.fillRect(rect, Qt::black);
    const QRect inside = rect.adjusted(1, 1, -1, -1);
    if (cache && align == Qt::AlignCenter) {
        painter.drawImage(inside.topLeft(),
                          cache->image(text, fill, inside.size(),
                                       painter.device()->devicePixelRatioF(), painter.font()));
        return;
    }
    painter.fillRect(inside, fill);
    painter.setPen(Qt::black);
    painter.drawText(inside, align | Qt::AlignVCenter, text);
}

void paintGrid(QPainter &painter, const GridModel &model, const QRegion &dirty, BoxCache *cache)
{
    painter.fillRect(dirty.boundingRect(), GridModel::Background);
    painter.setPen(Qt::black);
    for (int s = 0; s < GridModel::CaptionCount; ++s) {
        const QRect rect = GridModel::captionRect(s);
        painter.fillRect(rect, GridModel::captionColour(s));
        painter.drawText(rect, Qt::AlignLeft | Qt::AlignVCenter, GridModel::captionText(s));
    }
    for (int n = 0; n < GridModel::DeviceCount; ++n)
        paintBox(painter, GridModel::deviceRect(n), model.deviceColour(n),
                 ConfigTexts::deviceHeading(n), Qt::AlignCenter, cache);
    for (int i = 0; i < GridModel::InputCount; ++i)
        paintBox(painter, GridModel::inputRect(i), model.inputColour(i),
                 ConfigTexts::inputHeading(i), Qt::AlignCenter, cache);
    for (int q = 0; q < GridModel::RowCount; ++q)
        paintBox(painter, GridModel::outputRect(q), model.outputColour(q),
                 ConfigTexts::rowHeading(q), Qt::AlignCenter, cache);
    // A highlight move dirties a few strips far apart: cells are tested against them, not
    // against their bounding rectangle, which would cover the whole grid.
    for (int k = 0; k < GridModel::CellCount; ++k) {
        const QRect rect = GridModel::cellRect(k);
        if (GridModel::cellVisible(k) && dirty.intersects(rect))
            paintBox(painter, rect, model.cellColour(k), model.cellText(k), Qt::AlignCenter, cache);
    }
    for (int j = 0; j < GridModel::FillerCount; ++j)
        painter.fillRect(GridModel::fillerRect(j), GridModel::FillerColour);
}

void paintFrame(QPainter &painter, const QRect &rect, const QString &caption,
                const QColor &background, const QColor &textColour)
{
    const QFontMetrics metrics = painter.fontMetrics();
    const int lineY = metrics.height() / 2;
    // An etched line: dark grey with a white line beside it.
    const QRect box = rect.adjusted(0, lineY, -2, -2);
    painter.setPen(QColor(160, 160, 160));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(box);
    painter.setPen(Qt::white);
    painter.drawRect(box.translated(1, 1));
    if (caption.isEmpty())
        return;
    const QRect text(rect.x() + 8, rect.y(), metrics.horizontalAdvance(caption) + 4,
                     metrics.height());
    painter.fillRect(text, background);
    painter.setPen(textColour);
    painter.drawText(text, Qt::AlignCenter, caption);
}

namespace Panels
{
QRect pilotFrame(int station) { return {station == 0 ? 56 : 296, 0, 241, 81}; }
QRect timedOffFrame() { return {536, 0, 161, 81}; }
QRect levelFrame(int photocell) { return {photocell == 0 ? 696 : 856, 0, 161, 81}; }
QRect pilotLabel(int k) { return {k < 3 ? 8 : 128, 24 + 16 * (k % 3), 105, 17}; }
QRect levelNumber(int l) { return {8, 14 + 16 * l, 17, 17}; }
QRect offLevel(int l) { return {24, 14 + 16 * l, 65, 17}; }
QRect onLevel(int l) { return {88, 14 + 16 * l, 65, 17}; }
QRect listCaption(int n) { return {4, 16 + 32 * n, 73, 21}; }
QRect list(int n) { return {76, 16 + 32 * n, 81, 21}; }
QString pilotCaption(int station)
{
    return QStringLiteral("Tamberline 0%1 Pilots").arg(station + 1);
}
} // namespace Panels

void paintPanels(QPainter &painter, const ConfigTexts::ScreenTexts &texts,
                 const QString &alertEntry, const QString &overrideEntry)
{
    using namespace Panels;
    const auto frame = [&](const QRect &rect, const QString &caption) {
        paintFrame(painter, rect, caption, GridModel::Background, Qt::black);
        return rect.topLeft();
    };
    for (int s = 0; s < 2; ++s) {
        const QPoint at = frame(pilotFrame(s), pilotCaption(s));
        for (int k = 0; k < 6; ++k)
            paintBox(painter, pilotLabel(k).translated(at), LabelColour,
                     texts.pilots[static_cast<size_t>(6 * s + k)], Qt::AlignLeft);
    }
    const QPoint timed = frame(timedOffFrame(), QStringLiteral("Timed Off Configuation"));
    const QString captions[] = {QStringLiteral("Blink Alert"), QStringLiteral("Override")};
    const QString entries[] = {alertEntry, overrideEntry};
    for (int n = 0; n < 2; ++n) {
        painter.setPen(Qt::black);
        painter.drawText(listCaption(n).translated(timed), Qt::AlignLeft | Qt::AlignVCenter,
                         captions[n]);
        paintBox(painter, list(n).translated(timed), Qt::white, QLatin1Char(' ') + entries[n],
                 Qt::AlignLeft);
    }
    for (int p = 0; p < 2; ++p) {
        const QPoint at = frame(levelFrame(p), texts.photocellFrames[static_cast<size_t>(p)]);
        for (int l = 0; l < 4; ++l) {
            const auto n = static_cast<size_t>(4 * p + l);
            paintBox(painter, levelNumber(l).translated(at), LevelNumberColour,
                     QString::number(l + 1));
            paintBox(painter, offLevel(l).translated(at), LabelColour, texts.offLevels[n]);
            paintBox(painter, onLevel(l).translated(at), LabelColour, texts.onLevels[n]);
        }
    }
}

} // namespace ScreenPainter
