#pragma once

#include "frmDimmerSettings.h"
#include "frmPCInputs.h"
#include "frmPilots.h"
#include "frmRelayPowerOn.h"
#include "modOVMXConfig.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDialog>
#include <QTest>

#include <memory>

namespace SettingsTestKit
{

inline std::unique_ptr<QDialog> makeDialog(const QString &name, modOVMXConfig &doc,
                                           Prompts &prompts, QWidget *parent = nullptr)
{
    if (name == QLatin1String("frmRelayPowerOn"))
        return std::make_unique<frmRelayPowerOn>(doc, prompts, parent);
    if (name == QLatin1String("frmDimmerSettings"))
        return std::make_unique<frmDimmerSettings>(doc, prompts, parent);
    if (name == QLatin1String("frmPilots"))
        return std::make_unique<frmPilots>(doc, prompts, parent);
    if (name == QLatin1String("frmPCInputs"))
        return std::make_unique<frmPCInputs>(doc, prompts, parent);
    return nullptr;
}

// A document as the tool has it after start-up: the defaults, unmodified.
inline void startClean(modOVMXConfig &doc)
{
    doc.NewConfiguration();
    doc.ConfigModified = false;
}

template <typename T> T *child(const QWidget *dialog, const QString &name)
{
    T *found = dialog->findChild<T *>(name);
    if (!found)
        qWarning("no control named %s", qPrintable(name));
    return found;
}

inline QStringList entries(const QComboBox *list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out.append(list->itemText(i));
    return out;
}

// Opens the list, moves to `position` as the mouse would, and takes it with Return.
inline void chooseEntry(QComboBox *list, int position)
{
    list->showPopup();
    QAbstractItemView *view = list->view();
    view->setCurrentIndex(list->model()->index(position, 0));
    QTest::keyClick(view, Qt::Key_Return);
}

} // namespace SettingsTestKit
