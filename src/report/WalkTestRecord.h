#pragma once

#include "Report.h"

class modOVMXConfig;
class WalkTest;

// The walk-test record as the handover document shows it.
namespace WalkTestRecord
{

Report::Commissioning section(const WalkTest &test);

// The record kept for `doc` at `path` (beside the data file when `path` is empty). No record
// there is no error: `record` stays empty. A record of other settings is an error.
modOVMXConfig::FileResult read(const modOVMXConfig &doc, QString path,
                               std::optional<Report::Commissioning> &record);

} // namespace WalkTestRecord
