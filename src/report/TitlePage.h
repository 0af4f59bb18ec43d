#pragma once

#include "Flow.h"
#include "Report.h"

// The first page, landscape: the title block, which names the site, the people, the controller
// and the exact programming, above the grid and its panels as the window draws them.
namespace TitlePage
{

Flow::Page page(const modOVMXConfig &doc, const Report::Details &details);

} // namespace TitlePage
