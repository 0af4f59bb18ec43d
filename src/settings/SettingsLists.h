#pragma once

#include <QStringList>

class QBoxLayout;
class QComboBox;
class QDialog;
class QObject;
class QPushButton;
class QStringListModel;
class QWidget;

// What the settings dialogs do alike with their lists; the entries come from OptionTexts.
namespace SettingsLists
{

// One model shared by several lists: filling it once fills them all. The model belongs to
// `owner`; the lists must never clear it, as that would empty their siblings.
QStringListModel *shareEntries(QObject *owner, const QStringList &entries,
                               const QList<QComboBox *> &lists);

// Shows position `v`, or nothing when `v` lies outside the list, so an unknown value is never
// replaced by a guess.
void selectPosition(QComboBox *list, int v);

// The "Close" button at the right of the dialog's last row.
QPushButton *addCloseButton(QDialog *dialog, QBoxLayout *layout);

// Places `dialog` centred over the window of `parent`, once its size is known.
void centreOver(QDialog *dialog, QWidget *parent);

} // namespace SettingsLists
