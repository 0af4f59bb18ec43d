#pragma once

#include "CliCommand.h"

// The commands that work on data files alone: new, show, export, import, diff, fc and check.
namespace FileCommands
{

int runNew(const Cli::Invocation &cli);
int runShow(const Cli::Invocation &cli);
int runExport(const Cli::Invocation &cli);
int runImport(const Cli::Invocation &cli);
int runDiff(const Cli::Invocation &cli);
int runFc(const Cli::Invocation &cli);
int runCheck(const Cli::Invocation &cli);

} // namespace FileCommands
