#pragma once

#include "Prompts.h"

#include <QPointer>
#include <QWidget>

// The boxes and file dialogs of a window that is not modal. They show over the main window, and
// as one closes the window manager activates the main window and raises it over this one: each
// answer hands the activation back, so the window that asked stays in front.
class OwnDialogs : public Prompts, public FileDialogs
{
public:
    OwnDialogs(Prompts &prompts, FileDialogs &fileDialogs, QWidget *window)
        : m_prompts(prompts), m_fileDialogs(fileDialogs), m_window(window)
    {
    }

    bool askYesNo(const QString &title, const QString &text) override;
    Answer askYesNoCancel(const QString &title, const QString &text) override;
    void message(const QString &title, const QString &text, Icon icon,
                 const QString &details = {}) override;
    QString getOpenFileName(const QString &presetName, const QString &filter) override;
    QString getSaveFileName(const QString &presetName, const QString &filter) override;

private:
    void handBack();

    Prompts &m_prompts;
    FileDialogs &m_fileDialogs;
    QPointer<QWidget> m_window;
};
