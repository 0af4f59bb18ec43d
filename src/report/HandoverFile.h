#pragma once

#include "Report.h"

#include <array>
#include <utility>

// The people a handover names (site, customer, installer, tester and the tester's certificate
// and company, witness), kept beside the data file (site.OMX gives site.handover.json) so the
// next report of the same file names them again. Only this file knows where they are kept. A
// person may edit it, so it is read strictly: what cannot be right is refused by name.
namespace HandoverFile
{

// Each kept field: its name in the file and on the command line, and where it goes.
using Field = std::pair<const char *, QString Report::People::*>;
const std::array<Field, 7> &fields();

QString pathFor(const QString &dataFile); // "" for a configuration never saved
// Nobody named when there is no such file. A file that cannot be read or is not right is an
// error naming the field, and names nobody.
modOVMXConfig::FileResult read(const QString &dataFile, Report::People &people);
modOVMXConfig::FileResult parse(const QByteArray &json, Report::People &people);
// Whole or not at all; a configuration never saved keeps nothing and succeeds.
modOVMXConfig::FileResult write(const QString &dataFile, const Report::People &people);

} // namespace HandoverFile
