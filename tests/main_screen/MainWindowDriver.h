#pragma once

#include "FakeFileDialogs.h"
#include "FakePrompts.h"
#include "GridModel.h"
#include "ProgrammingGrid.h"
#include "frmMain.h"

#include <QAction>
#include <QDialog>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

// Drives the main window as a user does: mouse events go to the window at client points.
class MainWindowDriver
{
public:
    modOVMXConfig doc;
    FakePrompts prompts;
    FakeFileDialogs fileDialogs;
    frmMain window{doc, prompts, fileDialogs};
    // The windows run, by class and caption line (lblMapDef); `onDialog` acts in them.
    struct Opened {
        QString className;
        QString mapDef;
    };
    QList<Opened> opened;
    std::function<void(QDialog &)> onDialog;

    MainWindowDriver()
    {
        window.setDialogRunner([this](QDialog &dialog) {
            const auto *mapDef = dialog.findChild<QLabel *>(QStringLiteral("lblMapDef"));
            opened.append({QString::fromLatin1(dialog.metaObject()->className()),
                           mapDef ? mapDef->text() : QString()});
            if (onDialog)
                onDialog(dialog);
            return int(QDialog::Accepted);
        });
    }

    bool show()
    {
        window.show();
        return QTest::qWaitForWindowExposed(&window);
    }
    void trigger(const QString &action) { child<QAction>(action)->trigger(); }
    const GridModel &model() const { return window.grid()->model(); }
    QPoint toWindow(QPoint client) const { return window.centralWidget()->mapTo(&window, client); }
    void clickAt(QPoint client)
    {
        QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, toWindow(client));
    }
    void moveTo(QPoint client) { QTest::mouseMove(window.windowHandle(), toWindow(client)); }
    // A point inside cell k, clear of its borders.
    static QPoint inCell(int k) { return GridModel::cellRect(k).topLeft() + QPoint(5, 8); }
    template <typename T> T *child(const QString &name) const
    {
        return window.findChild<T *>(name);
    }
};

// Keeps the tool's data directory out of the real documents folder.
class IsolatedHome
{
public:
    IsolatedHome()
    {
        qputenv("HOME", m_dir.path().toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", (m_dir.path() + QStringLiteral("/.config")).toLocal8Bit());
    }
    QString path() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
};

// The title and text of the last question or message, to compare in one line.
inline QStringList lastPrompt(const FakePrompts &prompts)
{
    return prompts.calls.isEmpty() ? QStringList()
                                   : QStringList{prompts.last().title, prompts.last().text};
}
