#pragma once

#include "Prompts.h"

#include <QList>
#include <QString>
#include <QStringList>

// Records every prompt and answers questions from a script, so flows that ask the user run
// without a modal box.
class FakePrompts : public Prompts
{
public:
    struct Call {
        QString kind; // "question" or "message"
        QString title;
        QString text;
        Icon icon = Icon::Question;
    };

    QList<Call> calls;
    QList<bool> answers;       // consumed in order by askYesNo
    bool defaultAnswer = true; // when the script has run out

    bool askYesNo(const QString &title, const QString &text) override
    {
        calls.append({QStringLiteral("question"), title, text, Icon::Question});
        return answers.isEmpty() ? defaultAnswer : answers.takeFirst();
    }
    void message(const QString &title, const QString &text, Icon icon) override
    {
        calls.append({QStringLiteral("message"), title, text, icon});
    }
    QStringList texts() const
    {
        QStringList out;
        for (const Call &c : calls)
            out.append(c.text);
        return out;
    }
};

// Returns scripted file names and records the preset names it was given.
class FakeFileDialogs : public FileDialogs
{
public:
    QStringList openAnswers, saveAnswers; // consumed in order; "" when empty
    QStringList openPresets, savePresets;
    QStringList filters;

    QString getOpenFileName(const QString &presetName, const QString &filter) override
    {
        openPresets.append(presetName);
        filters.append(filter);
        return openAnswers.isEmpty() ? QString() : openAnswers.takeFirst();
    }
    QString getSaveFileName(const QString &presetName, const QString &filter) override
    {
        savePresets.append(presetName);
        filters.append(filter);
        return saveAnswers.isEmpty() ? QString() : saveAnswers.takeFirst();
    }
};
