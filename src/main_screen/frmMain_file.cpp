// The File menu: new, open, save, save as and exit, and the title that names the file.
#include "frmMain.h"

#include "BackupStore.h"
#include "DataDirectory.h"
#include "UnknownValues.h"

#include <QDir>

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

// A value this tool has no setting for is kept as it is, so saving gives the file back
// unchanged; the user is told once instead of being shown a screen that looks complete.
void frmMain::reportUnknownValues(const QString &source)
{
    const UnknownValues::Report report = UnknownValues::report(m_doc, source);
    if (!report.text.isEmpty())
        m_prompts.message(QStringLiteral("Unknown Values"), report.text, Prompts::Icon::Warning,
                          report.details);
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
    markUnmodified();
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
    markUnmodified();
    m_history->clear();
    rememberFile(path);
    reportUnknownValues(QStringLiteral("The file \"%1\"").arg(QDir::toNativeSeparators(path)));
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
    markUnmodified();
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
    markUnmodified();
    m_history->setClean();
    rememberFile(name);
}

void frmMain::mnuFileOpen_Click()
{
    FileOpen();
    ShowTitle();
}

// The connection window's way to the controllers' settings kept at Connect: the file dialog
// starts in their folder, and the file opens as any data file does.
bool frmMain::openBackup()
{
    if (m_doc.ConfigModified &&
        !m_prompts.askYesNo(ProgramTitle, QStringLiteral("Discard Any Changes?")))
        return false;
    const QString folder = BackupStore::directory();
    QDir().mkpath(folder);
    const QString name = m_fileDialogs.getOpenFileName(
        QDir::toNativeSeparators(folder + QStringLiteral("/*.OMX")), DataDirectory::fileFilter());
    const bool opened = !name.isEmpty() && openFile(name);
    ShowTitle();
    return opened;
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
