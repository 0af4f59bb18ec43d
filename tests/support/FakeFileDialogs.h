#pragma once

#include "Prompts.h"

#include <QList>
#include <QString>
#include <QStringList>

// Records every file dialog shown and answers with the next scripted name ("" cancels).
// A dialog beyond the script is cancelled and counted.
class FakeFileDialogs : public FileDialogs
{
public:
    enum class Kind { Open, Save };
    struct Call {
        Kind kind;
        QString presetName;
        QString filter;
    };

    QList<Call> calls;
    QStringList answers;
    int unscripted = 0;

    const Call &last() const { return calls.last(); }

    QString getOpenFileName(const QString &presetName, const QString &filter) override
    {
        return answer(Kind::Open, presetName, filter);
    }
    QString getSaveFileName(const QString &presetName, const QString &filter) override
    {
        return answer(Kind::Save, presetName, filter);
    }

private:
    QString answer(Kind kind, const QString &presetName, const QString &filter)
    {
        calls.append({kind, presetName, filter});
        if (answers.isEmpty()) {
            ++unscripted;
            return QString();
        }
        return answers.takeFirst();
    }
};
