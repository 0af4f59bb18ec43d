#pragma once

#include "../simulator/Transcript.h"

#include <QDateTime>
#include <QJsonDocument>
#include <QJsonObject>

#include <csignal>

// One orvandel-mx-cli run in the background, so several watch their controllers at once and a
// test can act on a controller while it is watched.
class MonitorRun
{
public:
    struct Start {
        QString program;
        QString dir; // what "<dir>" in the arguments stands for
    };
    MonitorRun(const Start &start, const QString &args) : m_args(args)
    {
        m_process.setProcessChannelMode(QProcess::MergedChannels);
        m_process.start(start.program, QString(args).replace("<dir>", start.dir).split(' '));
    }

    // Until its words hold `text`, or it ends.
    bool waitFor(const QByteArray &text)
    {
        while (!m_output.contains(text) && m_process.waitForReadyRead(10000))
            m_output += m_process.readAll();
        return m_output.contains(text);
    }

    // As Ctrl-C on its terminal.
    void interrupt() { ::kill(static_cast<pid_t>(m_process.processId()), SIGINT); }

    // Once it ends: the command as typed, its words and its exit code. Returns the words.
    QString writeTo(Transcript &t)
    {
        m_process.waitForFinished(15000);
        m_output += m_process.readAll();
        t.line("$ orvandel-mx-cli " + m_args);
        const QString words = QString::fromUtf8(m_output);
        for (const QString &line : words.split('\n', Qt::SkipEmptyParts))
            t.line(line);
        t.line(m_process.exitStatus() == QProcess::NormalExit
                   ? QStringLiteral("exit %1").arg(m_process.exitCode())
                   : QStringLiteral("killed"));
        return words;
    }

private:
    QString m_args;
    QProcess m_process;
    QByteArray m_output;
};

// Each line that starts with "{" parses as an object whose time follows the time before it.
inline bool jsonLinesInOrder(const QString &words)
{
    QDateTime last;
    for (const QString &line : words.split('\n')) {
        if (!line.startsWith('{'))
            continue;
        const QJsonDocument doc = QJsonDocument::fromJson(line.toUtf8());
        const QDateTime time =
            QDateTime::fromString(doc.object().value("time").toString(), Qt::ISODateWithMs);
        if (!doc.isObject() || !time.isValid() || (last.isValid() && time < last))
            return false;
        last = time;
    }
    return last.isValid();
}
