#include "WindowPlacement.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace WindowPlacement
{

QPoint inside(QPoint topLeft, const QSize &frame, const QRect &available)
{
    if (available.isEmpty())
        return topLeft;
    topLeft.setX(std::min(topLeft.x(), available.right() + 1 - frame.width()));
    topLeft.setY(std::min(topLeft.y(), available.bottom() + 1 - frame.height()));
    topLeft.setX(std::max(topLeft.x(), available.left()));
    topLeft.setY(std::max(topLeft.y(), available.top()));
    return topLeft;
}

Beside beside(const QRect &anchor, const QSize &size, const QRect &available, int gap)
{
    const int room = available.width() - anchor.width() - gap;
    if (available.isEmpty() || room <= 0) // a screen too small for both: the window in view
        return {anchor, {inside(anchor.topRight() + QPoint(1 + gap, 0), size, available), size}};
    const QSize fitted(std::min(size.width(), room), std::min(size.height(), available.height()));
    QRect moved = anchor;
    int left = anchor.right() + 1 + gap;
    if (anchor.right() + gap + fitted.width() > available.right()) {
        if (anchor.left() - gap - fitted.width() >= available.left()) {
            left = anchor.left() - gap - fitted.width();
        } else {
            moved.moveRight(available.right() - gap - fitted.width());
            left = moved.right() + 1 + gap;
        }
    }
    const int top =
        std::clamp(anchor.top(), available.top(), available.bottom() + 1 - fitted.height());
    return {moved, {QPoint(left, top), fitted}};
}

QMargins frameMargins(const QWidget *window)
{
    const QRect outer = window->frameGeometry(), inner = window->geometry();
    return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
            outer.bottom() - inner.bottom()};
}

void centreOnParent(QWidget *window)
{
    const QWidget *parent = window->parentWidget() ? window->parentWidget()->window() : nullptr;
    if (!parent)
        return;
    const QRect over = parent->frameGeometry();
    if (!frameMargins(window).isNull()) { // framed: the frame is known and move() places it
        const QSize size = window->frameGeometry().size();
        window->move(over.left() + (over.width() - size.width()) / 2,
                     over.top() + (over.height() - size.height()) / 2);
        return;
    }
    // Not framed yet: move() places the client area, and the window manager will draw the
    // frame around it as it drew the parent's.
    const QMargins frame = frameMargins(parent);
    const QSize size = window->size().grownBy(frame);
    window->move(over.left() + (over.width() - size.width()) / 2 + frame.left(),
                 over.top() + (over.height() - size.height()) / 2 + frame.top());
}

namespace
{

// Placed when first shown, and again once the window manager has framed the window and put
// it on the screen, with the frame it drew. A window manager may still apply its own placement
// as it takes the window in, after Qt believes the move done: the frame is checked until it
// stays where it was put. After that the window is where the user puts it, through
// minimising, restoring and hiding alike. A timer, not the window's events, drives this: a
// message box holding the activation at start leaves the window few events of its own.
//
// On a loaded machine the window manager may frame the window after Qt last asked for the
// frame: Qt keeps the frame it found then (none) until the window is next configured. A window
// that stays unframed is moved by a pixel and back, which has it configured and its frame
// read again. The time allowed counts from when the window is on the screen, not from show(),
// which on a loaded machine may come long before.
class PlaceOnShow : public QObject
{
public:
    PlaceOnShow(QWidget *window, std::function<void()> place)
        : QObject(window), m_window(window), m_place(std::move(place))
    {
        setObjectName(QStringLiteral("placeOnShow"));
        m_timer.setInterval(TickMs);
        connect(&m_timer, &QTimer::timeout, this, &PlaceOnShow::check);
    }
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Show && !m_shown) {
            m_shown = true;
            m_place();
            m_timer.start();
        }
        return false;
    }

private:
    static constexpr int TickMs = 25;
    // Ticks on the screen before giving up, ticks unframed before asking for the frame again,
    // ticks before giving up on a window never put on the screen (one shown minimised), and
    // ticks the frame must stay put: a loaded window manager may place a window a while after
    // it put it on the screen.
    static constexpr int OnScreenTicks = 200, UnframedTicks = 10, NeverOnScreenTicks = 1200,
                         SteadyTicks = 20;

    void check()
    {
        const QWindow *handle = m_window->windowHandle();
        const bool onScreen = handle && handle->isExposed();
        ++m_ticks;
        if (!onScreen) {
            if (m_ticks > NeverOnScreenTicks)
                m_timer.stop();
            return;
        }
        if (++m_onScreen > OnScreenTicks || m_steady >= SteadyTicks) {
            m_timer.stop();
        } else if (frameMargins(m_window).isNull()) {
            // Three times at most: without a window manager there is no frame to learn.
            if (m_onScreen % UnframedTicks == 0 && m_asked++ < 3)
                askForFrame();
        } else if (m_placed && m_window->frameGeometry().topLeft() == m_placedAt) {
            ++m_steady;
        } else if (m_tries++ < 6) {
            m_place();
            m_placedAt = m_window->frameGeometry().topLeft();
            m_placed = true;
            m_steady = 0;
        }
    }

    void askForFrame()
    {
        const QPoint at = m_window->pos();
        m_window->move(at + QPoint(0, 1));
        m_window->move(at);
    }

    QWidget *m_window;
    std::function<void()> m_place;
    QTimer m_timer;
    QPoint m_placedAt;
    bool m_shown = false, m_placed = false;
    int m_ticks = 0, m_onScreen = 0, m_asked = 0, m_tries = 0, m_steady = 0;
};

} // namespace

void placeOnShow(QWidget *window, std::function<void()> place)
{
    window->installEventFilter(new PlaceOnShow(window, std::move(place)));
}

void settle(QWidget *window)
{
    for (QObject *placement :
         window->findChildren<QObject *>(QStringLiteral("placeOnShow"), Qt::FindDirectChildrenOnly))
        delete placement;
}

void centreOnShow(QWidget *window)
{
    placeOnShow(window, [window] { centreOnParent(window); });
}

} // namespace WindowPlacement
