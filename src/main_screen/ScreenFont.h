#pragma once

#include <QFont>
#include <QStringList>

// The main screen is laid out in fixed pixels; its font is the largest size of the given
// family at which every text the screen can show fits its box.
namespace ScreenFont
{

struct Box {
    int width; // room for the text, borders and padding already taken off
    QStringList texts;
};

// Every text that can appear in the fixed boxes of the screen, with the room it has.
QList<Box> screenBoxes();
bool fits(const QFont &font, const QList<Box> &boxes);
// `base` at the largest pixel size, from 11 down to 6, at which everything fits.
QFont fitted(const QFont &base);

} // namespace ScreenFont
