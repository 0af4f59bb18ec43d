#pragma once

#include "CliCommand.h"

#include <span>

// The commands that work on data files alone: new, show, export, import, diff, fc.
namespace FileCommands
{

std::span<const Cli::Command> commands();

} // namespace FileCommands
