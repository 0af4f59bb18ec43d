#pragma once

#include "Prompts.h"
#include "modOVMXConfig.h"

#include <QObject>
#include <QStringList>

#include <optional>

class QUndoStack;

// The document as the user works on it: the image, its file and modified state, the history of
// its programming, the files last opened or saved, and the flows of the file commands through
// the prompt and file-dialog seams. The main window shows it; tests drive it without a window.
class DocumentSession : public QObject
{
    Q_OBJECT
public:
    static constexpr int RecentCount = 8;

    // Differences from another file, in words, and the line that says how to read them.
    struct Comparison {
        QStringList differences;
        QString caption;
    };

    DocumentSession(modOVMXConfig &doc, Prompts &prompts, FileDialogs &fileDialogs,
                    QObject *parent = nullptr);
    ~DocumentSession() override;

    modOVMXConfig &document() { return m_doc; }
    Prompts &prompts() { return m_prompts; }
    FileDialogs &fileDialogs() { return m_fileDialogs; }
    // One step per window session, timed-off choice or upload that changed the programming.
    QUndoStack *history() const { return m_history; }
    // "<base title>   -   <file name or None>"
    QString title() const;
    // The files last opened or saved, newest first.
    QStringList recentFiles() const;

    // A new configuration, unmodified, as the tool starts.
    void start(const QString &baseTitle);
    // False when the user keeps the changes.
    bool FileNew();
    void FileOpen();
    // Opens a data file as File Open does once a name is chosen; a failure is reported and
    // leaves the document, its name and its state as they were.
    bool openFile(const QString &path);
    // Save As for a configuration never saved, otherwise written under its name.
    void FileSave();
    void FileSaveAs();
    void openRecent(int n);
    // The controllers' memories kept at Connect: the file dialog starts in their folder.
    bool openBackup();
    std::optional<Comparison> compareWith();
    // File Exit's question; false when the user keeps the changes.
    bool confirmExit();
    // The window's close button: asks unless Exit has asked already.
    bool mayClose();

    // A window session or list choice ended: the image before it, and its name as a step. True
    // when the programming changed and so became a step; the port choice never is one.
    bool pushStep(const modOVMXConfig::Image &before, const QString &name);
    // Announces values outside their codings; `source` names where they came from.
    void reportUnknownValues(const QString &source);
    // Reports a failed read or write; true when there was one.
    bool reportFailure(const modOVMXConfig::FileResult &result);

Q_SIGNALS:
    // The image was replaced: a new configuration, a file opened.
    void documentChanged();
    // Undo or redo put back an earlier programming.
    void programmingRestored();
    void recentFilesChanged();

private:
    friend class ImageStep;
    void restoreProgramming(const modOVMXConfig::Image &image);
    bool discardChanges();
    void markUnmodified();
    void rememberFile(const QString &path);
    void forgetFile(const QString &path);

    modOVMXConfig &m_doc;
    Prompts &m_prompts;
    FileDialogs &m_fileDialogs;
    QUndoStack *m_history;
    int m_savedPort = 0;
    bool m_firstFileDialog = false;
};
