#pragma once

#include "Report.h"

class modOVMXConfig;
class WalkTest;

// The walk-test record as the handover document shows it.
namespace WalkTestRecord
{

// `doc` is the programming the record was taken up for: it gives each input's expected response.
Report::Commissioning section(const WalkTest &test, const modOVMXConfig &doc);

// The record kept for `doc` at `path` (beside the data file when `path` is empty). No record
// there is no error: `record` stays empty. A record of other settings, or of a walk made while
// the controller was not confirmed to run them, is an error that names both checksums.
modOVMXConfig::FileResult read(const modOVMXConfig &doc, QString path,
                               std::optional<Report::Commissioning> &record);

} // namespace WalkTestRecord
