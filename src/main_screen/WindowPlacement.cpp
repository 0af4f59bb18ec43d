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

void centreOnParent(QWidget *window)
{
    const QWidget *parent = window->parentWidget() ? window->parentWidget()->window() : nullptr;
    if (!parent)
        return;
    const QRect over = parent->frameGeometry();
    const QRect outer = window->frameGeometry(), inner = window->geometry();
    if (outer != inner) { // framed: the frame is known and move() places it
        window->move(over.left() + (over.width() - outer.width()) / 2,
                     over.top() + (over.height() - outer.height()) / 2);
        return;
    }
    // Not framed yet: move() places the client area, and the window manager will draw the
    // frame around it as it drew the parent's.
    const QRect parentInner = parent->geometry();
    const QMargins frame(parentInner.left() - over.left(), parentInner.top() - over.top(),
                         over.right() - parentInner.right(), over.bottom() - parentInner.bottom());
    const QSize size = inner.size().grownBy(frame);
    window->move(over.left() + (over.width() - size.width()) / 2 + frame.left(),
                 over.top() + (over.height() - size.height()) / 2 + frame.top());
}

namespace
{

// Centres on each show with the best guess, then once more when the window manager has framed
// and activated the window, if its frame turned out otherwise.
class CentreOnShow : public QObject
{
public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *window = static_cast<QWidget *>(watched);
        if (event->type() == QEvent::Show) {
            m_framed = false;
            centreOnParent(window);
        } else if (event->type() == QEvent::WindowActivate && !m_framed &&
                   window->frameGeometry() != window->geometry()) {
            m_framed = true;
            centreOnParent(window);
        }
        return false;
    }

private:
    bool m_framed = false;
};

} // namespace

void centreOnShow(QWidget *window) { window->installEventFilter(new CentreOnShow(window)); }

} // namespace WindowPlacement
