#pragma once

#include <QDateTime>
#include <QString>

// Every time the document prints is local, in the zone of the machine that made it: the title
// block names its UTC offset once, and a time in another offset (across a change to summer
// time) names its own.
namespace LocalTime
{

QString offset(const QDateTime &t); // "UTC-05:00", "UTC+14:00"
// `t` in local time as `format`; " (UTC+01:00)" after it when its offset is not `reference`'s.
QString text(const QDateTime &t, const QString &format, const QDateTime &reference);
// Whether every one of `times` falls on the local date of the first.
bool oneDay(const QList<QDateTime> &times);

} // namespace LocalTime
