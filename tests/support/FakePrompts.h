#pragma once

#include "Prompts.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <initializer_list>

// Records every question and message and answers the questions from a script, in order.
// A question beyond the script is answered with `unscriptedAnswer` and counted, so a test can
// check that nothing was asked that it did not expect.
class FakePrompts : public Prompts
{
public:
    enum class Kind { Question, Message };
    struct Call {
        Kind kind;
        QString title;
        QString text;
        Icon icon;
        QString behind; // what `whatRunsBehind` said as the box showed
        QString details;
    };

    QList<Call> calls;
    QList<bool> answers;
    bool unscriptedAnswer = false;
    int unscripted = 0;
    // Asked as each box shows, while its caller waits on it: a test describes there what must
    // not run behind a box (the status poll, an open port).
    std::function<QString()> whatRunsBehind;

    void script(std::initializer_list<bool> replies) { answers.append(QList<bool>(replies)); }
    void clear()
    {
        calls.clear();
        answers.clear();
        unscripted = 0;
    }
    const Call &last() const { return calls.last(); }
    static QString iconName(Icon icon)
    {
        return QStringList{"information", "warning", "critical", "question", "no icon"}.at(
            int(icon));
    }

    bool askYesNo(const QString &title, const QString &text) override
    {
        calls.append({Kind::Question, title, text, Icon::Question, behind(), {}});
        if (answers.isEmpty()) {
            ++unscripted;
            return unscriptedAnswer;
        }
        return answers.takeFirst();
    }

    // Three-way questions take their answers from `choices`, else Yes or No from `answers`.
    QList<Answer> choices;
    Answer askYesNoCancel(const QString &title, const QString &text) override
    {
        if (choices.isEmpty())
            return askYesNo(title, text) ? Answer::Yes : Answer::No;
        calls.append({Kind::Question, title, text, Icon::Question, behind(), {}});
        return choices.takeFirst();
    }

    void message(const QString &title, const QString &text, Icon icon,
                 const QString &details = {}) override
    {
        calls.append({Kind::Message, title, text, icon, behind(), details});
    }

private:
    QString behind() const { return whatRunsBehind ? whatRunsBehind() : QString(); }
};
