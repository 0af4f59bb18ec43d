#include "ProgrammingTables.h"

#include "ConfigTexts.h"
#include "FieldTable.h"
#include "OptionTexts.h"
#include "ShowText.h"

namespace ProgrammingTables
{

namespace
{
using ConfigTexts::targetName;

// A stored value in its field's words, or the bare value marked "(no entry)".
QString words(const char *field, int value)
{
    return FieldTable::findField(QLatin1String(field))->valueWords(value);
}

QString input(int i) { return targetName(4 + i); }

// The timed-on time matters only to the timed actions.
bool timed(int action) { return action >= 7 && action <= 9; }

QStringList relayRow(const modOVMXConfig &doc, int i, int r)
{
    const int close = doc.GetRelayCloseAction(i, r), open = doc.GetRelayOpenAction(i, r);
    return {input(i), words("RelayCloseAction", close), words("RelayOpenAction", open),
            words("RelayHoldStatus", doc.GetRelayHoldStatus(i, r)),
            timed(close) || timed(open) ? words("RelayTimedOn", doc.GetRelayTimedOn(i, r))
                                        : QStringLiteral("-")};
}

QStringList dimmerRow(const modOVMXConfig &doc, int i, int d)
{
    return {input(i), words("DimmerControl", doc.GetDimmerControl(i, d)),
            words("DimmerControlFadeRate", doc.GetDimmerControlFadeRate(i, d)),
            words("DimmerRevert", doc.GetDimmerRevert(i, d))};
}

QStringList trackingRow(const modOVMXConfig &doc, int p, int d)
{
    const int mode = doc.GetPhotocellTracking(p, d), target = doc.GetScaleTarget(p, d);
    return {ConfigTexts::photocellName(16 + 4 * p),
            ShowText::orNoEntry(OptionTexts::trackingModeText(mode), mode),
            mode == 3 ? ShowText::orNoEntry(OptionTexts::scaleTargetText(target), target)
                      : QString()};
}

// In the words of the editor's check boxes, "… Disables … When Closed".
QString disabling(const modOVMXConfig &doc, int i, int j)
{
    QStringList when;
    if (doc.GetInputDisableClosed(i, j))
        when << QStringLiteral("When Closed");
    if (doc.GetInputDisableOpen(i, j))
        when << QStringLiteral("When Open");
    return when.join(QStringLiteral(", "));
}
} // namespace

Table relays(const modOVMXConfig &doc)
{
    Table table{QStringLiteral("Relay Control"),
                {QStringLiteral("Input"), QStringLiteral("When Input Closes"),
                 QStringLiteral("When Input Opens"), QStringLiteral("Hold Status"),
                 QStringLiteral("Timed On")},
                {}};
    for (int r = 0; r < 4; ++r) {
        Table::Group group{targetName(r), {}};
        for (int i = 0; i < 24; ++i)
            if (ConfigTexts::InputRelayControlText(doc, i, r) != QLatin1String("-"))
                group.rows << relayRow(doc, i, r);
        table.groups << group;
    }
    return table;
}

Table dimmers(const modOVMXConfig &doc)
{
    Table table{QStringLiteral("Dimmer Control / Photocell Tracking"),
                {QStringLiteral("Input"), QStringLiteral("Control"), QStringLiteral("Fade"),
                 QStringLiteral("Revert")},
                {}};
    for (int d = 0; d < 4; ++d) {
        Table::Group group{targetName(28 + d), {}};
        for (int i = 0; i < 16; ++i)
            if (doc.GetDimmerControl(i, d) != 0)
                group.rows << dimmerRow(doc, i, d);
        for (int p = 0; p < 2; ++p)
            if (doc.GetPhotocellTracking(p, d) != 0)
                group.rows << trackingRow(doc, p, d);
        table.groups << group;
    }
    return table;
}

Table disables(const modOVMXConfig &doc)
{
    Table table{QStringLiteral("Input Disable"),
                {QStringLiteral("Input"), QStringLiteral("Disables It")},
                {}};
    for (int j = 0; j < 24; ++j) {
        Table::Group group{input(j), {}};
        for (int i = 0; i < 24; ++i)
            if (const QString when = disabling(doc, i, j); i != j && !when.isEmpty())
                group.rows << QStringList{input(i), when};
        table.groups << group;
    }
    table.abreast = 2;
    return table;
}

Table relayPowerOn(const modOVMXConfig &doc)
{
    Table::Group group;
    for (int r = 0; r < 4; ++r)
        group.rows << QStringList{targetName(r), words("RelayPowerOn", doc.GetRelayPowerOn(r))};
    return {QStringLiteral("Relay Power On Options"),
            {QStringLiteral("Relay"), QStringLiteral("Power On")},
            {group}};
}

Table timedOffAndPort(const modOVMXConfig &doc)
{
    Table::Group group{
        {},
        {{QStringLiteral("Blink Alert"), words("TimedOffAlert", doc.GetTimedOffAlert())},
         {QStringLiteral("Override"), words("TimedOffOverride", doc.GetTimedOffOverride())},
         {QStringLiteral("Serial Port"), words("ComPort", doc.GetComPort())}}};
    return {QStringLiteral("Timed Off And Port"),
            {QStringLiteral("Setting"), QStringLiteral("Value")},
            {group}};
}

Table pilots(const modOVMXConfig &doc)
{
    Table::Group group;
    for (int k = 0; k < 6; ++k) {
        QStringList row;
        for (int s = 0; s < 2; ++s) {
            const int mode = doc.GetPilotLight(s, k);
            row << ShowText::orNoEntry(OptionTexts::pilotOptionText(k, mode), mode);
        }
        group.rows << row;
    }
    return {QStringLiteral("Pilot Lights"),
            {QStringLiteral("Tamberline 01 Pilots"), QStringLiteral("Tamberline 02 Pilots")},
            {group}};
}

Table photocellLevels(const modOVMXConfig &doc)
{
    Table table{QStringLiteral("Photocell Input Levels"),
                {QStringLiteral("Input"), QStringLiteral("Off Level"), QStringLiteral("On Level")},
                {}};
    for (int p = 0; p < 2; ++p) {
        Table::Group group{QStringLiteral("Photocell %1 [%2 Filter]")
                               .arg(p + 1)
                               .arg(words("PhotocellFilter", doc.GetPhotocellFilter(p))),
                           {}};
        for (int l = 0; l < 4; ++l) {
            const int off = doc.GetPhotocellOffLevel(p, l), on = doc.GetPhotocellOnLevel(p, l);
            group.rows << QStringList{
                QStringLiteral("Input %1").arg(l + 1),
                ShowText::orNoEntry(OptionTexts::photocellLevelText(off), off),
                ShowText::orNoEntry(OptionTexts::photocellLevelText(on), on)};
        }
        table.groups << group;
    }
    return table;
}

Table dimmerSettings(const modOVMXConfig &doc)
{
    Table::Group group;
    for (int d = 0; d < 4; ++d)
        group.rows << QStringList{targetName(28 + d),
                                  words("DimmerPowerOnLevel", doc.GetDimmerPowerOnLevel(d)),
                                  words("DimmerMinLevel", doc.GetDimmerMinLevel(d)),
                                  words("DimmerMaxLevel", doc.GetDimmerMaxLevel(d)),
                                  words("DimmerFadeRate", doc.GetDimmerFadeRate(d))};
    return {QStringLiteral("Dimmer Settings"),
            {QStringLiteral("Dimmer"), QStringLiteral("Power On Level"),
             QStringLiteral("Min Level"), QStringLiteral("Max Level"), QStringLiteral("Fade Rate")},
            {group}};
}

} // namespace ProgrammingTables
