#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The entries of the option lists and buttons that edit the image, in coding order: the
// position of an entry is the value stored. The editors and settings dialogs fill their lists
// from here and the command line names stored values with the same words, so both always
// agree. Each `…Text(v)` gives the entry for a stored value, or nullopt when the value has no
// entry; each `…Entries()` gives the whole list.
namespace OptionTexts
{

// Relay control editor: one action table serves both frames; the open frame stops before the
// sequences.
constexpr int RelayCloseActionCount = 12;
constexpr int RelayOpenActionCount = 10;
std::optional<QString> relayActionText(int code); // "Toggle Relay Based On Relay 1 Status"
QStringList relayCloseActionEntries();
QStringList relayOpenActionEntries();

// Timed-on list: position v means v + 5 minutes.
constexpr int TimedOnCount = 995;
std::optional<QString> timedOnText(int position); // "5 Minute"
QStringList timedOnEntries();

// Main screen timed-off lists: alert position p means p + 2 minutes, override p + 5.
constexpr int TimedOffAlertCount = 98;
constexpr int TimedOffOverrideCount = 995;
std::optional<QString> timedOffAlertText(int position);    // "2 Minute" … "99 Minute"
std::optional<QString> timedOffOverrideText(int position); // "5 Minute" … "999 Minute"
QStringList timedOffAlertEntries();
QStringList timedOffOverrideEntries();

// Dimmer control editor.
constexpr int DimmerControlCount = 105;
constexpr int DimmerControlFadeCount = 2;
constexpr int DimmerRevertCount = 122;
std::optional<QString> dimmerControlText(int code);     // "None", "Goto 50%"
std::optional<QString> dimmerControlFadeText(int code); // "Fade", "Instant"
std::optional<QString> dimmerRevertText(int code);      // "Revert After 5 Min"
QStringList dimmerControlEntries();
QStringList dimmerControlFadeEntries();
QStringList dimmerRevertEntries();

// Photocell-to-dimmer scaling editor.
constexpr int TrackingModeCount = 4;
constexpr int ScaleTargetCount = 256;
std::optional<QString> trackingModeText(int mode); // "PC Tracking: 2 point"
std::optional<QString> scaleTargetText(int level); // "Target: 128/255 (14 fc)"
QStringList trackingModeEntries();
QStringList scaleTargetEntries();

// Relay power-on and dimmer settings dialogs.
constexpr int RelayPowerOnCount = 5;
constexpr int DimmerPowerOnLevelCount = 101;
constexpr int DimmerMinMaxLevelCount = 102;
constexpr int DimmerFadeRateCount = 43;
std::optional<QString> relayPowerOnText(int code);       // "Turn Off If HW Input 1 is closed"
std::optional<QString> dimmerPowerOnLevelText(int code); // "Power On Level: 100%"
std::optional<QString> dimmerMinLevelText(int code);     // "Min Level: Photocell", "Min Level: 0%"
std::optional<QString> dimmerMaxLevelText(int code);     // "Max Level: 100%"
std::optional<QString> dimmerFadeRateText(int code);     // "Fade Rate: 40 Sec"
int dimmerFadeRateSeconds(int code);                     // 0, 2 … 30, 40, 50 … 300
QStringList relayPowerOnEntries();
QStringList dimmerPowerOnLevelEntries();
QStringList dimmerMinLevelEntries();
QStringList dimmerMaxLevelEntries();
QStringList dimmerFadeRateEntries();

// Pilot lights dialog: list k belongs to switch k mod 6 of station k / 6.
constexpr int PilotModeCount = 10;
std::optional<QString> pilotOptionText(int switchIndex, int mode); // "Pilot 4 = Relay 2 On"
QStringList pilotOptionEntries(int switchIndex);

// Photocell input levels dialog.
constexpr int PhotocellLevelCount = 256;
constexpr int PhotocellFilterCount = 2;
std::optional<QString> photocellLevelText(int level); // "128/255 14FC"
std::optional<QString> photocellFilterText(int code); // "2 Sec", "30 Sec"
QStringList photocellLevelEntries();
QStringList photocellFilterEntries();

} // namespace OptionTexts
