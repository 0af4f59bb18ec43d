#include "FieldTable.h"

#include "ConfigTexts.h"
#include "OptionTexts.h"

#include <QStringList>

#include <vector>

namespace FieldTable
{

namespace
{
using Doc = const modOVMXConfig &;
using Words = std::optional<QString>;

// Element subjects, the output or target first, as a diff reads best.
QString relayCell(int i, int r)
{
    return ConfigTexts::targetName(r) + QStringLiteral(" / ") + ConfigTexts::inputName(i);
}
QString disableCell(int i, int j)
{
    return ConfigTexts::targetName(4 + j) + QStringLiteral(" / ") + ConfigTexts::inputName(i);
}
QString dimmerCell(int i, int d)
{
    return ConfigTexts::targetName(28 + d) + QStringLiteral(" / ") + ConfigTexts::inputName(i);
}
QString trackingPair(int p, int d)
{
    return ConfigTexts::targetName(28 + d) + QStringLiteral(" / ") +
           ConfigTexts::photocellName(16 + 4 * p);
}
QString relay(int r, int) { return QStringLiteral("Relay %1").arg(r + 1); }
QString dimmer(int d, int) { return QStringLiteral("Dimmer %1").arg(d + 1); }
QString photocell(int p, int) { return QStringLiteral("Photocell %1").arg(p + 1); }
QString photocellLevel(int p, int l) { return ConfigTexts::inputName(16 + 4 * p + l); }
QString pilotSwitch(int s, int k) { return ConfigTexts::inputName(6 * s + k); }
QString timedOff(int, int) { return QStringLiteral("Timed Off"); }
QString serialPort(int, int) { return QStringLiteral("Serial port"); }

Words yesNo(int v)
{
    if (v != 0 && v != 1)
        return std::nullopt;
    return v ? QStringLiteral("Yes") : QStringLiteral("No");
}
Words openAction(int v)
{
    return v < OptionTexts::RelayOpenActionCount ? OptionTexts::relayActionText(v) : std::nullopt;
}
Words level(int v)
{
    return v >= 0 && v <= 255 ? Words(ConfigTexts::levelText(v, false)) : std::nullopt;
}
Words percent(int v)
{
    return v >= 0 && v <= 100 ? Words(QStringLiteral("%1%").arg(v)) : std::nullopt;
}
Words comPort(int v)
{
    return v >= 0 && v <= 7 ? Words(QStringLiteral("COM%1").arg(v + 1)) : std::nullopt;
}
// The dialog entry without the label it repeats: "Min Level: 0%" gives "0%".
Words afterLabel(Words entry, QStringView separator)
{
    if (entry) {
        const qsizetype at = entry->indexOf(separator);
        if (at >= 0)
            return entry->mid(at + separator.size());
    }
    return entry;
}
Words tracking(int v) { return afterLabel(OptionTexts::trackingModeText(v), u": "); }
Words dimmerPowerOn(int v) { return afterLabel(OptionTexts::dimmerPowerOnLevelText(v), u": "); }
Words dimmerMin(int v) { return afterLabel(OptionTexts::dimmerMinLevelText(v), u": "); }
Words dimmerMax(int v) { return afterLabel(OptionTexts::dimmerMaxLevelText(v), u": "); }
Words dimmerFade(int v) { return afterLabel(OptionTexts::dimmerFadeRateText(v), u": "); }
Words pilot(int v) { return afterLabel(OptionTexts::pilotOptionText(0, v), u" = "); }

// clang-format off
const Field table[] = {
    {"RelayCloseAction", 24, 4, false, 0, 11,
     [](Doc c, int i, int r) { return int(c.GetRelayCloseAction(i, r)); },
     [](modOVMXConfig &c, int i, int r, int v) { c.SetRelayCloseAction(i, r, v); },
     relayCell, "close action", OptionTexts::relayActionText,
     "[input][relay]: {list}"},
    {"RelayHoldStatus", 24, 4, true, 0, 1,
     [](Doc c, int i, int r) { return int(c.GetRelayHoldStatus(i, r)); },
     [](modOVMXConfig &c, int i, int r, int v) { c.SetRelayHoldStatus(i, r, v != 0); },
     relayCell, "hold status while closed", yesNo,
     "[input][relay]: true = hold status while the input is closed"},
    {"RelayOpenAction", 24, 4, false, 0, 9,
     [](Doc c, int i, int r) { return int(c.GetRelayOpenAction(i, r)); },
     [](modOVMXConfig &c, int i, int r, int v) { c.SetRelayOpenAction(i, r, v); },
     relayCell, "open action", openAction,
     "[input][relay]: {list}"},
    {"RelayTimedOn", 24, 4, false, 0, 994,
     [](Doc c, int i, int r) { return c.GetRelayTimedOn(i, r); },
     [](modOVMXConfig &c, int i, int r, int v) { c.SetRelayTimedOn(i, r, v); },
     relayCell, "timed on", OptionTexts::timedOnText,
     "[input][relay]: minutes minus 5 (0 = 5 minutes … 994 = 999 minutes)"},
    {"InputDisableClosed", 24, 24, true, 0, 1,
     [](Doc c, int i, int j) { return int(c.GetInputDisableClosed(i, j)); },
     [](modOVMXConfig &c, int i, int j, int v) { c.SetInputDisableClosed(i, j, v != 0); },
     disableCell, "disabled while input closed", yesNo,
     "[acting input][disabled input]: true = disabled while the acting input is closed"},
    {"InputDisableOpen", 24, 24, true, 0, 1,
     [](Doc c, int i, int j) { return int(c.GetInputDisableOpen(i, j)); },
     [](modOVMXConfig &c, int i, int j, int v) { c.SetInputDisableOpen(i, j, v != 0); },
     disableCell, "disabled while input open", yesNo,
     "[acting input][disabled input]: true = disabled while the acting input is open"},
    {"RelayPowerOn", 4, 0, false, 0, 4,
     [](Doc c, int r, int) { return int(c.GetRelayPowerOn(r)); },
     [](modOVMXConfig &c, int r, int, int v) { c.SetRelayPowerOn(r, v); },
     relay, "power on", OptionTexts::relayPowerOnText,
     "[relay]: {list}"},
    {"PhotocellFilter", 2, 0, false, 0, 1,
     [](Doc c, int p, int) { return int(c.GetPhotocellFilter(p)); },
     [](modOVMXConfig &c, int p, int, int v) { c.SetPhotocellFilter(p, v); },
     photocell, "filter", OptionTexts::photocellFilterText,
     "[photocell]: {list}"},
    {"PhotocellOffLevel", 2, 4, false, 0, 255,
     [](Doc c, int p, int l) { return int(c.GetPhotocellOffLevel(p, l)); },
     [](modOVMXConfig &c, int p, int l, int v) { c.SetPhotocellOffLevel(p, l, v); },
     photocellLevel, "off level", level,
     "[photocell][level]: light level 0–255"},
    {"PhotocellOnLevel", 2, 4, false, 0, 255,
     [](Doc c, int p, int l) { return int(c.GetPhotocellOnLevel(p, l)); },
     [](modOVMXConfig &c, int p, int l, int v) { c.SetPhotocellOnLevel(p, l, v); },
     photocellLevel, "on level", level,
     "[photocell][level]: light level 0–255"},
    {"DimmerPowerOnLevel", 4, 0, false, 0, 100,
     [](Doc c, int d, int) { return int(c.GetDimmerPowerOnLevel(d)); },
     [](modOVMXConfig &c, int d, int, int v) { c.SetDimmerPowerOnLevel(d, v); },
     dimmer, "power on level", dimmerPowerOn,
     "[dimmer]: percent 0–100"},
    {"DimmerMinLevel", 4, 0, false, 0, 101,
     [](Doc c, int d, int) { return int(c.GetDimmerMinLevel(d)); },
     [](modOVMXConfig &c, int d, int, int v) { c.SetDimmerMinLevel(d, v); },
     dimmer, "min level", dimmerMin,
     "[dimmer]: 0 = follow the photocell; 1–101 = percent plus 1"},
    {"DimmerMaxLevel", 4, 0, false, 0, 101,
     [](Doc c, int d, int) { return int(c.GetDimmerMaxLevel(d)); },
     [](modOVMXConfig &c, int d, int, int v) { c.SetDimmerMaxLevel(d, v); },
     dimmer, "max level", dimmerMax,
     "[dimmer]: 0 = follow the photocell; 1–101 = percent plus 1"},
    {"DimmerFadeRate", 4, 0, false, 0, 42,
     [](Doc c, int d, int) { return int(c.GetDimmerFadeRate(d)); },
     [](modOVMXConfig &c, int d, int, int v) { c.SetDimmerFadeRate(d, v); },
     dimmer, "fade rate", dimmerFade,
     "[dimmer]: 0–15 = 0, 2 … 30 seconds (2 seconds a step); 16–42 = 40, 50 … 300 seconds (10 seconds a step)"},
    {"PilotLight", 2, 6, false, 0, 9,
     [](Doc c, int s, int k) { return int(c.GetPilotLight(s, k)); },
     [](modOVMXConfig &c, int s, int k, int v) { c.SetPilotLight(s, k, v); },
     pilotSwitch, "pilot", pilot,
     "[station][switch]: {list}"},
    {"TimedOffOverride", 0, 0, false, 0, 994,
     [](Doc c, int, int) { return c.GetTimedOffOverride(); },
     [](modOVMXConfig &c, int, int, int v) { c.SetTimedOffOverride(v); },
     timedOff, "override", OptionTexts::timedOffOverrideText,
     "minutes minus 5 (0 = 5 minutes … 994 = 999 minutes)"},
    {"TimedOffAlert", 0, 0, false, 0, 97,
     [](Doc c, int, int) { return int(c.GetTimedOffAlert()); },
     [](modOVMXConfig &c, int, int, int v) { c.SetTimedOffAlert(v); },
     timedOff, "blink alert", OptionTexts::timedOffAlertText,
     "minutes minus 2 (0 = 2 minutes … 97 = 99 minutes)"},
    {"ComPort", 0, 0, false, 0, 7,
     [](Doc c, int, int) { return int(c.GetComPort()); },
     [](modOVMXConfig &c, int, int, int v) { c.SetComPort(v); },
     serialPort, "", comPort,
     "0–7 = COM1–COM8"},
    {"DimmerControl", 24, 4, false, 0, 104,
     [](Doc c, int i, int d) { return int(c.GetDimmerControl(i, d)); },
     [](modOVMXConfig &c, int i, int d, int v) { c.SetDimmerControl(i, d, v); },
     dimmerCell, "control", OptionTexts::dimmerControlText,
     "[input][dimmer]: 0 = none; 1 = revert to photocell; 2 = lower 10 %; 3 = raise 10 %; 4–104 = go to percent plus 4"},
    {"DimmerControlFadeRate", 24, 4, false, 0, 1,
     [](Doc c, int i, int d) { return int(c.GetDimmerControlFadeRate(i, d)); },
     [](modOVMXConfig &c, int i, int d, int v) { c.SetDimmerControlFadeRate(i, d, v); },
     dimmerCell, "fade", OptionTexts::dimmerControlFadeText,
     "[input][dimmer]: {list}"},
    {"DimmerRevert", 24, 4, false, 0, 121,
     [](Doc c, int i, int d) { return int(c.GetDimmerRevert(i, d)); },
     [](modOVMXConfig &c, int i, int d, int v) { c.SetDimmerRevert(i, d, v); },
     dimmerCell, "revert", OptionTexts::dimmerRevertText,
     "[input][dimmer]: 0 = revert when the input opens; 1 = never revert; 2–121 = revert after 5 × (value minus 1) minutes"},
    {"ScaleLevel1", 2, 4, false, 0, 255,
     [](Doc c, int p, int d) { return int(c.GetScaleLevel1(p, d)); },
     [](modOVMXConfig &c, int p, int d, int v) { c.SetScaleLevel1(p, d, v); },
     trackingPair, "point 1 level", level,
     "[photocell][dimmer]: light level 0–255 of curve point 1"},
    {"ScaleLevel2", 2, 4, false, 0, 255,
     [](Doc c, int p, int d) { return int(c.GetScaleLevel2(p, d)); },
     [](modOVMXConfig &c, int p, int d, int v) { c.SetScaleLevel2(p, d, v); },
     trackingPair, "point 2 level", level,
     "[photocell][dimmer]: light level 0–255 of curve point 2"},
    {"ScaleLevel3", 2, 4, false, 0, 255,
     [](Doc c, int p, int d) { return int(c.GetScaleLevel3(p, d)); },
     [](modOVMXConfig &c, int p, int d, int v) { c.SetScaleLevel3(p, d, v); },
     trackingPair, "point 3 level", level,
     "[photocell][dimmer]: light level 0–255 of curve point 3"},
    {"ScaleOutput1", 2, 4, false, 0, 100,
     [](Doc c, int p, int d) { return int(c.GetScaleOutput1(p, d)); },
     [](modOVMXConfig &c, int p, int d, int v) { c.SetScaleOutput1(p, d, v); },
     trackingPair, "point 1 output", percent,
     "[photocell][dimmer]: dimmer output percent 0–100 at curve point 1"},
    {"ScaleOutput2", 2, 4, false, 0, 100,
     [](Doc c, int p, int d) { return int(c.GetScaleOutput2(p, d)); },
     [](modOVMXConfig &c, int p, int d, int v) { c.SetScaleOutput2(p, d, v); },
     trackingPair, "point 2 output", percent,
     "[photocell][dimmer]: dimmer output percent 0–100 at curve point 2"},
    {"ScaleOutput3", 2, 4, false, 0, 100,
     [](Doc c, int p, int d) { return int(c.GetScaleOutput3(p, d)); },
     [](modOVMXConfig &c, int p, int d, int v) { c.SetScaleOutput3(p, d, v); },
     trackingPair, "point 3 output", percent,
     "[photocell][dimmer]: dimmer output percent 0–100 at curve point 3"},
    {"ScaleTarget", 2, 4, false, 0, 255,
     [](Doc c, int p, int d) { return int(c.GetScaleTarget(p, d)); },
     [](modOVMXConfig &c, int p, int d, int v) { c.SetScaleTarget(p, d, v); },
     trackingPair, "target", level,
     "[photocell][dimmer]: light level 0–255 that setpoint tracking holds"},
    {"PhotocellTracking", 2, 4, false, 0, 3,
     [](Doc c, int p, int d) { return int(c.GetPhotocellTracking(p, d)); },
     [](modOVMXConfig &c, int p, int d, int v) { c.SetPhotocellTracking(p, d, v); },
     trackingPair, "tracking", tracking,
     "[photocell][dimmer]: {list}"},
};
// clang-format on
} // namespace

QString Field::elementName(int n) const
{
    QString text = QLatin1String(name);
    if (rows)
        text += QStringLiteral("[%1]").arg(firstIndex(n));
    if (cols)
        text += QStringLiteral("[%1]").arg(secondIndex(n));
    return text;
}

QString Field::valueWords(int v) const
{
    if (auto text = words(v))
        return *text;
    return QStringLiteral("%1 (no entry)").arg(v);
}

QString Field::label(int n) const
{
    QString text = subject(firstIndex(n), secondIndex(n)) + QStringLiteral(": ");
    if (*aspect)
        text += QLatin1String(aspect) + QLatin1Char(' ');
    return text;
}

QString Field::describe(int n, int value) const { return label(n) + valueWords(value); }

QString Field::unitsText() const
{
    QStringList entries;
    if (QByteArrayView(units).contains("{list}"))
        for (int v = min; v <= max; ++v)
            entries << QStringLiteral("%1 = %2").arg(v).arg(valueWords(v));
    return QString::fromUtf8(units).replace(QStringLiteral("{list}"),
                                            entries.join(QStringLiteral("; ")));
}

std::span<const Field> fields() { return table; }

QStringList outOfCoding(const modOVMXConfig &doc)
{
    QStringList found;
    for (const Field &f : table)
        for (int n = 0; n < f.elementCount(); ++n) {
            const int v = f.get(doc, f.firstIndex(n), f.secondIndex(n));
            if (!f.inCoding(v))
                found << f.label(n) + QString::number(v);
        }
    return found;
}

const Field *findField(const QString &name)
{
    for (const Field &f : table)
        if (name == QLatin1String(f.name))
            return &f;
    return nullptr;
}

namespace
{
using ElementWords = std::vector<std::array<int, 2>>;

ElementWords probeWords(const Field &f)
{
    ElementWords result;
    modOVMXConfig scratch;
    for (int n = 0; n < f.elementCount(); ++n) {
        f.set(scratch, f.firstIndex(n), f.secondIndex(n), f.max);
        std::array<int, 2> words{-1, -1};
        size_t found = 0;
        for (int w = 0; w < modOVMXConfig::WordCount; ++w) {
            if (scratch.GetWord(w) == 0)
                continue;
            if (found < words.size())
                words[found++] = w;
            scratch.SetWord(w, 0);
        }
        result.push_back(words);
    }
    return result;
}
} // namespace

std::array<int, 2> wordsOf(const Field &field, int n)
{
    static const std::vector<ElementWords> all = [] {
        std::vector<ElementWords> probed;
        for (const Field &f : table)
            probed.push_back(probeWords(f));
        return probed;
    }();
    const auto index = static_cast<size_t>(&field - table);
    return all[index][static_cast<size_t>(n)];
}

bool isUnusedWord(int w)
{
    return w == 462 || w == 463 || (w >= 864 && w <= 895) || (w >= 968 && w <= 1023);
}

QString WideWord::describe() const
{
    if (!field)
        return QStringLiteral("unused word %1 (holds %2)").arg(word).arg(value);
    QString name = field->label(element).trimmed();
    if (name.endsWith(QLatin1Char(':')))
        name.chop(1);
    return QStringLiteral("%1 (word %2 holds %3)").arg(name).arg(word).arg(value);
}

QList<WideWord> wideWords(const modOVMXConfig &doc)
{
    // Which element each word carries, found once from the word map itself.
    static const std::vector<std::pair<const Field *, int>> owner = [] {
        std::vector<std::pair<const Field *, int>> found(modOVMXConfig::WordCount, {nullptr, 0});
        for (const Field &f : table)
            for (int n = 0; n < f.elementCount(); ++n)
                for (const int w : wordsOf(f, n))
                    if (w >= 0 && !found[static_cast<size_t>(w)].first)
                        found[static_cast<size_t>(w)] = {&f, n};
        return found;
    }();
    QList<WideWord> wide;
    for (int w = 0; w < modOVMXConfig::WordCount; ++w) {
        const int v = doc.GetWord(w);
        if (v < 0 || v > 255) {
            const auto &[field, element] = owner[static_cast<size_t>(w)];
            wide.append({w, v, field, element});
        }
    }
    return wide;
}

QString firstOf(const QStringList &items, qsizetype named)
{
    QString text = items.mid(0, named).join(QStringLiteral("; "));
    if (items.size() > named)
        text += QStringLiteral(" and %1 more").arg(items.size() - named);
    return text;
}

QString wideWordsText(const QList<WideWord> &found, qsizetype named)
{
    QStringList described;
    for (const WideWord &w : found)
        described << w.describe();
    return QStringLiteral("%1 %2 outside 0–255, which the controller cannot take: %3")
        .arg(found.size())
        .arg(found.size() == 1 ? QStringLiteral("word") : QStringLiteral("words"),
             firstOf(described, named));
}

} // namespace FieldTable
