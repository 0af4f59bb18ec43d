#pragma once

#include "TableBlocks.h"
#include "modOVMXConfig.h"

#include <vector>

// The programming and the settings as tables, in the words of the editors and the settings
// dialogs. Output tables list only the inputs that act on each output, as the grid shows a
// cell that is not "-".
namespace ProgrammingTables
{

Table relays(const modOVMXConfig &doc);   // each relay: its inputs' close and open actions
Table dimmers(const modOVMXConfig &doc);  // each dimmer: its inputs' controls and tracking
Table disables(const modOVMXConfig &doc); // each input: the inputs that disable it

// Relay power-on, timed off and the port; pilots and photocell levels; dimmer settings.
Table relayPowerOn(const modOVMXConfig &doc);
Table timedOffAndPort(const modOVMXConfig &doc);
Table pilots(const modOVMXConfig &doc);
Table photocellLevels(const modOVMXConfig &doc);
Table dimmerSettings(const modOVMXConfig &doc);

} // namespace ProgrammingTables
