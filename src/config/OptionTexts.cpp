#include "OptionTexts.h"

#include "modOVMXConfig.h"

namespace OptionTexts
{

namespace
{
bool inRange(int v, int count) { return v >= 0 && v < count; }

template <typename Fn> QStringList entries(int count, Fn text)
{
    QStringList list;
    list.reserve(count);
    for (int v = 0; v < count; ++v)
        list.append(*text(v));
    return list;
}

std::optional<QString> fromTable(const char *const *table, int count, int v)
{
    if (!inRange(v, count))
        return std::nullopt;
    return QString::fromLatin1(table[v]);
}

std::optional<QString> minutes(int position, int count, int first)
{
    if (!inRange(position, count))
        return std::nullopt;
    return QStringLiteral("%1 Minute").arg(position + first);
}

// Min and max levels share their coding: 0 follows the photocell, v is v - 1 percent.
std::optional<QString> limitLevel(const char *prefix, int code)
{
    if (!inRange(code, DimmerMinMaxLevelCount))
        return std::nullopt;
    if (code == 0)
        return QLatin1String(prefix) + QStringLiteral("Photocell");
    return QStringLiteral("%1%2%").arg(QLatin1String(prefix)).arg(code - 1);
}
} // namespace

std::optional<QString> relayActionText(int code)
{
    static const char *const captions[RelayCloseActionCount] = {
        "None",
        "Turn Off Relay",
        "Turn On Relay",
        "Toggle Relay Based On Relay 1 Status",
        "Toggle Relay Based On Relay 2 Status",
        "Toggle Relay Based On Relay 3 Status",
        "Toggle Relay Based On Relay 4 Status",
        "Timed On With No Blink Alert",
        "Timed On With Single Blink Alert",
        "Timed On With Double Blink Alert",
        "2 Step Sequence",
        "4 Step Sequence",
    };
    return fromTable(captions, RelayCloseActionCount, code);
}

QStringList relayCloseActionEntries() { return entries(RelayCloseActionCount, relayActionText); }

QStringList relayOpenActionEntries() { return entries(RelayOpenActionCount, relayActionText); }

std::optional<QString> timedOnText(int position) { return minutes(position, TimedOnCount, 5); }

QStringList timedOnEntries() { return entries(TimedOnCount, timedOnText); }

std::optional<QString> timedOffAlertText(int position)
{
    return minutes(position, TimedOffAlertCount, 2);
}

std::optional<QString> timedOffOverrideText(int position)
{
    return minutes(position, TimedOffOverrideCount, 5);
}

QStringList timedOffAlertEntries() { return entries(TimedOffAlertCount, timedOffAlertText); }

QStringList timedOffOverrideEntries()
{
    return entries(TimedOffOverrideCount, timedOffOverrideText);
}

std::optional<QString> dimmerControlText(int code)
{
    static const char *const fixed[] = {"None", "Revert To Photocell", "Lower 10%", "Raise 10%"};
    if (!inRange(code, DimmerControlCount))
        return std::nullopt;
    if (code < 4)
        return QString::fromLatin1(fixed[code]);
    return QStringLiteral("Goto %1%").arg(code - 4);
}

std::optional<QString> dimmerControlFadeText(int code)
{
    static const char *const names[DimmerControlFadeCount] = {"Fade", "Instant"};
    return fromTable(names, DimmerControlFadeCount, code);
}

std::optional<QString> dimmerRevertText(int code)
{
    if (!inRange(code, DimmerRevertCount))
        return std::nullopt;
    if (code == 0)
        return QStringLiteral("Revert When Input Opens");
    if (code == 1)
        return QStringLiteral("Never Revert");
    return QStringLiteral("Revert After %1 Min").arg(5 * (code - 1));
}

QStringList dimmerControlEntries() { return entries(DimmerControlCount, dimmerControlText); }

QStringList dimmerControlFadeEntries()
{
    return entries(DimmerControlFadeCount, dimmerControlFadeText);
}

QStringList dimmerRevertEntries() { return entries(DimmerRevertCount, dimmerRevertText); }

std::optional<QString> trackingModeText(int mode)
{
    static const char *const names[TrackingModeCount] = {
        "PC Tracking: Disabled", "PC Tracking: 2 point", "PC Tracking: 3 point",
        "PC Tracking: Setpoint"};
    return fromTable(names, TrackingModeCount, mode);
}

std::optional<QString> scaleTargetText(int level)
{
    if (!inRange(level, ScaleTargetCount))
        return std::nullopt;
    return QStringLiteral("Target: %1/255 (%2 fc)")
        .arg(level)
        .arg(modOVMXConfig::LevelToFootCandles(level));
}

QStringList trackingModeEntries() { return entries(TrackingModeCount, trackingModeText); }

QStringList scaleTargetEntries() { return entries(ScaleTargetCount, scaleTargetText); }

std::optional<QString> relayPowerOnText(int code)
{
    static const char *const names[RelayPowerOnCount] = {"No Change", "Turn Off", "Turn On",
                                                         "Turn Off If HW Input 1 is closed",
                                                         "Turn On If HW Input 1 is closed"};
    return fromTable(names, RelayPowerOnCount, code);
}

std::optional<QString> dimmerPowerOnLevelText(int code)
{
    if (!inRange(code, DimmerPowerOnLevelCount))
        return std::nullopt;
    return QStringLiteral("Power On Level: %1%").arg(code);
}

std::optional<QString> dimmerMinLevelText(int code) { return limitLevel("Min Level: ", code); }

std::optional<QString> dimmerMaxLevelText(int code) { return limitLevel("Max Level: ", code); }

int dimmerFadeRateSeconds(int code) { return code < 16 ? 2 * code : 40 + 10 * (code - 16); }

std::optional<QString> dimmerFadeRateText(int code)
{
    if (!inRange(code, DimmerFadeRateCount))
        return std::nullopt;
    return QStringLiteral("Fade Rate: %1 Sec").arg(dimmerFadeRateSeconds(code));
}

QStringList relayPowerOnEntries() { return entries(RelayPowerOnCount, relayPowerOnText); }

QStringList dimmerPowerOnLevelEntries()
{
    return entries(DimmerPowerOnLevelCount, dimmerPowerOnLevelText);
}

QStringList dimmerMinLevelEntries() { return entries(DimmerMinMaxLevelCount, dimmerMinLevelText); }

QStringList dimmerMaxLevelEntries() { return entries(DimmerMinMaxLevelCount, dimmerMaxLevelText); }

QStringList dimmerFadeRateEntries() { return entries(DimmerFadeRateCount, dimmerFadeRateText); }

std::optional<QString> pilotOptionText(int switchIndex, int mode)
{
    static const char *const endings[PilotModeCount] = {
        " = On",          " = Off",        " = Relay 1 On",  " = Relay 1 Off", " = Relay 2 On",
        " = Relay 2 Off", " = Relay 3 On", " = Relay 3 Off", " = Relay 4 On",  " = Relay 4 Off"};
    if (!inRange(mode, PilotModeCount))
        return std::nullopt;
    return QStringLiteral("Pilot %1%2").arg(switchIndex % 6 + 1).arg(QLatin1String(endings[mode]));
}

QStringList pilotOptionEntries(int switchIndex)
{
    return entries(PilotModeCount,
                   [switchIndex](int mode) { return pilotOptionText(switchIndex, mode); });
}

std::optional<QString> photocellLevelText(int level)
{
    if (!inRange(level, PhotocellLevelCount))
        return std::nullopt;
    return QStringLiteral("%1/255 %2FC").arg(level).arg(modOVMXConfig::LevelToFootCandles(level));
}

std::optional<QString> photocellFilterText(int code)
{
    static const char *const names[PhotocellFilterCount] = {"2 Sec", "30 Sec"};
    return fromTable(names, PhotocellFilterCount, code);
}

QStringList photocellLevelEntries() { return entries(PhotocellLevelCount, photocellLevelText); }

QStringList photocellFilterEntries() { return entries(PhotocellFilterCount, photocellFilterText); }

} // namespace OptionTexts
