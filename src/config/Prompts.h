#pragma once

#include <QString>

// How the tool talks to the user: message boxes in the window, a script in tests, stderr on
// the command line. Texts and titles are passed exactly as the user is to see them.
class Prompts
{
public:
    // NoIcon: a plain box, as for "Download Complete" and the networked-dimmer notice.
    enum class Icon { Information, Warning, Critical, Question, NoIcon };

    virtual ~Prompts() = default;
    // A Yes/No question with the question icon; true for Yes.
    virtual bool askYesNo(const QString &title, const QString &text) = 0;
    enum class Answer { Yes, No, Cancel };
    // Yes, No and Cancel, for a question whose Cancel takes back what led to it.
    virtual Answer askYesNoCancel(const QString &title, const QString &text) = 0;
    // A message with an OK button; `details`, when given, is there for the user who asks.
    virtual void message(const QString &title, const QString &text, Icon icon,
                         const QString &details = {}) = 0;
};

// Open and save dialogs, given the preset name and the filter; "" when cancelled.
class FileDialogs
{
public:
    virtual ~FileDialogs() = default;
    virtual QString getOpenFileName(const QString &presetName, const QString &filter) = 0;
    virtual QString getSaveFileName(const QString &presetName, const QString &filter) = 0;
};
