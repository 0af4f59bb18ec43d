#pragma once

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QCoreApplication>
#include <QTest>
#include <QWidget>

#include <algorithm>

// Finds a named control of an editor; fails the calling test when it is missing.
template <class T> T *control(const QWidget *editor, const QString &name)
{
    T *found = editor->findChild<T *>(name);
    if (!found)
        qWarning("no control named %s", qPrintable(name));
    return found;
}

// Clicks an option button or check box on its indicator, where a user aims.
inline void clickButton(QAbstractButton *button)
{
    const int middle = button->height() / 2;
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(std::min(8, button->width() / 2), middle));
}

// Chooses entry `index` of a drop-down list as a user does: open it, click the entry.
inline bool chooseEntry(QComboBox *list, int index)
{
    list->showPopup();
    QAbstractItemView *view = list->view();
    if (!view->isVisible())
        return false;
    const QModelIndex entry = view->model()->index(index, 0);
    view->scrollTo(entry, QAbstractItemView::PositionAtCenter);
    QCoreApplication::processEvents();
    const QPoint at = view->visualRect(entry).intersected(view->viewport()->rect()).center();
    QTest::mouseMove(view->viewport(), at);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
    return !view->isVisible() && list->currentIndex() == index;
}
