#pragma once

#include "Flow.h"
#include "Report.h"

class QPaintDevice;

// The walk test as the commissioning agent recorded it, and the lines on which the installer,
// the customer, the tester and a witness sign the handover.
namespace RecordBlocks
{

QString controllerText(const Report::Controller &controller); // "MX-4, firmware Rev 3, node 01"
// "B. Tester, Lumen Ltd, certificate CT-1": who tested the controls, as far as given.
QString testerText(const Report::People &people);
// "18 programmed inputs: 17 passed, 1 failed, 0 not tested"
QString resultText(const Report::Commissioning &record);

// Its times local, as `made` was.
std::vector<Flow::Block> commissioning(const Report::Commissioning &record, const QDateTime &made,
                                       const QPaintDevice *device, qreal width);
// What is handed over: the programming (`programming` names its data file and checksum) when
// the walk test left nothing open, else how many items are open. Without a walk test every
// one of the `programmed` inputs is.
QString handedOver(const std::optional<Report::Commissioning> &record, int programmed,
                   const QString &programming);
std::vector<Flow::Block> signOff(const Report::People &people, const QString &statement,
                                 const QPaintDevice *device, qreal width);

} // namespace RecordBlocks
