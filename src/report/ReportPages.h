#pragma once

#include "modOVMXConfig.h"

#include <QRectF>
#include <QStringList>

#include <functional>
#include <vector>

class QPainter;

// The pages of the report, each a function that paints its body inside `body` (pixels at
// 96 per inch, origin at the body's top-left). Laid out before anything is painted, so the
// header can say how many pages there are.
namespace ReportPages
{

using Page = std::function<void(QPainter &painter, const QRectF &body)>;

// The programming grid and the panels above it, as the window draws them.
Page gridPage(const modOVMXConfig &doc);
// `lines` in a fixed-width face as large as the widest line allows, as many pages as they
// need; the first page titled `title`, the others `continued`.
std::vector<Page> textPages(QPainter &painter, const QSizeF &body, const QString &title,
                            const QString &continued, const QStringList &lines);
// The curve of every dimmer that tracks a photocell, four to a page, with its points.
std::vector<Page> curvePages(const modOVMXConfig &doc);

// A section title at the top of a body; returns the room left below it.
QRectF paintTitle(QPainter &painter, const QRectF &body, const QString &title);

} // namespace ReportPages
