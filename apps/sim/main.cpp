// orvandel-mx-sim: a simulated Orvandel MX controller on a pseudo-terminal.
#include "ControllerSimulator.h"
#include "LivePlayer.h"
#include "PtyServer.h"
#include "SimScript.h"
#include "modOVMXConfig.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace
{
int g_stopPipe[2] = {-1, -1};

void onSignal(int)
{
    const char c = 's';
    [[maybe_unused]] const ssize_t n = ::write(g_stopPipe[1], &c, 1);
}

int fail(const QString &text)
{
    std::fprintf(stderr, "orvandel-mx-sim: %s\n", qPrintable(text));
    return 2;
}

QString configure(const QCommandLineParser &args, ControllerSimulator &sim)
{
    if (args.isSet(QStringLiteral("load"))) {
        modOVMXConfig::Image image{};
        const auto result = modOVMXConfig::readImage(args.value(QStringLiteral("load")), image);
        if (!result.ok)
            return result.error;
        for (size_t i = 0; i < image.size(); ++i)
            sim.memory[i] = static_cast<uint8_t>(image[i]);
    }
    const QString model = args.value(QStringLiteral("model")).toUpper();
    if (model != QLatin1String("MX-4") && model != QLatin1String("MX-2"))
        return QStringLiteral("--model takes MX-4 or MX-2");
    sim.fourChannel = model == QLatin1String("MX-4");
    const QString node = args.value(QStringLiteral("node"));
    if (node.size() != 2 || node.toLatin1().size() != 2)
        return QStringLiteral("--node takes two characters, such as FF or 01");
    sim.node = node.toLatin1();
    QString error;
    for (const QString &fault : args.values(QStringLiteral("fault"))) {
        if (!sim.faults.add(fault, &error))
            return error;
    }
    return {};
}

// Every reason the script is refused, each naming the file.
QStringList readScript(const QCommandLineParser &args, ScriptPlayer &player)
{
    const QString path = args.value(QStringLiteral("script"));
    if (path.isEmpty())
        return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {QStringLiteral("Cannot open \"%1\": %2").arg(path, file.errorString())};
    // In pieces: a device that never ends (/dev/zero) is refused at its first line's length.
    ScriptReader reader;
    char buffer[4096];
    qint64 n = 0;
    while ((n = file.read(buffer, sizeof buffer)) > 0 && reader.feed({buffer, n})) {
    }
    if (n < 0)
        return {QStringLiteral("Cannot read \"%1\": %2").arg(path, file.errorString())};
    reader.finish();
    QStringList errors = reader.takeErrors();
    for (QString &error : errors)
        error.prepend(path + QStringLiteral(": "));
    for (const ScriptLine &line : reader.takeLines())
        player.add(line);
    return errors;
}

bool makeLink(const QString &link, const QString &target)
{
    const QByteArray path = QFile::encodeName(link);
    // Replaces a stale link of an earlier run, never a file.
    if (QFileInfo(link).isSymLink())
        ::unlink(path.constData());
    return ::symlink(QFile::encodeName(target).constData(), path.constData()) == 0;
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser args;
    args.setApplicationDescription(
        QStringLiteral(
            "A simulated Orvandel MX controller on a pseudo-terminal. Prints the device path, "
            "then serves until interrupted.\nFaults: ") +
        Faults::names().join(QStringLiteral(", ")));
    args.addHelpOption();
    args.addOptions({
        {QStringLiteral("link"), QStringLiteral("Make PATH a link to the device."),
         QStringLiteral("PATH")},
        {QStringLiteral("load"), QStringLiteral("Start with the memory of FILE.OMX."),
         QStringLiteral("FILE")},
        {QStringLiteral("model"), QStringLiteral("MX-4 (default) or MX-2."),
         QStringLiteral("MODEL"), QStringLiteral("MX-4")},
        {QStringLiteral("node"), QStringLiteral("Node field, FF (default) when not networked."),
         QStringLiteral("HH"), QStringLiteral("FF")},
        {QStringLiteral("fault"), QStringLiteral("Misbehave: NAME[=N]; may repeat."),
         QStringLiteral("NAME")},
        {QStringLiteral("pace"),
         QStringLiteral("Send replies at 38400 bit/s, 10 bits a character.")},
        {QStringLiteral("script"),
         QStringLiteral("Play the timed lines of FILE (\"1.5 press TB01-3\"); lines typed on "
                        "standard input act at once."),
         QStringLiteral("FILE")},
        {QStringLiteral("follow"),
         QStringLiteral(
             "Switch the relays by the loaded programming's plain on, off and toggle "
             "actions when inputs change: a demonstration, not the controller's logic.")},
    });
    if (!args.parse(app.arguments()))
        return fail(args.errorText());
    if (args.isSet(QStringLiteral("help"))) {
        std::printf("%s", qPrintable(args.helpText()));
        return 0;
    }
    if (!args.positionalArguments().isEmpty())
        return fail(
            QStringLiteral("unexpected argument \"%1\"").arg(args.positionalArguments().first()));

    ControllerSimulator sim;
    if (const QString error = configure(args, sim); !error.isEmpty())
        return fail(error);
    sim.followInputs = args.isSet(QStringLiteral("follow"));
    ScriptPlayer script;
    if (const QStringList errors = readScript(args, script); !errors.isEmpty()) {
        for (const QString &error : errors)
            fail(error);
        return 2;
    }

    PtyServer server(sim);
    server.setPaced(args.isSet(QStringLiteral("pace")));
    QString error;
    if (!server.open(&error))
        return fail(error);
    const QString link = args.value(QStringLiteral("link"));
    if (!link.isEmpty() && !makeLink(link, server.devicePath()))
        return fail(QStringLiteral("cannot make the link %1").arg(link));

    if (::pipe2(g_stopPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return fail(QStringLiteral("cannot make a pipe"));
    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
    // Started in the background of a shell, a read of the terminal then fails instead of
    // stopping the whole program.
    std::signal(SIGTTIN, SIG_IGN);

    std::printf("%s\n", qPrintable(server.devicePath()));
    std::fflush(stdout);
    LivePlayer player(sim, script);
    const PtyServer::End end = server.serve(g_stopPipe[0]);
    server.close();
    if (!link.isEmpty() && QFileInfo(link).symLinkTarget() == server.devicePath())
        ::unlink(QFile::encodeName(link).constData());
    if (end == PtyServer::End::Disconnected)
        std::fprintf(stderr, "orvandel-mx-sim: the line was dropped (disconnect fault)\n");
    if (end == PtyServer::End::Failed)
        return fail(server.errorString());
    return 0;
}
