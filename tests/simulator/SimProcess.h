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

    bool start(const QStringList &arguments)
    {
        m_process.start(m_program, arguments);
        if (!m_process.waitForStarted(5000))
            return false;
        while (!m_process.canReadLine()) {
            if (!m_process.waitForReadyRead(5000))
                return false;
        }
        device = QString::fromLocal8Bit(m_process.readLine()).trimmed();
        return !device.isEmpty();
    }

    // Interrupts the program as a user would; its exit code, or -1 when it had to be killed.
    int stop()
    {
        if (m_process.state() == QProcess::NotRunning)
            return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
        ::kill(static_cast<pid_t>(m_process.processId()), SIGTERM);
        if (!m_process.waitForFinished(5000)) {
            m_process.kill();
            m_process.waitForFinished(5000);
            return -1;
        }
        return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
    }

    QProcess &process() { return m_process; }
    QString device;

private:
    QString m_program;
    QProcess m_process;
};
