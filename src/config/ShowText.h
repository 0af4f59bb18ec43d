#pragma once

#include "ConfigTexts.h"
#include "modOVMXConfig.h"

#include <QString>

#include <array>
#include <optional>

// The whole programming of a configuration in words, laid out as the main screen shows it:
// the grid with its headings, then the side panels and the settings dialogs.
namespace ShowText
{

QString render(const modOVMXConfig &doc);
// The same text in two parts: the title and the grid, whose rows are 200 columns wide, and
// everything after them.
std::array<QString, 2> renderParts(const modOVMXConfig &doc);
// The screen's texts for the image, where a value with no text of its own reads "?" instead
// of a stale caption: what a reader away from the window is shown.
ConfigTexts::ScreenTexts screenTexts(const modOVMXConfig &doc);
// A list entry's words, or the bare value marked "(no entry)" when no entry has it.
QString orNoEntry(const std::optional<QString> &text, int value);

} // namespace ShowText
