#include "DeviceSession.h"

#include "CommTexts.h"
#include "ModelFit.h"

#include <QSettings>

#include <csignal>

namespace DeviceCommands
{

namespace
{
volatile std::sig_atomic_t g_interrupted = 0;
void onInterrupt(int) { g_interrupted = 1; }
} // namespace

Interruption::Interruption()
{
    g_interrupted = 0;
    m_previous = std::signal(SIGINT, onInterrupt);
}

Interruption::~Interruption() { std::signal(SIGINT, m_previous); }

bool Interruption::happened() const { return g_interrupted != 0; }

QString traceLine(const modOVMXCommunications::TraceEvent &e)
{
    static const char *const kinds[] = {"sent", "received", "discarded", "timed out",
                                        "port failed"};
    return QStringLiteral("%1 ms %2 %3")
        .arg(e.ms, 8)
        .arg(QLatin1String(kinds[static_cast<int>(e.kind)]), -11)
        .arg(QString::fromLatin1(e.data));
}

bool Session::choosePort(const QString &text, QString *problem)
{
    if (text.isEmpty())
        return true;
    portText = text;
    if (const int n = PortMap::comNumber(text)) {
        portNumber = n;
        return true;
    }
    if (text.contains(QLatin1Char('=')) && !text.startsWith(QLatin1Char('/'))) {
        if (!port->portMap().addOverride(text, problem))
            return false;
        portNumber = PortMap::comNumber(text.section(QLatin1Char('='), 0, 0));
        return true;
    }
    port->portMap().setOverride(1, text);
    return true;
}

QString Session::where() const { return CommTexts::where(portText, device); }

bool Session::connect()
{
    const SerialPort::OpenResult result = comm->OpenPort(portNumber - 1);
    device = result.device;
    if (!result.ok)
        cli.fail(Cli::ControllerUnreadable,
                 QStringLiteral("%1 %2: %3")
                     .arg(CommTexts::unableToOpenPort(), portText, result.reason));
    return result.ok;
}

int Session::unreachable(const QString &what, const QString &then)
{
    return cli.fail(Cli::ControllerUnreadable,
                    CommTexts::unreachable(where(), what, comm->LastFailure) + then);
}

std::optional<ControllerStatus> Session::readStatus()
{
    if (!comm->Transact(Frames::statusCommand(), Frames::StatusLength, Frames::ShortLimit))
        return std::nullopt;
    return DecodeStatus(comm->LastReply);
}

int Session::refuseOutput(const char *kind, int n)
{
    return cli.fail(Cli::UsageError,
                    QStringLiteral("the controller on %1 is an MX-2, which has %2s 1 "
                                   "and 2 only; %2 %3 was not changed")
                        .arg(where(), QLatin1String(kind))
                        .arg(n));
}

void Session::warnModel(const ControllerStatus &status, const modOVMXConfig &doc)
{
    const QString note = ModelFit::missingOnMX2Note(doc);
    if (!status.fourChannel && !note.isEmpty())
        cli.warn(QStringLiteral("the controller on %1 is an MX-2. %2").arg(where(), note));
}

int withSession(const Cli::Invocation &cli, const std::function<int(Session &)> &body)
{
    Session s{cli};
#ifdef Q_OS_WIN
    // The mappings the desktop tool keeps, so that COM3 reaches the same adapter from both.
    s.port->portMap().loadOverrides(
        QSettings(QStringLiteral("Tevara"), QStringLiteral("orvandel-mx")));
#endif
    QString problem;
    if (!s.choosePort(cli.value(QStringLiteral("port")), &problem))
        return cli.usageError(problem);
    if (cli.isSet(QStringLiteral("trace")))
        s.comm->setTraceHook(
            [&cli](const modOVMXCommunications::TraceEvent &e) { cli.note(traceLine(e)); });
    const int code = body(s);
    s.comm->ClosePort();
    return code;
}

} // namespace DeviceCommands
