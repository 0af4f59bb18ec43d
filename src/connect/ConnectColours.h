#pragma once

#include <QColor>
#include <QLabel>
#include <QPalette>

// The backgrounds of the connection window's labels; the status display says "on" in white.
namespace ConnectColours
{

inline const QColor Caption{128, 255, 255};
inline const QColor Off{128, 128, 128};
inline const QColor On{255, 255, 255};
inline const QColor NotAnswering{255, 128, 128};
inline const QColor Value{255, 255, 128};
inline const QColor VerifyBackground{224, 224, 224};

inline void paint(QLabel *label, const QColor &colour)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, colour);
    palette.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(palette);
    label->setAutoFillBackground(true);
}

inline QColor background(const QLabel *label) { return label->palette().color(QPalette::Window); }

// Before the first answer: levels, node, firmware and model light yellow, the two "Com" values
// light red, every other value grey.
inline QColor startColour(int index)
{
    if (index == 4 || index == 11)
        return NotAnswering;
    if (index == 22 || index == 23 || index >= 32)
        return Value;
    return Off;
}

} // namespace ConnectColours
