// The File menu's additions: Compare With and the files last opened or saved.
#include "frmMain.h"

#include "ConfigDiff.h"
#include "DataDirectory.h"
#include "frmDifferences.h"

#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QSettings>

namespace
{
constexpr qsizetype RecentCount = 8;
const QString RecentKey = QStringLiteral("recentFiles");

// The tool's only settings of its own: which files it had open, never the programming.
QSettings settings() { return QSettings(QStringLiteral("Tevara"), QStringLiteral("orvandel-mx")); }
} // namespace

void frmMain::buildFileExtras(QMenu *file)
{
    m_fileMenu = file;
    auto *compare = file->addAction(QStringLiteral("Compare With…"));
    compare->setObjectName(QStringLiteral("mnuFileCompare"));
    connect(compare, &QAction::triggered, this, &frmMain::mnuFileCompare_Click);
    m_recentSeparator = file->addSeparator();
    for (int n = 0; n < RecentCount; ++n) {
        QAction *recent = file->addAction(QString());
        recent->setObjectName(QStringLiteral("mnuRecent(%1)").arg(n));
        recent->setShortcut(QKeySequence(Qt::CTRL | Qt::Key(Qt::Key_1 + n)));
        connect(recent, &QAction::triggered, this, [this, n] { mnuRecent_Click(n); });
        m_recent[static_cast<size_t>(n)] = recent;
    }
    showRecentFiles();
}

QStringList frmMain::recentFiles() const
{
    return settings().value(RecentKey).toStringList().mid(0, RecentCount);
}

void frmMain::showRecentFiles()
{
    const QStringList files = recentFiles();
    m_recentSeparator->setVisible(!files.isEmpty());
    for (int n = 0; n < RecentCount; ++n) {
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

void frmMain::rememberFile(const QString &path)
{
    QStringList files = recentFiles();
    files.removeAll(path);
    files.prepend(path);
    settings().setValue(RecentKey, files.mid(0, RecentCount));
    showRecentFiles();
}

void frmMain::forgetFile(const QString &path)
{
    QStringList files = recentFiles();
    files.removeAll(path);
    settings().setValue(RecentKey, files);
    showRecentFiles();
}

void frmMain::mnuRecent_Click(int n)
{
    const QStringList files = recentFiles();
    if (n < 0 || n >= files.size())
        return;
    if (m_doc.ConfigModified && !m_prompts.askYesNo(QStringLiteral("Tevara Orvandel"),
                                                    QStringLiteral("Discard Any Changes?")))
        return;
    // Reported as any failed Open is; a file that no longer opens leaves the list.
    if (!openFile(files[n]))
        forgetFile(files[n]);
    ShowTitle();
}

void frmMain::mnuFileCompare_Click()
{
    const QString preset = DataDirectory::presetFileName();
    const QString name = m_fileDialogs.getOpenFileName(preset, DataDirectory::fileFilter());
    if (name.isEmpty() || name == preset)
        return;
    modOVMXConfig other;
    if (reportFailure(other.readFile(name)))
        return;
    frmDifferences window(ConfigDiff::describeDifferences(m_doc, other),
                          QStringLiteral("Each line reads: this tool's setting → the setting in ") +
                              QFileInfo(name).fileName() + QLatin1Char('.'),
                          this);
    runDialog(window);
}
