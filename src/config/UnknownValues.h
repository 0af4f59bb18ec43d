#pragma once

#include "modOVMXConfig.h"

#include <QString>

// The message a damaged file or a foreign controller's memory earns: values this tool has no
// setting for, counted, the first few named, and where on the screen each kind shows, since
// many fields have no place on the main screen at all.
namespace UnknownValues
{

struct Report {
    QString text;    // empty when every value lies inside its coding
    QString details; // every such field in words, one a line
};

// `source` names where the values came from: "The file \"C:\\site.OMX\"", "The controller's
// memory".
Report report(const modOVMXConfig &doc, const QString &source);

} // namespace UnknownValues
