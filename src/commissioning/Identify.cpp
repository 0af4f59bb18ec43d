#include "Identify.h"

#include "Frames.h"
#include "StatusEvents.h"

namespace Identify
{

namespace
{
Step step(int subject, int n, int level, bool last)
{
    const bool relay = subject < 28;
    const int output = subject - (relay ? 24 : 28);
    QString words = subjectName(subject) + (last ? QStringLiteral(" back ") : QStringLiteral(" "));
    if (relay)
        words += level ? QStringLiteral("on") : QStringLiteral("off");
    else
        words += (last ? QStringLiteral("to ") : QStringLiteral("at ")) + QString::number(level);
    return {StepMs * n, subject, level,
            relay ? Frames::relayCommand(output, level != 0) : Frames::dimmerCommand(output, level),
            words};
}
} // namespace

int levelOf(const ControllerStatus &status, int subject)
{
    const auto at = static_cast<size_t>(subject % 4);
    return subject < 28 ? int(status.relays[at]) : status.dimmers[at];
}

QList<Step> steps(int subject, int current)
{
    const QList<int> levels = subject < 28 ? QList<int>{1, 0, 1, 0, 1, 0} : QList<int>{255, 0, 255};
    QList<Step> all;
    for (qsizetype n = 0; n < levels.size(); ++n)
        all << step(subject, int(n), levels[n], false);
    all << step(subject, int(levels.size()), current, true);
    return all;
}

} // namespace Identify
