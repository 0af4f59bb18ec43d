#pragma once

#include "ControllerSimulator.h"

#include <QString>

#include <chrono>

// Serves a simulated controller on a pseudo-terminal, so programs reach it as a serial
// device. Single-threaded: an event loop reads requests and writes the replies when due, so
// the program can watch its keyboard and play a script on the same thread.
class PtyServer
{
public:
    enum class End { Stopped, Disconnected, Failed };

    explicit PtyServer(ControllerSimulator &controller) : m_controller(controller) {}
    ~PtyServer();
    PtyServer(const PtyServer &) = delete;
    PtyServer &operator=(const PtyServer &) = delete;

    bool open(QString *error);
    QString devicePath() const { return m_path; }
    // Replies leave one character every 10 bit times at 38400 bit/s, as on a real line.
    void setPaced(bool paced) { m_paced = paced; }
    // Serves until stopFd becomes readable (a signal's self-pipe), the controller drops the
    // line, or the terminal fails. Needs a QCoreApplication; runs its events meanwhile.
    End serve(int stopFd);
    void close();
    QString errorString() const { return m_error; }

    static constexpr std::chrono::nanoseconds CharacterTime{1'000'000'000LL * 10 / 38400};

private:
    struct Due {
        std::chrono::steady_clock::time_point at;
        QByteArray bytes;
    };
    bool readRequests();
    void sendDue();
    void send(const QByteArray &bytes);

    ControllerSimulator &m_controller;
    QList<Due> m_due;
    QString m_path;
    QString m_error;
    int m_master = -1;
    int m_slave = -1; // held open so the terminal lives while no client has it open
    bool m_paced = false;
    bool m_dropped = false;
};
