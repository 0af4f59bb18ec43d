#include "ClickableLabel.h"

#include <QMouseEvent>

void ClickableLabel::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent *event)
{
    const bool inside = m_pressed && event->button() == Qt::LeftButton &&
                        rect().contains(event->position().toPoint());
    m_pressed = false;
    if (inside)
        Q_EMIT clicked();
}
