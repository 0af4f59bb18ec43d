// The File menu: new, open, save, save as and exit, and the title that names the file.
#include "frmMain.h"

#include "DataDirectory.h"

#include <QUndoStack>

namespace
{
const QString NoFile = QStringLiteral("None");
const QString ProgramTitle = QStringLiteral("Tevara Orvandel");
const QString ExitTitle = QStringLiteral("Exit Program");
} // namespace

bool frmMain::reportFailure(const modOVMXConfig::FileResult &result)
{
    if (result.ok)
        return false;
    m_prompts.message(QStringLiteral("Error"), result.error, Prompts::Icon::Critical);
    return true;
}

void frmMain::mnuFileNew_Click()
{
    if (m_doc.ConfigModified &&
        !m_prompts.askYesNo(ProgramTitle, QStringLiteral("Discard Any Changes?")))
        return;
    m_doc.DataFileName = NoFile;
    ShowTitle();
    m_doc.NewConfiguration();
    ShowControl();
    m_doc.ConfigModified = false;
    m_history->clear();
}

bool frmMain::openFile(const QString &path)
{
    // The name changes only once the image has been read, so a failed read leaves the
    // document, its name and its modified state exactly as they were.
    if (reportFailure(m_doc.readFile(path)))
        return false;
    m_doc.DataFileName = path;
    ShowControl();
    m_doc.ConfigModified = false;
    m_history->clear();
    rememberFile(path);
    return true;
}

void frmMain::FileOpen()
{
    if (m_doc.ConfigModified &&
        !m_prompts.askYesNo(ProgramTitle, QStringLiteral("Discard Any Changes?")))
        return;
    QString preset;
    if (!m_firstFileDialog) {
        preset = DataDirectory::presetFileName();
        m_firstFileDialog = true;
    }
    const QString name = m_fileDialogs.getOpenFileName(preset, DataDirectory::fileFilter());
    if (name.isEmpty() || name == DataDirectory::presetFileName())
        return;
    openFile(name);
}

void frmMain::FileSave()
{
    if (reportFailure(m_doc.WriteDataFile()))
        return;
    m_doc.ConfigModified = false;
    m_history->setClean();
    rememberFile(m_doc.DataFileName);
}

void frmMain::FileSaveAs()
{
    const QString preset = DataDirectory::presetFileName();
    m_firstFileDialog = true;
    const QString name = m_fileDialogs.getSaveFileName(preset, DataDirectory::fileFilter());
    if (name.isEmpty() || name == preset)
        return;
    // Written under exactly the chosen name; the document takes the name only once it is there.
    if (reportFailure(m_doc.writeFile(name)))
        return;
    m_doc.DataFileName = name;
    m_doc.ConfigModified = false;
    m_history->setClean();
    rememberFile(name);
}

void frmMain::mnuFileOpen_Click()
{
    FileOpen();
    ShowTitle();
}

void frmMain::mnuFileSave_Click()
{
    if (m_doc.DataFileName == NoFile)
        FileSaveAs();
    else
        FileSave();
    ShowTitle();
}

void frmMain::mnuFileSaveAs_Click()
{
    FileSaveAs();
    ShowTitle();
}

void frmMain::mnuExit_Click()
{
    if (m_doc.ConfigModified) {
        if (!m_prompts.askYesNo(ExitTitle, QStringLiteral("Discard Changes?")))
            return;
        m_doc.ExitConfirmed = true;
    }
    close();
}
