#pragma once

#include "modOVMXConfig.h"

#include <QByteArray>
#include <QDateTime>
#include <QPageSize>

class QPagedPaintDevice;

// A record of the whole programming that a person reads without the tool: the grid and its
// panels as the screen draws them, every setting in words, and each tracking curve. Every page
// carries the file name, when it was made, the tool's name and revision and "Page n of N".
namespace Report
{

enum class Paper { A4, Letter };

QPageSize pageSize(Paper paper);

// Paints every page on `device`, turned to landscape with the report's margins; the paper size
// is the device's. False when the device cannot be painted on.
bool paint(QPagedPaintDevice &device, const modOVMXConfig &doc, const QDateTime &made);

// The report as a PDF file's bytes; empty when it could not be made.
QByteArray pdf(const modOVMXConfig &doc, Paper paper, const QDateTime &made);

} // namespace Report
