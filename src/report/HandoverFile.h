#pragma once

#include "Report.h"

// The site, the customer and the installer, kept beside the data file (site.OMX gives
// site.handover.json) so the next report of the same file names them again. Only this file
// knows where they are kept, so a commissioning record may take them over.
namespace HandoverFile
{

QString pathFor(const QString &dataFile); // "" for a configuration never saved
// Nobody named when there is no such file or it cannot be read.
Report::People read(const QString &dataFile);
// Whole or not at all; a configuration never saved keeps nothing and succeeds.
modOVMXConfig::FileResult write(const QString &dataFile, const Report::People &people);

} // namespace HandoverFile
