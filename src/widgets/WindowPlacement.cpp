#include "WindowPlacement.h"

#include <QEvent>
#include <QWidget>

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

class PlaceOnShow : public QObject
{
public:
    PlaceOnShow(QWidget *window, std::function<void()> place)
        : QObject(window), m_place(std::move(place))
    {
    }
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // Placed when first shown, and once more as soon as the window manager's frame is
        // known; after that the window is where the user puts it, through minimising,
        // restoring and hiding alike. The frame can become known while a message box holds
        // the activation, so any event of the mapped window may bring it.
        const auto *window = static_cast<QWidget *>(watched);
        if (m_state == State::Framed)
            return false;
        if (event->type() == QEvent::Show && m_state == State::Hidden) {
            m_state = State::Shown;
            m_place();
        }
        if (m_state == State::Shown && !frameMargins(window).isNull()) {
            m_state = State::Framed;
            m_place();
        }
        return false;
    }

private:
    enum class State { Hidden, Shown, Framed };
    std::function<void()> m_place;
    State m_state = State::Hidden;
};

} // namespace

void placeOnShow(QWidget *window, std::function<void()> place)
{
    window->installEventFilter(new PlaceOnShow(window, std::move(place)));
}

void centreOnShow(QWidget *window)
{
    placeOnShow(window, [window] { centreOnParent(window); });
}

} // namespace WindowPlacement
