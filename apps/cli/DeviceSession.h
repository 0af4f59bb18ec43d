#pragma once

#include "CliCommand.h"
#include "Prompts.h"
#include "StatusReply.h"
#include "SystemSerialLink.h"
#include "modOVMXCommunications.h"

#include <functional>
#include <memory>
#include <optional>
#include <utility>

class modOVMXConfig;

// What every device command shares: the connection, and the words for its failures.
namespace DeviceCommands
{

// Messages on the terminal: the lines of a box, without its buttons.
class TerminalPrompts : public Prompts
{
public:
    TerminalPrompts(const Cli::Invocation &cli, bool firstLineOnly)
        : m_cli(cli), m_firstLineOnly(firstLineOnly)
    {
    }
    bool askYesNo(const QString &, const QString &text) override
    {
        m_cli.note(text + QStringLiteral(" No (not asked on the command line)"));
        return false;
    }
    Answer askYesNoCancel(const QString &title, const QString &text) override
    {
        return askYesNo(title, text) ? Answer::Yes : Answer::No;
    }
    void message(const QString &, const QString &text, Icon icon, const QString & = {}) override
    {
        if (m_holdCompletion && icon == Icon::NoIcon) {
            m_held << text;
            return;
        }
        const QStringList lines = text.split(QStringLiteral("\r\n"));
        for (const QString &line : m_firstLineOnly ? lines.mid(0, 1) : lines)
            m_cli.note(line);
    }
    // A transfer's "Complete" waits for what the command does with it: an upload is complete
    // once its file is written.
    void holdCompletion() { m_holdCompletion = true; }
    void releaseCompletion()
    {
        for (const QString &text : std::exchange(m_held, {}))
            m_cli.note(text);
    }

private:
    const Cli::Invocation &m_cli;
    bool m_firstLineOnly;
    bool m_holdCompletion = false;
    QStringList m_held;
};

// "      12 ms sent        [270001]"
QString traceLine(const modOVMXCommunications::TraceEvent &e);

// One connection as a command uses it: the port, the protocol, and the words for failures.
struct Session {
    const Cli::Invocation &cli;
    QString portText = QStringLiteral("COM1"); // as the user gave it
    QString device{};                          // what it reaches, once tried
    std::unique_ptr<SystemSerialLink> port = std::make_unique<SystemSerialLink>();
    std::unique_ptr<modOVMXCommunications> comm = std::make_unique<modOVMXCommunications>(*port);
    int portNumber = 1;

    // "COM3", "COM3=/dev/ttyUSB1" or a device path, which then stands for COM1.
    bool choosePort(const QString &text, QString *problem);
    // "/tmp/ovmx (/dev/pts/3)", or the device alone when the user named it so.
    QString where() const;
    // Opens the port; says why not in one line.
    bool connect();
    // The last exchange failed: one line a script can show, with what a person should check.
    // Returns Cli::ControllerUnreadable. `then` follows the advice: the way on, if there is one.
    int unreachable(const QString &what, const QString &then = {});
    std::optional<ControllerStatus> readStatus();
    // Outputs 3 and 4 exist on an MX-4 only; asking an MX-2 for one is a mistake of use.
    // Returns Cli::UsageError.
    int refuseOutput(const char *kind, int n);
    // On an MX-2, names the relays and dimmers 3-4 that `doc` drives.
    void warnModel(const ControllerStatus &status, const modOVMXConfig &doc);
};

// While it lives, Ctrl-C ends a watch at its next reading instead of ending the program at once,
// so the port is closed and the last words are written.
class Interruption
{
public:
    Interruption();
    ~Interruption();
    Interruption(const Interruption &) = delete;
    Interruption &operator=(const Interruption &) = delete;
    bool happened() const;

private:
    void (*m_previous)(int) = nullptr;
};

// Runs `body` on a session with the invocation's --port and --trace, then closes the port.
int withSession(const Cli::Invocation &cli, const std::function<int(Session &)> &body);

} // namespace DeviceCommands
