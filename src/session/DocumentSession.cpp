#include "DocumentSession.h"

#include "BackupStore.h"
#include "ConfigDiff.h"
#include "DataDirectory.h"
#include "UnknownValues.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QUndoStack>

namespace
{
const QString NoFile = QStringLiteral("None");
const QString ProgramTitle = QStringLiteral("Tevara Orvandel");
const QString RecentKey = QStringLiteral("recentFiles");
// Two 2 KB images a step: two hundred steps stay under a megabyte.
constexpr int HistoryLimit = 200;

// The tool's only settings of its own: which files it had open, never the programming.
QSettings settings() { return QSettings(QStringLiteral("Tevara"), QStringLiteral("orvandel-mx")); }

// The image without the port choice, which belongs to the machine, not to the programming.
modOVMXConfig::Image programming(const modOVMXConfig::Image &image, int port = 0)
{
    modOVMXConfig copy;
    copy.setImage(image);
    copy.SetComPort(port);
    return copy.image();
}
} // namespace

// A step keeps the image before and after, so no window needs to know about the history.
class ImageStep : public QUndoCommand
{
public:
    ImageStep(DocumentSession &session, const modOVMXConfig::Image &before,
              const modOVMXConfig::Image &after, const QString &name)
        : QUndoCommand(name), m_session(session), m_before(before), m_after(after)
    {
    }
    void undo() override { m_session.restoreProgramming(m_before); }
    void redo() override
    {
        // Pushed once the change is already in the document.
        if (m_done)
            m_session.restoreProgramming(m_after);
        m_done = true;
    }

private:
    DocumentSession &m_session;
    const modOVMXConfig::Image m_before, m_after;
    bool m_done = false;
};

DocumentSession::DocumentSession(modOVMXConfig &doc, Prompts &prompts, FileDialogs &fileDialogs,
                                 QObject *parent)
    : QObject(parent), m_doc(doc), m_prompts(prompts), m_fileDialogs(fileDialogs),
      m_history(new QUndoStack(this))
{
    m_history->setUndoLimit(HistoryLimit);
    // Back at the last opened or saved programming there is nothing to lose, unless the port
    // chosen since, which no step holds, differs from the one opened or saved.
    connect(m_history, &QUndoStack::indexChanged, this, [this] {
        m_doc.ConfigModified = !m_history->isClean() || m_doc.GetComPort() != m_savedPort;
    });
}

DocumentSession::~DocumentSession()
{
    // The history clears itself on the way out: the document's flag must not follow it there.
    m_history->disconnect(this);
}

QString DocumentSession::title() const
{
    return m_doc.BaseTitle + QStringLiteral("   -   ") + m_doc.DataFileName;
}

void DocumentSession::start(const QString &baseTitle)
{
    DataDirectory::ensureExists();
    m_doc.NewConfiguration();
    m_doc.BaseTitle = baseTitle;
    m_doc.DataFileName = NoFile;
    Q_EMIT documentChanged();
    markUnmodified();
    m_doc.ExitConfirmed = false;
}

bool DocumentSession::reportFailure(const modOVMXConfig::FileResult &result)
{
    if (result.ok)
        return false;
    m_prompts.message(QStringLiteral("Error"), result.error, Prompts::Icon::Critical);
    return true;
}

// A value this tool has no setting for is kept as it is, so saving gives the file back
// unchanged; the user is told once instead of being shown a screen that looks complete.
void DocumentSession::reportUnknownValues(const QString &source)
{
    const UnknownValues::Report report = UnknownValues::report(m_doc, source);
    if (!report.text.isEmpty())
        m_prompts.message(QStringLiteral("Unknown Values"), report.text, Prompts::Icon::Warning,
                          report.details);
}

bool DocumentSession::discardChanges()
{
    return !m_doc.ConfigModified ||
           m_prompts.askYesNo(ProgramTitle, QStringLiteral("Discard Any Changes?"));
}

void DocumentSession::markUnmodified()
{
    m_doc.ConfigModified = false;
    m_savedPort = m_doc.GetComPort();
}

bool DocumentSession::FileNew()
{
    if (!discardChanges())
        return false;
    m_doc.DataFileName = NoFile;
    m_doc.NewConfiguration();
    Q_EMIT documentChanged();
    markUnmodified();
    m_history->clear();
    return true;
}

bool DocumentSession::openFile(const QString &path)
{
    // The name changes only once the image has been read, so a failed read leaves the
    // document, its name and its modified state exactly as they were.
    if (reportFailure(m_doc.readFile(path)))
        return false;
    m_doc.DataFileName = path;
    Q_EMIT documentChanged();
    markUnmodified();
    m_history->clear();
    rememberFile(path);
    reportUnknownValues(QStringLiteral("The file \"%1\"").arg(QDir::toNativeSeparators(path)));
    return true;
}

void DocumentSession::FileOpen()
{
    if (!discardChanges())
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

void DocumentSession::FileSave()
{
    if (m_doc.DataFileName == NoFile)
        return FileSaveAs();
    if (reportFailure(m_doc.WriteDataFile()))
        return;
    markUnmodified();
    m_history->setClean();
    rememberFile(m_doc.DataFileName);
}

void DocumentSession::FileSaveAs()
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

bool DocumentSession::openBackup()
{
    if (!discardChanges())
        return false;
    const QString folder = BackupStore::directory();
    QDir().mkpath(folder);
    const QString name = m_fileDialogs.getOpenFileName(
        QDir::toNativeSeparators(folder + QStringLiteral("/*.OMX")), DataDirectory::fileFilter());
    return !name.isEmpty() && openFile(name);
}

bool DocumentSession::confirmExit()
{
    if (m_doc.ConfigModified) {
        if (!m_prompts.askYesNo(QStringLiteral("Exit Program"), QStringLiteral("Discard Changes?")))
            return false;
        m_doc.ExitConfirmed = true;
    }
    return true;
}

bool DocumentSession::mayClose() { return m_doc.ExitConfirmed || confirmExit(); }

std::optional<DocumentSession::Comparison> DocumentSession::compareWith()
{
    const QString preset = DataDirectory::presetFileName();
    const QString name = m_fileDialogs.getOpenFileName(preset, DataDirectory::fileFilter());
    if (name.isEmpty() || name == preset)
        return std::nullopt;
    modOVMXConfig other;
    if (reportFailure(other.readFile(name)))
        return std::nullopt;
    return Comparison{ConfigDiff::describeDifferences(m_doc, other),
                      QStringLiteral("Each line reads: this tool's setting → the setting in ") +
                          QFileInfo(name).fileName() + QLatin1Char('.')};
}

QStringList DocumentSession::recentFiles() const
{
    return settings().value(RecentKey).toStringList().mid(0, RecentCount);
}

void DocumentSession::rememberFile(const QString &path)
{
    QStringList files = recentFiles();
    files.removeAll(path);
    files.prepend(path);
    settings().setValue(RecentKey, files.mid(0, RecentCount));
    Q_EMIT recentFilesChanged();
}

void DocumentSession::forgetFile(const QString &path)
{
    QStringList files = recentFiles();
    files.removeAll(path);
    settings().setValue(RecentKey, files);
    Q_EMIT recentFilesChanged();
}

void DocumentSession::openRecent(int n)
{
    const QStringList files = recentFiles();
    if (n < 0 || n >= files.size() || !discardChanges())
        return;
    // Reported as any failed Open is; a file that no longer opens leaves the list.
    if (!openFile(files[n]))
        forgetFile(files[n]);
}

bool DocumentSession::pushStep(const modOVMXConfig::Image &before, const QString &name)
{
    const modOVMXConfig::Image after = m_doc.image();
    if (programming(before) == programming(after))
        return false;
    m_history->push(new ImageStep(*this, before, after, name));
    return true;
}

void DocumentSession::restoreProgramming(const modOVMXConfig::Image &image)
{
    m_doc.setImage(programming(image, m_doc.GetComPort()));
    Q_EMIT programmingRestored();
}
