#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

#include <csignal>

// Runs orvandel-mx-sim and learns its device from the first line it prints.
class SimProcess
{
public:
    explicit SimProcess(QString program) : m_program(std::move(program)) {}
    ~SimProcess() { stop(); }

    // Standard input from a file rather than from the test.
    void setInputFile(const QString &path) { m_process.setStandardInputFile(path); }
    QByteArray errors() { return m_process.readAllStandardError(); }

    bool start(const QStringList &arguments)
    {
        m_process.start(m_program, arguments);
        while (m_process.waitForStarted(5000) && !m_process.canReadLine() &&
               m_process.waitForReadyRead(5000)) {
        }
        device = QString::fromLocal8Bit(m_process.readLine()).trimmed();
        return !device.isEmpty();
    }

    // As if typed on the program's standard input.
    void type(const QByteArray &text)
    {
        m_process.write(text);
        m_process.waitForBytesWritten(5000);
    }

    // Interrupts the program as a user would; its exit code, or -1 when it had to be killed.
    int stop()
    {
        // One that does not stop is killed by QProcess when this goes.
        if (m_process.state() != QProcess::NotRunning &&
            ::kill(static_cast<pid_t>(m_process.processId()), SIGTERM) == 0)
            m_process.waitForFinished(5000);
        return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
    }

    QString device;

private:
    QString m_program;
    QProcess m_process;
};
