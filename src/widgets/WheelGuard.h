#pragma once

#include <QObject>

// Every list of the tool stores its choice in the programming the moment it changes. A wheel
// turned over a list that the user never clicked would change the programming by accident
// while scrolling past it, so such a list lets the wheel pass unless it has the focus.
class WheelGuard : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
