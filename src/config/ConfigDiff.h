#pragma once

#include "modOVMXConfig.h"

#include <QStringList>

// Two configurations compared in words, one line per difference, in word-map order.
namespace ConfigDiff
{

// Each field element that differs, "Relay 2 / Tamberline 01 Input 3: close action Turn On
// Relay → Toggle Relay Based On Relay 1 Status", then each differing word that no such line
// accounts for ("Unused word 900: 0 → 17"), so the list is empty exactly when the two images
// are equal word for word.
QStringList describeDifferences(const modOVMXConfig &a, const modOVMXConfig &b);

// Each field element that differs from a new configuration, with its words, then each
// nonzero unused word: the programming that a new configuration does not already hold.
QStringList describeChangesFromNew(const modOVMXConfig &doc);

// What grid cell k does, in the words of the differences without the cell's own name, one
// field a line: "close action Turn On Relay", "hold status while closed No", ...
QStringList describeCell(const modOVMXConfig &doc, int k);

} // namespace ConfigDiff
