#pragma once

#include "FakeFileDialogs.h"
#include "FakePrompts.h"
#include "IsolatedHome.h"
#include "ProgrammingGrid.h"
#include "frmMain.h"

#include <QAction>
#include <QDialog>
#include <QTest>

#include <functional>

// The main window, shown, driven as a user drives it; each window it opens runs through
// `onDialog` in place of a modal loop.
struct MainWindowDriver {
    modOVMXConfig doc;
    FakePrompts prompts;
    FakeFileDialogs fileDialogs;
    DocumentSession session{doc, prompts, fileDialogs};
    frmMain window{session};
    QStringList opened; // each window's class, then its lblMapDef and disable check box captions
    std::function<void(QDialog &)> onDialog = [](QDialog &) {};

    MainWindowDriver()
    {
        window.setDialogRunner([this](QDialog &dialog) {
            bool rejected = false; // by `onDialog`, as Cancel would
            QObject::connect(&dialog, &QDialog::rejected, &dialog,
                             [&rejected] { rejected = true; });
            opened << dialog.metaObject()->className();
            for (const char *name : {"lblMapDef", "chkInputDisableCls", "chkInputDisableOpn"})
                if (const auto *w = dialog.findChild<QWidget *>(QLatin1String(name)))
                    opened << w->property("text").toString();
            onDialog(dialog);
            return int(rejected ? QDialog::Rejected : QDialog::Accepted);
        });
        window.show();
    }
    // Runs a menu command or a shortcut, closes the window ("close"), or clicks (or moves
    // over) a control by its name, a cell by its index ("26") or a client point ("20,146").
    void use(const QString &target, bool click = true)
    {
        if (auto *action = window.findChild<QAction *>(target))
            return action->trigger();
        if (target == QLatin1String("close"))
            return void(window.close());
        if (target.startsWith(QLatin1String("Ctrl+")))
            return QTest::keySequence(&window, QKeySequence(target));
        const QWidget *grid = window.centralWidget(), *w = window.findChild<QWidget *>(target);
        const QStringList xy = target.split(',');
        const QPoint at = w ? w->mapTo(grid, w->rect().center())
                          : xy.size() == 2
                              ? QPoint(xy[0].toInt(), xy[1].toInt())
                              : GridModel::cellRect(xy[0].toInt()).topLeft() + QPoint(5, 8);
        if (click)
            QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, grid->mapTo(&window, at));
        else
            QTest::mouseMove(window.windowHandle(), grid->mapTo(&window, at));
    }
};
