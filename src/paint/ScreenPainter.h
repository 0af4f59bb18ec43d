#pragma once

#include "ConfigTexts.h"
#include "GridModel.h"

#include <QHash>
#include <QImage>
#include <QRegion>

class QPainter;

// How the main screen is drawn, on any QPainter: the window paints its grid with it and the
// printed report paints the same grid and the panels above it, so screen and paper cannot
// differ. Coordinates are pixels of the window's client area; the painter's font is the
// screen's font.
namespace ScreenPainter
{

// The window's client area, which the grid covers.
constexpr QSize ClientSize{1025, 681};

// Cells repeat a few texts on a few colours ("-" on grey, "Disable" on green), so on screen
// each combination is drawn once into an image and afterwards only copied: laying out 700
// texts on every repaint would take several milliseconds. Paper gets real text instead.
class BoxCache
{
public:
    const QImage &image(const QString &text, const QColor &fill, QSize size, qreal ratio,
                        const QFont &font);
    void clear() { m_images.clear(); }

private:
    struct Key {
        QString text;
        QRgb fill;
        QSize size;
        qreal ratio;
        bool operator==(const Key &) const = default;
        friend size_t qHash(const Key &key, size_t seed = 0)
        {
            return qHashMulti(seed, key.text, key.fill, key.size.width(), key.size.height(),
                              key.ratio);
        }
    };
    QHash<Key, QImage> m_images;
};

// A label with a single-line border. Neighbours overlap by exactly their shared border line,
// so filling the whole box black and then its inside leaves every line one pixel wide.
void paintBox(QPainter &painter, const QRect &rect, const QColor &fill, const QString &text,
              Qt::Alignment align = Qt::AlignCenter, BoxCache *cache = nullptr);

// Headings, section captions, the cells that meet `dirty` and the fillers, in one pass.
void paintGrid(QPainter &painter, const GridModel &model, const QRegion &dirty,
               BoxCache *cache = nullptr);

// A frame with its caption on an etched top line, as the panels above the grid have.
void paintFrame(QPainter &painter, const QRect &rect, const QString &caption,
                const QColor &background, const QColor &textColour);

// The panels above the grid and what they hold, in the window's places.
namespace Panels
{
const QColor LabelColour{255, 224, 192};
const QColor LevelNumberColour{192, 255, 255};
QRect pilotFrame(int station);
QRect timedOffFrame();
QRect levelFrame(int photocell);
// Inside their frame.
QRect pilotLabel(int k); // switch k, 0-5, of the station
QRect levelNumber(int l);
QRect offLevel(int l);
QRect onLevel(int l);
QRect listCaption(int n); // "Blink Alert", "Override"
QRect list(int n);
QString pilotCaption(int station);
} // namespace Panels

// The panels as paper shows them: a list shows its chosen entry, "" when none.
void paintPanels(QPainter &painter, const ConfigTexts::ScreenTexts &texts,
                 const QString &alertEntry, const QString &overrideEntry);

} // namespace ScreenPainter
