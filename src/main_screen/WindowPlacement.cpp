#include "WindowPlacement.h"

#include <QEvent>
#include <QWidget>

#include <algorithm>

namespace WindowPlacement
{

void centreOnParent(QWidget *window)
{
    const QWidget *parent = window->parentWidget() ? window->parentWidget()->window() : nullptr;
    if (!parent)
        return;
    // Before the first mapping the frame is not known yet; the parent's margins are the best
    // guess, since the same window manager draws both.
    QSize frame = window->frameGeometry().size();
    if (frame == window->size()) {
        const QRect outer = parent->frameGeometry(), inner = parent->geometry();
        frame += outer.size() - inner.size();
    }
    const QRect over = parent->frameGeometry();
    window->move(over.left() + (over.width() - frame.width()) / 2,
                 over.top() + (over.height() - frame.height()) / 2);
}

namespace
{

class CentreOnShow : public QObject
{
public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show)
            centreOnParent(static_cast<QWidget *>(watched));
        return false;
    }
};

} // namespace

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

void centreOnShow(QWidget *window) { window->installEventFilter(new CentreOnShow(window)); }

} // namespace WindowPlacement
