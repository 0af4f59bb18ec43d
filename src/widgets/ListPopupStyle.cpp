#include "ListPopupStyle.h"

#include <QApplication>
#include <QComboBox>

void ListPopupStyle::install()
{
    QApplication::setStyle(new ListPopupStyle(QApplication::style()->name()));
}

int ListPopupStyle::styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                              QStyleHintReturn *returnData) const
{
    if (hint == SH_ComboBox_Popup)
        return 0;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

void ListPopupStyle::polish(QWidget *widget)
{
    QProxyStyle::polish(widget);
    if (auto *list = qobject_cast<QComboBox *>(widget))
        list->setMaxVisibleItems(VisibleRows);
}
