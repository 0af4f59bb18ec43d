#pragma once

#include "Flow.h"
#include "Report.h"

class QPaintDevice;

// The walk test as the commissioning agent recorded it, and the lines on which the installer
// and the customer sign the handover.
namespace RecordBlocks
{

QString controllerText(const Report::Controller &controller); // "MX-4, firmware Rev 3, node 01"

std::vector<Flow::Block> commissioning(const Report::Commissioning &record,
                                       const QPaintDevice *device, qreal width);
// `programming` names what is handed over: the data file and the image's checksum.
std::vector<Flow::Block> signOff(const Report::People &people, const QString &programming,
                                 const QPaintDevice *device, qreal width);

} // namespace RecordBlocks
