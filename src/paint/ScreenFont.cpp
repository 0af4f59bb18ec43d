#include "ScreenFont.h"

#include "ConfigTexts.h"

#include <QFontMetrics>
#include <QSet>

#include <algorithm>

namespace ScreenFont
{

namespace
{
// Borders take a pixel on each side; one more pixel keeps a text off the lines.
constexpr int room(int boxWidth) { return boxWidth - 3; }
constexpr int LineRoom = 17 - 2;
// The screen was drawn for an 8-point face at 96 dpi, about 11 pixels.
constexpr int LargestPixelSize = 11;
constexpr int SmallestPixelSize = 7;
constexpr int Stretches[] = {100, 95, 90};

QStringList unique(const QStringList &texts)
{
    QStringList result = QSet<QString>(texts.begin(), texts.end()).values();
    result.removeAll(QString());
    return result;
}

QStringList relayCellTexts()
{
    QStringList texts;
    modOVMXConfig doc;
    for (int close = 0; close <= 11; ++close)
        for (int open = 0; open <= 11; ++open)
            for (bool hold : {false, true}) {
                doc.SetRelayCloseAction(0, 0, close);
                doc.SetRelayOpenAction(0, 0, open);
                doc.SetRelayHoldStatus(0, 0, hold);
                texts << ConfigTexts::InputRelayControlText(doc, 0, 0);
            }
    return texts;
}

QStringList otherCellTexts()
{
    QStringList texts{QStringLiteral("Disable")};
    for (int v = 0; v <= 104; ++v)
        texts << ConfigTexts::dimmerCellText(v).value_or(QString());
    for (int i = 0; i < 24; ++i)
        texts << ConfigTexts::inputHeading(i);
    return texts;
}

QStringList headings(int count, QString (*heading)(int))
{
    QStringList texts;
    for (int n = 0; n < count; ++n)
        texts << heading(n);
    return texts;
}

QStringList pilotTexts()
{
    QStringList texts;
    for (int mode = 0; mode <= 9; ++mode)
        texts << *ConfigTexts::pilotText(5, mode);
    return texts;
}

QStringList levelTexts()
{
    QStringList texts;
    for (int level : {0, 128, 255})
        for (bool fc : {false, true})
            texts << ConfigTexts::levelText(level, fc);
    return texts;
}

// Text widths scale almost linearly with size and width, so measuring once at the largest
// size predicts which smaller font will fit; only that one is then measured for real. Every
// font tried costs a font engine, which is what makes start-up slow.
struct Widest {
    int room;
    int width; // of the widest text at the reference font
};

QList<Widest> widestOf(const QList<Box> &boxes, const QFont &reference)
{
    const QFontMetrics metrics(reference);
    QList<Widest> widest;
    for (const Box &box : boxes) {
        int width = 0;
        for (const QString &text : box.texts)
            width = std::max(width, metrics.horizontalAdvance(text));
        widest.append({box.width, width});
    }
    return widest;
}

bool predictedToFit(const QList<Widest> &widest, int size, int stretch)
{
    return std::all_of(widest.begin(), widest.end(), [=](const Widest &w) {
        return w.width * size * stretch <= w.room * LargestPixelSize * 100;
    });
}
} // namespace

QList<Box> screenBoxes()
{
    QStringList tracking;
    for (int mode = 0; mode <= 3; ++mode)
        tracking << *ConfigTexts::trackingCellText(mode);
    return {
        {room(41), unique(relayCellTexts() + otherCellTexts())},
        {room(161), tracking + headings(5, ConfigTexts::deviceHeading)},
        {room(49), headings(32, ConfigTexts::rowHeading)},
        {room(105), pilotTexts()},
        {room(65), unique(levelTexts())},
        // Frame captions sit on the frame line, after a short stretch of it.
        {161 - 16,
         {ConfigTexts::photocellFrameCaption(0, 1), QStringLiteral("Timed Off Configuation")}},
        {73, {QStringLiteral("Blink Alert")}},
    };
}

bool fits(const QFont &font, const QList<Box> &boxes)
{
    const QFontMetrics metrics(font);
    if (metrics.height() > LineRoom)
        return false;
    for (const Box &box : boxes)
        for (const QString &text : box.texts)
            if (metrics.horizontalAdvance(text) > box.width)
                return false;
    return true;
}

QFont fitted(const QFont &base)
{
    const QList<Box> boxes = screenBoxes();
    QFont font = base;
    font.setPixelSize(LargestPixelSize);
    font.setStretch(100);
    const QList<Widest> widest = widestOf(boxes, font);
    for (int size = LargestPixelSize; size >= SmallestPixelSize; --size) {
        for (int stretch : Stretches) {
            font.setPixelSize(size);
            font.setStretch(stretch);
            if ((size == LargestPixelSize && stretch == 100) ||
                predictedToFit(widest, size, stretch))
                if (fits(font, boxes))
                    return font;
        }
    }
    return font;
}

} // namespace ScreenFont
