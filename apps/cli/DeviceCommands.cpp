#include "DeviceCommands.h"

#include "CommTexts.h"
#include "ConfigDiff.h"
#include "Prompts.h"
#include "QSerialPortLink.h"
#include "StatusReply.h"
#include "modOVMXCommunications.h"
#include "modOVMXConfig.h"

#include <QThread>

#include <array>
#include <csignal>
#include <cstdio>
#include <memory>

namespace DeviceCommands
{

namespace
{
using Cli::Failed;
using Cli::Success;
using Cli::UsageError;

volatile std::sig_atomic_t g_interrupted = 0;
void onInterrupt(int) { g_interrupted = 1; }

// Messages on the terminal: the lines of a box, without its buttons.
class TerminalPrompts : public Prompts
{
public:
    TerminalPrompts(const Output &io, bool firstLineOnly) : m_io(io), m_firstLineOnly(firstLineOnly)
    {
    }
    bool askYesNo(const QString &, const QString &text) override
    {
        m_io.err(text + QStringLiteral(" No (not asked on the command line)"));
        return false;
    }
    void message(const QString &, const QString &text, Icon) override
    {
        const QStringList lines = text.split(QStringLiteral("\r\n"));
        for (const QString &line : m_firstLineOnly ? lines.mid(0, 1) : lines)
            m_io.err(line);
    }

private:
    const Output &m_io;
    bool m_firstLineOnly;
};

QString traceLine(const modOVMXCommunications::TraceEvent &e)
{
    static const char *const kinds[] = {"sent", "received", "discarded", "timed out",
                                        "port failed"};
    return QStringLiteral("%1 ms %2 %3")
        .arg(e.ms, 8)
        .arg(QLatin1String(kinds[static_cast<int>(e.kind)]), -11)
        .arg(QString::fromLatin1(e.data));
}

// One connection as a command uses it: the port, the protocol, and the words for failures.
struct Session {
    const Output &io;
    std::unique_ptr<QSerialPortLink> port = std::make_unique<QSerialPortLink>();
    std::unique_ptr<modOVMXCommunications> comm = std::make_unique<modOVMXCommunications>(*port);
    int portNumber = 1;

    bool connect()
    {
        const SerialPort::OpenResult result = comm->OpenPort(portNumber - 1);
        if (!result.ok) {
            io.err(CommTexts::unableToOpenPort());
            io.err(QStringLiteral("COM%1 is %2: %3")
                       .arg(portNumber)
                       .arg(result.device, result.reason));
        }
        return result.ok;
    }
    int lostController()
    {
        io.err(CommTexts::unableToConnect());
        return Failed;
    }
};

struct Parsed {
    QStringList positional;
    QString port;
    bool trace = false;
    bool watch = false;
    QString problem;
};

Parsed parse(const QStringList &args, bool allowWatch)
{
    Parsed p;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &a = args.at(i);
        if (a == QLatin1String("--trace"))
            p.trace = true;
        else if (a == QLatin1String("--watch") && allowWatch)
            p.watch = true;
        else if (a == QLatin1String("--port") && i + 1 < args.size())
            p.port = args.at(++i);
        else if (a.startsWith(QLatin1String("--port=")))
            p.port = a.mid(7);
        else if (a.startsWith(QLatin1String("--")))
            p.problem = QStringLiteral("unknown option \"%1\"").arg(a);
        else
            p.positional << a;
    }
    return p;
}

// "COM3", "COM3=/dev/ttyUSB1" or a device path, which then stands for COM1.
bool choosePort(const QString &portText, Session &s, QString *problem)
{
    if (portText.isEmpty())
        return true;
    if (const int n = PortMap::comNumber(portText)) {
        s.portNumber = n;
        return true;
    }
    if (portText.contains(QLatin1Char('=')) && !portText.startsWith(QLatin1Char('/'))) {
        if (!s.port->portMap().addOverride(portText, problem))
            return false;
        s.portNumber = PortMap::comNumber(portText.section(QLatin1Char('='), 0, 0));
        return true;
    }
    s.port->portMap().setOverride(1, portText);
    return true;
}

bool readFile(Session &s, const QString &file, modOVMXConfig &doc)
{
    const modOVMXConfig::FileResult read = doc.readFile(file);
    if (!read.ok)
        s.io.err(QStringLiteral("orvandel-mx-cli: ") + read.error);
    return read.ok;
}

int verify(Session &s, const QString &file)
{
    modOVMXConfig doc;
    if (!readFile(s, file, doc))
        return UsageError;
    if (!s.connect())
        return Failed;
    const modOVMXCommunications::VerifyResult result = s.comm->VerifySettings(doc);
    s.io.out(modOVMXCommunications::VerifyCaption(result.equal));
    if (result.equal)
        return Success;
    if (result.memoryRead) {
        // Read from FILE's point of view: "field: FILE's value → the controller's value".
        modOVMXConfig controller;
        controller.setImage(s.comm->ControllerCopy);
        for (const QString &line : ConfigDiff::describeDifferences(doc, controller))
            s.io.out(line);
    }
    return Failed;
}

int download(Session &s, const QString &file)
{
    modOVMXConfig doc;
    if (!readFile(s, file, doc))
        return UsageError;
    if (!s.connect())
        return Failed;
    TerminalPrompts prompts(s.io, false);
    return s.comm->DownloadSettings(doc, prompts, {s.io.err, {}}) ? Success : Failed;
}

int upload(Session &s, const QString &file)
{
    if (!s.connect())
        return Failed;
    // Only the first line: the command line keeps no host data that could be cleared.
    TerminalPrompts prompts(s.io, true);
    modOVMXConfig received;
    if (!s.comm->UploadSettings(received, prompts, {s.io.err, {}}))
        return Failed;
    if (const auto written = received.writeFile(file); !written.ok) {
        s.io.err(QStringLiteral("orvandel-mx-cli: ") + written.error);
        return UsageError;
    }
    return Success;
}

int status(Session &s, bool watch)
{
    if (!s.connect())
        return Failed;
    g_interrupted = 0;
    const auto previous = std::signal(SIGINT, onInterrupt);
    int code = Success;
    do {
        if (!s.comm->Transact(Frames::statusCommand(), Frames::StatusLength, Frames::ShortLimit)) {
            code = s.lostController();
            break;
        }
        for (const QString &line : describeStatus(DecodeStatus(s.comm->LastReply)))
            s.io.out(line);
        if (watch) {
            s.io.out(QString());
            QThread::msleep(250);
        }
    } while (watch && !g_interrupted);
    std::signal(SIGINT, previous);
    return code;
}

bool number(const QString &text, int min, int max, int *out)
{
    bool ok = false;
    *out = text.toInt(&ok);
    return ok && *out >= min && *out <= max;
}

int relay(Session &s, const QStringList &words)
{
    int n = 0;
    const QString state = words.value(1).toLower();
    if (!number(words.value(0), 1, 4, &n) ||
        (state != QLatin1String("on") && state != QLatin1String("off")))
        return -1;
    if (!s.connect())
        return Failed;
    const bool ok = s.comm->Transact(Frames::relayCommand(n - 1, state == QLatin1String("on")),
                                     Frames::AckLength, Frames::ShortLimit);
    return ok ? Success : s.lostController();
}

int dimmer(Session &s, const QStringList &words)
{
    int n = 0, level = 0;
    if (!number(words.value(0), 1, 4, &n) || !number(words.value(1), 0, 255, &level))
        return -1;
    if (!s.connect())
        return Failed;
    if (!s.comm->Transact(Frames::statusCommand(), Frames::StatusLength, Frames::ShortLimit))
        return s.lostController();
    if (!CommTexts::dimmersControllable(DecodeStatus(s.comm->LastReply).node)) {
        s.io.err(CommTexts::networkedDimmers());
        return Failed;
    }
    const bool ok = s.comm->Transact(Frames::dimmerCommand(n - 1, level), Frames::AckLength,
                                     Frames::ShortLimit);
    return ok ? Success : s.lostController();
}
} // namespace

Output standardOutput()
{
    return {[](const QString &line) {
                std::fputs(qPrintable(line + QLatin1Char('\n')), stdout);
                std::fflush(stdout);
            },
            [](const QString &line) { std::fputs(qPrintable(line + QLatin1Char('\n')), stderr); }};
}

std::span<const Cli::Command> commands()
{
    static const std::array<Cli::Command, 6> table = {{
        {"verify", "FILE [--port DEVICE|COMn] [--trace]",
         "compare the controller's settings with FILE and list the fields that differ",
         [](const QStringList &a) { return run(QStringLiteral("verify"), a); }},
        {"download", "FILE [--port DEVICE|COMn] [--trace]",
         "send FILE's settings to the controller",
         [](const QStringList &a) { return run(QStringLiteral("download"), a); }},
        {"upload", "FILE [--port DEVICE|COMn] [--trace]",
         "write the controller's settings to FILE, only once all of them arrived",
         [](const QStringList &a) { return run(QStringLiteral("upload"), a); }},
        {"status", "[--watch] [--port DEVICE|COMn] [--trace]",
         "show the controller's live status, once or four times a second until interrupted",
         [](const QStringList &a) { return run(QStringLiteral("status"), a); }},
        {"relay", "N on|off [--port DEVICE|COMn] [--trace]", "switch relay N (1-4)",
         [](const QStringList &a) { return run(QStringLiteral("relay"), a); }},
        {"dimmer", "N LEVEL [--port DEVICE|COMn] [--trace]", "set dimmer N (1-4) to LEVEL (0-255)",
         [](const QStringList &a) { return run(QStringLiteral("dimmer"), a); }},
    }};
    return table;
}

int run(const QString &name, const QStringList &args, const Output &io)
{
    const auto table = commands();
    const auto usage = std::find_if(table.begin(), table.end(), [&](const Cli::Command &c) {
        return name == QLatin1String(c.name);
    });
    const auto usageError = [&](const QString &problem) {
        const QString synopsis = usage == table.end() ? QString() : QLatin1String(usage->synopsis);
        io.err(QStringLiteral("orvandel-mx-cli: %1 (usage: orvandel-mx-cli %2 %3)")
                   .arg(problem, name, synopsis));
        return int(UsageError);
    };
    if (usage == table.end())
        return usageError(QStringLiteral("unknown device command \"%1\"").arg(name));
    const Parsed p = parse(args, name == QLatin1String("status"));
    if (!p.problem.isEmpty())
        return usageError(p.problem);
    Session s{io};
    QString problem;
    if (!choosePort(p.port, s, &problem))
        return usageError(problem);
    if (p.trace)
        s.comm->setTraceHook(
            [&io](const modOVMXCommunications::TraceEvent &e) { io.err(traceLine(e)); });

    const int expected = (name == QLatin1String("status"))                                     ? 0
                         : (name == QLatin1String("relay") || name == QLatin1String("dimmer")) ? 2
                                                                                               : 1;
    if (p.positional.size() != expected)
        return usageError(QStringLiteral("wrong number of arguments"));
    int code = -1;
    if (name == QLatin1String("verify"))
        code = verify(s, p.positional.first());
    else if (name == QLatin1String("download"))
        code = download(s, p.positional.first());
    else if (name == QLatin1String("upload"))
        code = upload(s, p.positional.first());
    else if (name == QLatin1String("status"))
        code = status(s, p.watch);
    else if (name == QLatin1String("relay"))
        code = relay(s, p.positional);
    else
        code = dimmer(s, p.positional);
    s.comm->ClosePort();
    return code < 0 ? usageError(QStringLiteral("bad arguments")) : code;
}

} // namespace DeviceCommands
