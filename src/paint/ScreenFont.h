#pragma once

#include <QFont>
#include <QStringList>

// The main screen is laid out in fixed pixels; its font is the largest size of the given
// family, narrowed a little if need be, at which every text the screen can show fits its box.
namespace ScreenFont
{

struct Box {
    int width; // room for the text inside the borders, one pixel of air kept
    QStringList texts;
};

// Every text that can appear in the fixed boxes of the screen, with the room it has.
QList<Box> screenBoxes();
bool fits(const QFont &font, const QList<Box> &boxes);
// `base` at the largest pixel size from 11 down to 7, and within a size the widest of 100 %,
// 95 % and 90 % width, at which everything fits; 7 px at 90 % when nothing does.
QFont fitted(const QFont &base);

} // namespace ScreenFont
