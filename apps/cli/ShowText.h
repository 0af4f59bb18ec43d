#pragma once

#include "modOVMXConfig.h"

#include <QString>

// The whole programming of a configuration in words, laid out as the main screen shows it:
// the grid with its headings, then the side panels and the settings dialogs.
namespace ShowText
{

QString render(const modOVMXConfig &doc);

} // namespace ShowText
