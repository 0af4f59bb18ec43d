#pragma once

#include "CliCommand.h"

// The copies of controllers' memories that `download` keeps before it writes (the same folder and
// names as the connection window's), listed by `orvandel-mx-cli backups`.
namespace Backups
{

// The backups, newest first, each with its time and how far it is from a new configuration.
int run(const Cli::Invocation &cli);

} // namespace Backups
