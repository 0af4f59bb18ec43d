#include "UnknownValues.h"

#include "FieldTable.h"

#include <QStringList>

#include <array>
#include <cstring>

namespace UnknownValues
{

namespace
{
enum Place { Grid, GridAbbreviated, Panels, TimedOffLists, Elsewhere, Nowhere, PlaceCount };

// The grid cells and the panels show a value they cannot name as "?", but the relay cells
// abbreviate every action up to 11 (an open action of 10 or 11 reads "Sq"), and neither the
// dimmer rows nor the dimmer editor have a place for the photocell inputs (16-23), whose
// columns hold the tracking cells. The
// timed-off lists show no entry, and every other field is seen only in its editor or dialog.
Place placeOf(const FieldTable::Field &field, int element, int value)
{
    const auto is = [&field](const char *name) { return std::strcmp(field.name, name) == 0; };
    if (is("RelayOpenAction") && (value == 10 || value == 11))
        return GridAbbreviated;
    if ((is("DimmerControl") || is("DimmerControlFadeRate")) && field.firstIndex(element) >= 16)
        return Nowhere;
    if (is("RelayCloseAction") || is("RelayOpenAction") || is("DimmerControl") ||
        is("PhotocellTracking"))
        return Grid;
    if (is("PilotLight") || is("PhotocellOffLevel") || is("PhotocellOnLevel"))
        return Panels;
    if (is("TimedOffAlert") || is("TimedOffOverride"))
        return TimedOffLists;
    return Elsewhere;
}

const std::array<const char *, PlaceCount> PlaceWords = {
    "as \"?\" on the grid",
    "as \"Sq\" on the grid",
    "as \"?\" in the panels above the grid",
    "as a blank choice in the timed-off lists",
    "only in their editors and settings dialogs",
    "in no window (the dimmer control of the photocell inputs)",
};
} // namespace

Report report(const modOVMXConfig &doc, const QString &source)
{
    QStringList found;
    std::array<int, PlaceCount> counts{};
    for (const FieldTable::Field &f : FieldTable::fields())
        for (int n = 0; n < f.elementCount(); ++n) {
            const int v = f.get(doc, f.firstIndex(n), f.secondIndex(n));
            if (f.inCoding(v))
                continue;
            found << f.label(n) + QString::number(v);
            ++counts[placeOf(f, n, v)];
        }
    if (found.isEmpty())
        return {};
    constexpr qsizetype Named = 5;
    // One arg() for all: a name holding "%1" would take the count of a second.
    QString text = QStringLiteral("%1 holds %2 %3 that this tool has no setting for:\n")
                       .arg(source, QString::number(found.size()),
                            found.size() == 1 ? QStringLiteral("value") : QStringLiteral("values"));
    for (const QString &field : found.mid(0, Named))
        text += QStringLiteral("\n    ") + field;
    if (found.size() > Named)
        text += QStringLiteral("\n    and %1 more").arg(found.size() - Named);
    text += QStringLiteral("\n\nWhere they show:");
    for (int p = 0; p < PlaceCount; ++p)
        if (counts[p])
            text += QStringLiteral("\n    %1: %2")
                        .arg(QLatin1String(PlaceWords[p]), QString::number(counts[p]));
    text += QStringLiteral("\n\nThey are kept unchanged: saving writes them back as they are.");
    return {text, found.join(QLatin1Char('\n'))};
}

} // namespace UnknownValues
