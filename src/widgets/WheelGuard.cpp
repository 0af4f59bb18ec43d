#include "WheelGuard.h"

#include <QComboBox>
#include <QEvent>

bool WheelGuard::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Wheel) {
        auto *list = qobject_cast<QComboBox *>(watched);
        if (list && !list->hasFocus()) {
            event->ignore();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
