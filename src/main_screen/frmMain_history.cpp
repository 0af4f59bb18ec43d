// Undo and redo: every session that changed the programming is one step holding the image
// before and after, so no dialog needs to know about the history.
#include "frmMain.h"

#include <QMenu>
#include <QMenuBar>
#include <QUndoStack>

namespace
{
// Two 2 KB images a step: two hundred steps stay under a megabyte.
constexpr int HistoryLimit = 200;

// The image without the port choice, which belongs to the machine, not to the programming.
modOVMXConfig::Image programming(const modOVMXConfig::Image &image, int port = 0)
{
    modOVMXConfig copy;
    copy.setImage(image);
    copy.SetComPort(port);
    return copy.image();
}
} // namespace

class ImageStep : public QUndoCommand
{
public:
    ImageStep(frmMain &window, const modOVMXConfig::Image &before,
              const modOVMXConfig::Image &after, const QString &name)
        : QUndoCommand(name), m_window(window), m_before(before), m_after(after)
    {
    }
    void undo() override { m_window.restoreProgramming(m_before); }
    void redo() override
    {
        // Pushed once the change is already in the document.
        if (m_done)
            m_window.restoreProgramming(m_after);
        m_done = true;
    }

private:
    frmMain &m_window;
    const modOVMXConfig::Image m_before, m_after;
    bool m_done = false;
};

void frmMain::buildEditMenu()
{
    m_history = new QUndoStack(this);
    m_history->setUndoLimit(HistoryLimit);
    QMenu *edit = menuBar()->addMenu(QStringLiteral("Edit"));
    edit->setObjectName(QStringLiteral("mnuEdit"));
    QAction *undo = m_history->createUndoAction(edit, QStringLiteral("Undo"));
    undo->setObjectName(QStringLiteral("mnuUndo"));
    undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    QAction *redo = m_history->createRedoAction(edit, QStringLiteral("Redo"));
    redo->setObjectName(QStringLiteral("mnuRedo"));
    redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    edit->addAction(undo);
    edit->addAction(redo);
    // Back at the last opened or saved programming there is nothing to lose, unless the port
    // chosen since, which no step holds, differs from the one opened or saved.
    connect(m_history, &QUndoStack::indexChanged, this, [this] {
        m_doc.ConfigModified = !m_history->isClean() || m_doc.GetComPort() != m_savedPort;
    });
}

bool frmMain::pushStep(const modOVMXConfig::Image &before, const QString &name)
{
    const modOVMXConfig::Image after = m_doc.image();
    if (programming(before) == programming(after))
        return false;
    m_history->push(new ImageStep(*this, before, after, name));
    return true;
}

void frmMain::markUnmodified()
{
    m_doc.ConfigModified = false;
    m_savedPort = m_doc.GetComPort();
}

void frmMain::restoreProgramming(const modOVMXConfig::Image &image)
{
    m_doc.setImage(programming(image, m_doc.GetComPort()));
    // The lists take the restored values without storing them again.
    m_refreshGuard = true;
    ShowControl();
    m_refreshGuard = false;
}
