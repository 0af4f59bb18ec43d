#include "CliCommand.h"
#include "DeviceCommands.h"
#include "FileCommands.h"
#include "ReportCommand.h"

#include <QCoreApplication>

#include <vector>

namespace
{

// Every command group adds its table here.
std::vector<Cli::Command> allCommands()
{
    std::vector<Cli::Command> commands;
    for (const auto &group :
         {FileCommands::commands(), DeviceCommands::commands(), ReportCommand::commands()})
        commands.insert(commands.end(), group.begin(), group.end());
    return commands;
}

QString usage(const std::vector<Cli::Command> &commands)
{
    QString text = QStringLiteral("usage: orvandel-mx-cli COMMAND [ARGUMENTS]\n\n");
    for (const Cli::Command &c : commands)
        text += QStringLiteral("  %1\n      %2\n")
                    .arg(QStringLiteral("%1 %2")
                             .arg(QLatin1String(c.name), QLatin1String(c.synopsis))
                             .trimmed(),
                         QLatin1String(c.summary));
    text += QLatin1Char('\n') + QLatin1String(Cli::exitStatusText());
    return text;
}

} // namespace

int main(int argc, char *argv[])
{
    const auto app = ReportCommand::application(argc, argv);
    QStringList args = QCoreApplication::arguments().mid(1);
    const std::vector<Cli::Command> commands = allCommands();
    if (args.isEmpty())
        return Cli::fail(Cli::UsageError,
                         QStringLiteral("no command given; try orvandel-mx-cli help"));
    const QString name = args.takeFirst();
    if (name == QStringLiteral("help") || name == QStringLiteral("--help") ||
        name == QStringLiteral("-h")) {
        Cli::out(usage(commands));
        return Cli::Success;
    }
    for (const Cli::Command &c : commands)
        if (name == QLatin1String(c.name))
            return c.run(args);
    return Cli::fail(Cli::UsageError,
                     QStringLiteral("unknown command \"%1\"; try orvandel-mx-cli help").arg(name));
}
