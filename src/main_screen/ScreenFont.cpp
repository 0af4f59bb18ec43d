#include "ScreenFont.h"

#include "ConfigTexts.h"

#include <QFontMetrics>

namespace ScreenFont
{

namespace
{
constexpr int CellRoom = 41 - 4;     // two border pixels and one pixel of air on each side
constexpr int LineRoom = 17 - 2;     // inside the top and bottom borders
constexpr int LargestPixelSize = 11; // the screen was drawn for an 8-point face at 96 dpi
constexpr int SmallestPixelSize = 6;

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

QStringList dimmerCellTexts()
{
    QStringList texts{QStringLiteral("Disable")};
    for (int v = 0; v <= 104; ++v)
        texts << ConfigTexts::dimmerCellText(v).value_or(QString());
    return texts;
}

QStringList headingTexts(int count, QString (*heading)(int))
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
} // namespace

QList<Box> screenBoxes()
{
    QStringList tracking;
    for (int mode = 0; mode <= 3; ++mode)
        tracking << *ConfigTexts::trackingCellText(mode);
    return {
        {CellRoom,
         relayCellTexts() + dimmerCellTexts() + headingTexts(24, ConfigTexts::inputHeading)},
        {161 - 4, tracking + headingTexts(5, ConfigTexts::deviceHeading)},
        {49 - 4, headingTexts(32, ConfigTexts::rowHeading)},
        {105 - 4, pilotTexts()},
        {65 - 4, levelTexts()},
        {161 - 16,
         {ConfigTexts::photocellFrameCaption(0, 1), QStringLiteral("Timed Off Configuation")}},
        {73 - 2, {QStringLiteral("Blink Alert")}},
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
    for (int size = LargestPixelSize; size > SmallestPixelSize; --size) {
        font.setPixelSize(size);
        if (fits(font, boxes))
            return font;
    }
    font.setPixelSize(SmallestPixelSize);
    return font;
}

} // namespace ScreenFont
