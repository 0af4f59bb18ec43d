#pragma once

#include "Prompts.h"

#include <QList>
#include <QString>

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
    };

    QList<Call> calls;
    QList<bool> answers;
    bool unscriptedAnswer = false;
    int unscripted = 0;

    void script(std::initializer_list<bool> replies) { answers.append(QList<bool>(replies)); }
    void clear()
    {
        calls.clear();
        answers.clear();
        unscripted = 0;
    }
    const Call &last() const { return calls.last(); }

    bool askYesNo(const QString &title, const QString &text) override
    {
        calls.append({Kind::Question, title, text, Icon::Question});
        if (answers.isEmpty()) {
            ++unscripted;
            return unscriptedAnswer;
        }
        return answers.takeFirst();
    }

    void message(const QString &title, const QString &text, Icon icon) override
    {
        calls.append({Kind::Message, title, text, icon});
    }
};
