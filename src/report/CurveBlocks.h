#pragma once

#include "Flow.h"
#include "modOVMXConfig.h"

class QPaintDevice;

// The curve of every dimmer that tracks a photocell, as the scaling editor draws it, two to a
// row and small enough that four rows fill a page, each with its points in words.
namespace CurveBlocks
{

std::vector<Flow::Block> blocks(const modOVMXConfig &doc, const QPaintDevice *device, qreal width);

} // namespace CurveBlocks
