// The menu bar: the file commands forward to the session, the Edit menu is its history, and the
// recent files are the session's.
#include "frmMain.h"

#include "ReportCommands.h"
#include "frmDifferences.h"

#include <QDir>
#include <QFileInfo>
#include <QMenuBar>
#include <QUndoStack>

namespace
{
QAction *addCommand(QWidget *menu, const char *name, const QString &caption,
                    const QKeySequence &keys = {})
{
    auto *action = new QAction(caption, menu);
    action->setObjectName(QLatin1String(name));
    action->setShortcut(keys);
    menu->addAction(action);
    return action;
}
} // namespace

void frmMain::forward(void (DocumentSession::*command)())
{
    (m_session.*command)();
    ShowTitle();
}

void frmMain::buildMenus()
{
    QMenu *file = buildFileMenu();
    buildEditMenu();
    QMenuBar *bar = menuBar();
    connect(addCommand(bar, "mnuRelayOptions", QStringLiteral("Relay Power-On")),
            &QAction::triggered, this, &frmMain::mnuRelayOptions_Click);
    connect(addCommand(bar, "mnuDimmerOptions", QStringLiteral("Dimmers Settings")),
            &QAction::triggered, this, &frmMain::mnuDimmerOptions_Click);
    connect(addCommand(bar, "mnuConnect", QStringLiteral("Connect")), &QAction::triggered, this,
            &frmMain::mnuConnect_Click);
    m_report =
        new ReportCommands(m_session, this, [this](QDialog &dialog) { return runDialog(dialog); });
    m_report->addTo(file, m_recentSeparator);
}

QMenu *frmMain::buildFileMenu()
{
    QMenu *file = menuBar()->addMenu(QStringLiteral("File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    connect(addCommand(file, "mnuFileNew", QStringLiteral("New"), Qt::CTRL | Qt::Key_N),
            &QAction::triggered, this, [this] {
                if (m_session.FileNew()) // a kept document keeps its title as it stands
                    ShowTitle();
            });
    const std::tuple<const char *, const char *, QKeySequence, void (DocumentSession::*)()>
        commands[] = {
            {"mnuFileOpen", "Open", Qt::CTRL | Qt::Key_O, &DocumentSession::FileOpen},
            {"mnuFileSave", "Save", Qt::CTRL | Qt::Key_S, &DocumentSession::FileSave},
            {"mnuFileSaveAs", "Save As", Qt::CTRL | Qt::SHIFT | Qt::Key_S,
             &DocumentSession::FileSaveAs},
        };
    for (const auto &[name, caption, keys, command] : commands)
        connect(addCommand(file, name, QLatin1String(caption), keys), &QAction::triggered, this,
                [this, command = command] { forward(command); });
    connect(addCommand(file, "mnuFileCompare", QStringLiteral("Compare With…")),
            &QAction::triggered, this, &frmMain::mnuFileCompare_Click);
    m_recentSeparator = file->addSeparator();
    for (int n = 0; n < DocumentSession::RecentCount; ++n) {
        QAction *recent = addCommand(file, "", QString(), Qt::CTRL | Qt::Key(Qt::Key_1 + n));
        recent->setObjectName(QStringLiteral("mnuRecent(%1)").arg(n));
        connect(recent, &QAction::triggered, this, [this, n] {
            m_session.openRecent(n);
            ShowTitle();
        });
        m_recent[static_cast<size_t>(n)] = recent;
    }
    showRecentFiles();
    file->addSeparator();
    connect(addCommand(file, "mnuExit", QStringLiteral("Exit"), Qt::CTRL | Qt::Key_Q),
            &QAction::triggered, this, [this] {
                if (m_session.confirmExit())
                    close();
            });
    return file;
}

void frmMain::buildEditMenu()
{
    QMenu *edit = menuBar()->addMenu(QStringLiteral("Edit"));
    edit->setObjectName(QStringLiteral("mnuEdit"));
    QAction *undo = m_session.history()->createUndoAction(edit, QStringLiteral("Undo"));
    undo->setObjectName(QStringLiteral("mnuUndo"));
    undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    QAction *redo = m_session.history()->createRedoAction(edit, QStringLiteral("Redo"));
    redo->setObjectName(QStringLiteral("mnuRedo"));
    redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    edit->addAction(undo);
    edit->addAction(redo);
}

void frmMain::showRecentFiles()
{
    const QStringList files = m_session.recentFiles();
    m_recentSeparator->setVisible(!files.isEmpty());
    for (int n = 0; n < DocumentSession::RecentCount; ++n) {
        QAction *recent = m_recent[static_cast<size_t>(n)];
        recent->setVisible(n < files.size());
        if (n < files.size()) {
            recent->setText(
                QStringLiteral("&%1 %2").arg(n + 1).arg(QFileInfo(files[n]).fileName()));
            recent->setStatusTip(QDir::toNativeSeparators(files[n]));
            recent->setToolTip(recent->statusTip());
        }
    }
}

void frmMain::mnuFileCompare_Click()
{
    if (const auto comparison = m_session.compareWith()) {
        frmDifferences window(comparison->differences, comparison->caption, this);
        runDialog(window);
    }
}
