#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <functional>

class QWidget;

// Where windows go on the screen. Every rule here places the window's frame, title bar
// included: a window manager adds the frame around the client area, so a rule applied to the
// client area puts a dialog half a title bar low and a tall window's title bar off the screen.
namespace WindowPlacement
{

// The top-left of a frame of `frame` size moved as far as needed to lie inside `available`;
// where it cannot fit, its top-left corner (the title bar and the menu) stays in view.
QPoint inside(QPoint topLeft, const QSize &frame, const QRect &available);

// A window of `size` beside `anchor` inside `available`, `gap` apart, all frames: to the
// anchor's right, or else to its left, where it fits whole; else on the right with the anchor
// moved aside as far as needed, and narrowed to the room the anchor leaves, so that neither
// covers the other. Level with the anchor's top as far as the screen allows.
struct Beside {
    QRect anchor, window;
};
Beside beside(const QRect &anchor, const QSize &size, const QRect &available, int gap);

// The margins the window manager's frame adds around `window`; none before it is framed.
QMargins frameMargins(const QWidget *window);

// Runs `place` when `window` is first shown, with the frame as well as it can be guessed, and
// again once the window manager has framed it, with the frame it drew, until the frame stays
// where it was put; never after that, so a window the user has moved stays where it was put.
void placeOnShow(QWidget *window, std::function<void()> place);

// `window` is where it should be from now on: a placement still correcting it stops, so that
// moving it aside for another window is not taken back.
void settle(QWidget *window);

// Centres `window`'s frame on its parent window's frame.
void centreOnParent(QWidget *window);
// The same when `window` is first shown, and once framed.
void centreOnShow(QWidget *window);

} // namespace WindowPlacement
