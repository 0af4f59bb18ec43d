#include "LocalTime.h"

#include <QList>

namespace LocalTime
{

QString offset(const QDateTime &t)
{
    const int seconds = t.toLocalTime().offsetFromUtc();
    const int minutes = std::abs(seconds) / 60;
    return QStringLiteral("UTC%1%2:%3")
        .arg(seconds < 0 ? QLatin1Char('-') : QLatin1Char('+'))
        .arg(minutes / 60, 2, 10, QLatin1Char('0'))
        .arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

QString text(const QDateTime &t, const QString &format, const QDateTime &reference)
{
    if (!t.isValid())
        return {};
    const QDateTime local = t.toLocalTime();
    const QString shown = local.toString(format);
    if (!reference.isValid() || local.offsetFromUtc() == reference.toLocalTime().offsetFromUtc())
        return shown;
    return shown + QStringLiteral(" (") + offset(t) + QLatin1Char(')');
}

bool oneDay(const QList<QDateTime> &times)
{
    QDate day;
    for (const QDateTime &t : times) {
        if (!t.isValid())
            continue;
        const QDate date = t.toLocalTime().date();
        if (day.isValid() && date != day)
            return false;
        day = date;
    }
    return true;
}

} // namespace LocalTime
