#include "ModelFit.h"

#include <QStringList>

namespace ModelFit
{

namespace
{
constexpr int Inputs = 24;

bool relayDriven(const modOVMXConfig &doc, int r)
{
    for (int i = 0; i < Inputs; ++i)
        if (doc.GetRelayCloseAction(i, r) != 0 || doc.GetRelayOpenAction(i, r) != 0)
            return true;
    return doc.GetRelayPowerOn(r) != 0;
}

bool dimmerDriven(const modOVMXConfig &doc, int d)
{
    for (int i = 0; i < Inputs; ++i)
        if (doc.GetDimmerControl(i, d) != 0)
            return true;
    return doc.GetPhotocellTracking(0, d) != 0 || doc.GetPhotocellTracking(1, d) != 0;
}

// "relay 3", "dimmers 3, 4"
QString named(const char *singular, const QList<int> &numbers)
{
    QStringList digits;
    for (int n : numbers)
        digits << QString::number(n);
    return QStringLiteral("%1%2 %3").arg(QLatin1String(singular),
                                         numbers.size() > 1 ? QStringLiteral("s") : QString(),
                                         digits.join(QStringLiteral(", ")));
}
} // namespace

Outputs outputsMissingOnMX2(const modOVMXConfig &doc)
{
    Outputs found;
    for (int n = 2; n < 4; ++n) {
        if (relayDriven(doc, n))
            found.relays << n + 1;
        if (dimmerDriven(doc, n))
            found.dimmers << n + 1;
    }
    return found;
}

QString missingOnMX2Note(const modOVMXConfig &doc)
{
    const Outputs missing = outputsMissingOnMX2(doc);
    QStringList parts;
    if (!missing.relays.isEmpty())
        parts << named("relay", missing.relays);
    if (!missing.dimmers.isEmpty())
        parts << named("dimmer", missing.dimmers);
    if (parts.isEmpty())
        return {};
    return QStringLiteral("The settings drive %1, which an MX-2 does not have")
        .arg(parts.join(QStringLiteral(" and ")));
}

} // namespace ModelFit
