#pragma once

#include "CliCommand.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <span>

// The commands of orvandel-mx-cli that talk to a controller: verify, download, upload,
// status, relay and dimmer, and the list of the backups download keeps. Results go to `out`,
// the tool's messages to `err`; the exit codes are Cli::Exit's.
namespace DeviceCommands
{

struct Output {
    std::function<void(const QString &line)> out;
    std::function<void(const QString &line)> err;
};
Output standardOutput();

// The entry point: one device command by name with the arguments that follow it.
int run(const QString &name, const QStringList &args, const Output &io = standardOutput());

// The commands as entries of the command-line dispatcher's table.
std::span<const Cli::Command> commands();

} // namespace DeviceCommands
