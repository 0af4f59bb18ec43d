#include "SettingsLists.h"
#include "WindowPlacement.h"

#include <QComboBox>
#include <QDialog>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QPushButton>
#include <QStringListModel>

#include <algorithm>

namespace SettingsLists
{

QStringListModel *shareEntries(QObject *owner, const QStringList &entries,
                               const QList<QComboBox *> &lists)
{
    auto *model = new QStringListModel(entries, owner);
    if (lists.isEmpty())
        return model;
    // Measuring every entry for every list is what makes long lists slow to show; measure
    // once and let each list reserve that width instead.
    const QFontMetrics fm(lists.first()->font());
    int widest = 0;
    for (const QString &entry : entries)
        widest = std::max(widest, fm.horizontalAdvance(entry));
    const int charWidth = std::max(1, fm.horizontalAdvance(QLatin1Char('x')));
    const int chars = (widest + charWidth - 1) / charWidth;
    for (QComboBox *list : lists) {
        list->setModel(model);
        list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        list->setMinimumContentsLength(chars);
    }
    return model;
}

void selectPosition(QComboBox *list, int v)
{
    list->setCurrentIndex(v >= 0 && v < list->count() ? v : -1);
}

void centreOver(QDialog *dialog, QWidget *parent)
{
    if (parent)
        WindowPlacement::centreOnShow(dialog);
}

} // namespace SettingsLists

QPushButton *SettingsLists::addCloseButton(QDialog *dialog, QBoxLayout *layout)
{
    auto *button = new QPushButton(QStringLiteral("Close"), dialog);
    button->setObjectName(QStringLiteral("cmdClose"));
    auto *row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(button);
    layout->addLayout(row);
    return button;
}
