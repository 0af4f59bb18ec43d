#include "ConfigTexts.h"

namespace ConfigTexts
{

namespace
{
// Literals share their data: a refresh builds each relay cell with one allocation.
QString actionAbbreviation(int code)
{
    static const QString names[] = {
        QStringLiteral("-"),  QStringLiteral("Off"), QStringLiteral("On"), QStringLiteral("Tg"),
        QStringLiteral("Tg"), QStringLiteral("Tg"),  QStringLiteral("Tg"), QStringLiteral("To"),
        QStringLiteral("To"), QStringLiteral("To"),  QStringLiteral("Sq"), QStringLiteral("Sq")};
    return code >= 0 && code <= 11 ? names[code] : QString();
}
} // namespace

QString InputRelayControlText(const modOVMXConfig &doc, int input, int relay)
{
    const int x = doc.GetRelayCloseAction(input, relay);
    const int y = doc.GetRelayOpenAction(input, relay);
    if (actionAbbreviation(x).isNull() || actionAbbreviation(y).isNull())
        return QStringLiteral("?");
    QString text =
        (x == 0 && y == 0) ? QStringLiteral("-") : actionAbbreviation(x) + actionAbbreviation(y);
    if (doc.GetRelayHoldStatus(input, relay))
        text += QLatin1Char('H');
    return text;
}

std::optional<QString> pilotText(int switchIndex, int mode)
{
    static const char *const suffixes[] = {
        " - On",          " - Off",        " - Relay 1 On",  " - Relay 1 Off", " - Relay 2 On",
        " - Relay 2 Off", " - Relay 3 On", " - Relay 3 Off", " - Relay 4 On",  " - Relay 4 Off"};
    if (mode < 0 || mode > 9)
        return std::nullopt;
    return QStringLiteral(" Pilot %1%2").arg(switchIndex + 1).arg(QLatin1String(suffixes[mode]));
}

QString levelText(int level, bool footCandles)
{
    if (level < 0 || level > 255)
        return QStringLiteral("?");
    if (footCandles)
        return QStringLiteral("%1 FC").arg(modOVMXConfig::LevelToFootCandles(level));
    return QStringLiteral("%1 / 255").arg(level);
}

QString photocellFrameCaption(int p, int filter)
{
    return QStringLiteral("Photocell %1 [%2 Sec Filter]").arg(p + 1).arg(filter == 0 ? 2 : 30);
}

QString disableCellText(const modOVMXConfig &doc, int i, int j)
{
    const bool set = doc.GetInputDisableClosed(i, j) || doc.GetInputDisableOpen(i, j);
    return set ? QStringLiteral("Disable") : QStringLiteral("-");
}

std::optional<QString> dimmerCellText(int value)
{
    switch (value) {
    case 0:
        return QStringLiteral("-");
    case 1:
        return QStringLiteral("Revert");
    case 2:
        return QStringLiteral("-10%");
    case 3:
        return QStringLiteral("+10%");
    default:
        if (value >= 4 && value <= 104)
            return QStringLiteral("%1%").arg(value - 4);
        return std::nullopt;
    }
}

std::optional<QString> trackingCellText(int mode)
{
    switch (mode) {
    case 0:
        return QStringLiteral("-");
    case 1:
        return QStringLiteral("2 Point Tracking");
    case 2:
        return QStringLiteral("3 Point Tracking");
    case 3:
        return QStringLiteral("Setpoint Tracking");
    default:
        return std::nullopt;
    }
}

QString minuteText(int minutes) { return QStringLiteral("%1 Minute").arg(minutes); }

QString inputName(int i)
{
    if (i < 6)
        return QStringLiteral("Tamberline 01 Input %1").arg(i + 1);
    if (i < 12)
        return QStringLiteral("Tamberline 02 Input %1").arg(i - 5);
    if (i < 16)
        return QStringLiteral("Hardwire Input  %1").arg(i - 11);
    if (i < 20)
        return QStringLiteral("Photocell 1 Input  %1").arg(i - 15);
    return QStringLiteral("Photocell 2 Input  %1").arg(i - 19);
}

QString targetName(int q)
{
    if (q < 4)
        return QStringLiteral("Relay %1").arg(q + 1);
    if (q < 10)
        return QStringLiteral("Tamberline 01 Input %1").arg(q - 3);
    if (q < 16)
        return QStringLiteral("Tamberline 02 Input %1").arg(q - 9);
    if (q < 20)
        return QStringLiteral("Hardwire Input %1").arg(q - 15);
    if (q < 24)
        return QStringLiteral("Photocell 1 Input %1").arg(q - 19);
    if (q < 28)
        return QStringLiteral("Photocell 2 Input %1").arg(q - 23);
    return QStringLiteral("Dimmer Output %1").arg(q - 27);
}

QString photocellName(int i)
{
    return i < 20 ? QStringLiteral("Photocell 1") : QStringLiteral("Photocell 2");
}

QString cellCaption(int k)
{
    const int i = inputOfCell(k);
    const QString input = isTrackingCell(k) ? photocellName(i) : inputName(i);
    return input + QStringLiteral(" / ") + targetName(rowOfCell(k)) + QStringLiteral(" Control");
}

QString deviceHeading(int n)
{
    static const char *const names[] = {"Tamberline 01", "Tamberline 02", "Hardwired",
                                        "Photocell 1", "Photocell 2"};
    return QString::fromLatin1(names[n]);
}

QString inputHeading(int i)
{
    const int number = i < 12 ? i % 6 + 1 : (i - 12) % 4 + 1;
    return QStringLiteral("In %1").arg(number);
}

QString rowHeading(int q)
{
    if (q < 4)
        return QStringLiteral("Relay %1").arg(q + 1);
    if (q < 10)
        return QStringLiteral("TB01-%1").arg(q - 3);
    if (q < 16)
        return QStringLiteral("TB02-%1").arg(q - 9);
    if (q < 20)
        return QStringLiteral("HW In%1").arg(q - 15);
    if (q < 24)
        return QStringLiteral("PC1-%1").arg(q - 19);
    if (q < 28)
        return QStringLiteral("PC2-%1").arg(q - 23);
    return QStringLiteral("Dimmer %1").arg(q - 27);
}

namespace
{
QString deviceShortName(int i)
{
    static const char *const devices[] = {"TB01", "TB02", "HW", "PC1", "PC2"};
    return QString::fromLatin1(devices[i < 12 ? i / 6 : i < 16 ? 2 : i < 20 ? 3 : 4]);
}
} // namespace

QString inputShortName(int i) { return deviceShortName(i) + QLatin1Char(' ') + inputHeading(i); }

QString cellShortName(int k)
{
    const int i = inputOfCell(k);
    // A tracking cell follows the photocell's light level, not one of its level inputs.
    const QString input = isTrackingCell(k) ? deviceShortName(i) : inputShortName(i);
    return rowHeading(rowOfCell(k)) + QStringLiteral(" ← ") + input;
}

ScreenTexts::ScreenTexts()
{
    cells.fill(QStringLiteral("-"));
    for (int k = 0; k < CellCount; ++k)
        if (isHiddenCell(k))
            cells[static_cast<size_t>(k)].clear();
}

void deriveScreenTexts(const modOVMXConfig &doc, ScreenTexts &t)
{
    const QString unknown = QStringLiteral("?");
    for (int n = 0; n < 12; ++n)
        t.pilots[static_cast<size_t>(n)] =
            pilotText(n % 6, doc.GetPilotLight(n / 6, n % 6))
                .value_or(QStringLiteral(" Pilot %1 - ?").arg(n % 6 + 1));
    for (int n = 0; n < 8; ++n) {
        t.offLevels[static_cast<size_t>(n)] =
            levelText(doc.GetPhotocellOffLevel(n / 4, n % 4), doc.ShowLevelsInFC);
        t.onLevels[static_cast<size_t>(n)] =
            levelText(doc.GetPhotocellOnLevel(n / 4, n % 4), doc.ShowLevelsInFC);
    }
    for (int p = 0; p < 2; ++p)
        t.photocellFrames[static_cast<size_t>(p)] =
            photocellFrameCaption(p, doc.GetPhotocellFilter(p));
    t.alertIndex = doc.GetTimedOffAlert();
    t.overrideIndex = doc.GetTimedOffOverride();
    for (int i = 0; i < 24; ++i)
        for (int r = 0; r < 4; ++r)
            t.cells[static_cast<size_t>(24 * r + i)] = InputRelayControlText(doc, i, r);
    for (int i = 0; i < 24; ++i)
        for (int j = 0; j < 24; ++j)
            t.cells[static_cast<size_t>(96 + 24 * j + i)] = disableCellText(doc, i, j);
    for (int i = 0; i < 16; ++i)
        for (int d = 0; d < 4; ++d)
            t.cells[static_cast<size_t>(672 + 24 * d + i)] =
                dimmerCellText(doc.GetDimmerControl(i, d)).value_or(unknown);
    for (int p = 0; p < 2; ++p)
        for (int d = 0; d < 4; ++d)
            t.cells[static_cast<size_t>(trackingCell(p, d))] =
                trackingCellText(doc.GetPhotocellTracking(p, d)).value_or(unknown);
}

} // namespace ConfigTexts
