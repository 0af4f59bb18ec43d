#pragma once

#include "modOVMXConfig.h"

#include <QList>
#include <QString>

// What a programming asks of the outputs that the two-channel model "MX-2" lacks (relays and
// dimmers 3 and 4). The command line warns with the note before a verify or a download, and the
// connection window shows the same note beside its verify result.
namespace ModelFit
{

struct Outputs {
    QList<int> relays;  // relay numbers 3-4 the programming drives
    QList<int> dimmers; // dimmer numbers 3-4 the programming drives
    bool isEmpty() const { return relays.isEmpty() && dimmers.isEmpty(); }
};

// A relay is driven by a close or open action of any input or by its power-on option; a dimmer by
// a control action of any input or by photocell tracking. Settings every output holds in a new
// configuration (dimmer power-on, minimum and maximum levels, curves) drive nothing by themselves.
Outputs outputsMissingOnMX2(const modOVMXConfig &doc);

// "The settings drive relay 3 and dimmers 3, 4, which an MX-2 does not have"; empty when
// they drive none of them.
QString missingOnMX2Note(const modOVMXConfig &doc);

} // namespace ModelFit
