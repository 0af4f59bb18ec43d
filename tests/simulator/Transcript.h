#pragma once

#include "../support/ExpectedText.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

// Program runs written down as a user sees them: the command as typed, everything it printed
// on both channels in order, and its exit code. Names that change from run to run (a scratch
// folder, a pseudo-terminal) and the trace's milliseconds are written as fixed words.
class Transcript
{
public:
    void name(const QString &word, const QString &real) { m_names.append({word, real}); }
    // Text that changes with the clock, matched by a pattern (multi-line: ^ starts each line).
    void pattern(const QString &regex, const QString &word)
    {
        m_patterns.append({QRegularExpression(regex, QRegularExpression::MultilineOption), word});
    }
    void line(const QString &text) { m_text += mask(text) + QLatin1Char('\n'); }

    int run(const QString &program, QStringList args)
    {
        line(QStringLiteral("$ ") + QFileInfo(program).fileName() + QLatin1Char(' ') +
             args.join(QLatin1Char(' ')));
        for (const auto &[word, real] : m_names)
            args.replaceInStrings(word, real);
        QProcess p;
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.start(program, args);
        p.waitForFinished(30000);
        m_text += mask(QString::fromUtf8(p.readAll()));
        line(QStringLiteral("exit %1").arg(p.exitCode()));
        return p.exitCode();
    }

    void compareWith(const QString &path) const { ExpectedText::compare(path, m_text.toUtf8()); }

private:
    QString mask(QString text) const
    {
        for (const auto &[word, real] : m_names)
            text.replace(real, word);
        static const QRegularExpression ms(QStringLiteral("^ *\\d+ ms "),
                                           QRegularExpression::MultilineOption);
        text.replace(ms, QStringLiteral("<t> ms "));
        for (const auto &[regex, word] : m_patterns)
            text.replace(regex, word);
        return text;
    }

    QList<std::pair<QString, QString>> m_names;
    QList<std::pair<QRegularExpression, QString>> m_patterns;
    QString m_text;
};
