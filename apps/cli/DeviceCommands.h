#pragma once

#include "CliCommand.h"

// The commands of orvandel-mx-cli that talk to a controller: verify, download and upload
// (DeviceTransfers.cpp), status, relay, dimmer and identify (DeviceControls.cpp), monitor
// (DeviceMonitor.cpp). Each reaches the controller through --port, tracing with --trace.
namespace DeviceCommands
{

int verify(const Cli::Invocation &cli);
int download(const Cli::Invocation &cli);
int upload(const Cli::Invocation &cli);
int status(const Cli::Invocation &cli);
int relay(const Cli::Invocation &cli);
int dimmer(const Cli::Invocation &cli);
int identify(const Cli::Invocation &cli);
int monitor(const Cli::Invocation &cli);

} // namespace DeviceCommands
