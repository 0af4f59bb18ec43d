#include "ShowText.h"

#include "ConfigDiff.h"
#include "ConfigTexts.h"
#include "OptionTexts.h"

#include <optional>

namespace ShowText
{

namespace
{
using namespace ConfigTexts;

constexpr int HeadingWidth = 9;
constexpr int CellWidth = 8;

QString line(QString text)
{
    while (text.endsWith(QLatin1Char(' ')))
        text.chop(1);
    return text + QLatin1Char('\n');
}

QString gridHeadings()
{
    static const int firstInput[] = {0, 6, 12, 16, 20, 24};
    QString devices = QString(HeadingWidth, QLatin1Char(' '));
    for (int n = 0; n < 5; ++n)
        devices += deviceHeading(n).leftJustified(CellWidth * (firstInput[n + 1] - firstInput[n]));
    QString inputs = QString(HeadingWidth, QLatin1Char(' '));
    for (int i = 0; i < 24; ++i)
        inputs += inputHeading(i).leftJustified(CellWidth);
    return line(devices) + line(inputs);
}

QString gridRow(const ScreenTexts &texts, int q)
{
    QString row = rowHeading(q).leftJustified(HeadingWidth);
    for (int i = 0; i < 24; ++i) {
        const int k = 24 * q + i;
        if (isTrackingCell(k))
            row += texts.cells[static_cast<size_t>(k)].leftJustified(4 * CellWidth);
        else if (!isHiddenCell(k))
            row += texts.cells[static_cast<size_t>(k)].leftJustified(CellWidth);
        else if (q < 28)
            row += QString(CellWidth, QLatin1Char(' '));
    }
    return line(row);
}

QString gridSection(const ScreenTexts &texts, const QString &caption, int firstRow, int lastRow)
{
    QString text = line(caption) + gridHeadings();
    for (int q = firstRow; q <= lastRow; ++q)
        text += gridRow(texts, q);
    return text + QLatin1Char('\n');
}

QString panels(const modOVMXConfig &doc, const ScreenTexts &texts)
{
    QString text;
    for (int s = 0; s < 2; ++s) {
        text += line(QStringLiteral("Tamberline 0%1 Pilots").arg(s + 1));
        for (int k = 0; k < 6; ++k)
            text += line(QStringLiteral("  ") + texts.pilots[static_cast<size_t>(6 * s + k)]);
    }
    for (int p = 0; p < 2; ++p) {
        text += line(texts.photocellFrames[static_cast<size_t>(p)]);
        for (int l = 0; l < 4; ++l) {
            const auto n = static_cast<size_t>(4 * p + l);
            text += line(QStringLiteral("  %1  Off %2  On %3")
                             .arg(l + 1)
                             .arg(texts.offLevels[n].leftJustified(11), texts.onLevels[n]));
        }
    }
    const int alert = doc.GetTimedOffAlert();
    const int overrideMinutes = doc.GetTimedOffOverride();
    text += line(QStringLiteral("Timed Off Configuation"));
    text += line(QStringLiteral("  Blink Alert  ") +
                 orNoEntry(OptionTexts::timedOffAlertText(alert), alert));
    text += line(QStringLiteral("  Override     ") +
                 orNoEntry(OptionTexts::timedOffOverrideText(overrideMinutes), overrideMinutes));
    return text + QLatin1Char('\n');
}

QString settings(const modOVMXConfig &doc)
{
    using namespace OptionTexts;
    QString text = line(QStringLiteral("Relay Power On Options"));
    for (int r = 0; r < 4; ++r)
        text += line(QStringLiteral("  Relay %1  ").arg(r + 1) +
                     orNoEntry(relayPowerOnText(doc.GetRelayPowerOn(r)), doc.GetRelayPowerOn(r)));
    text += line(QStringLiteral("Dimmer Settings"));
    for (int d = 0; d < 4; ++d) {
        const int on = doc.GetDimmerPowerOnLevel(d), min = doc.GetDimmerMinLevel(d);
        const int max = doc.GetDimmerMaxLevel(d), fade = doc.GetDimmerFadeRate(d);
        text += line(QStringLiteral("  Dimmer %1  %2, %3, %4, %5")
                         .arg(d + 1)
                         .arg(orNoEntry(dimmerPowerOnLevelText(on), on),
                              orNoEntry(dimmerMinLevelText(min), min),
                              orNoEntry(dimmerMaxLevelText(max), max),
                              orNoEntry(dimmerFadeRateText(fade), fade)));
    }
    const int port = doc.GetComPort();
    text += line(QStringLiteral("Serial Port  ") +
                 (port >= 0 && port <= 7 ? QStringLiteral("COM%1").arg(port + 1)
                                         : QStringLiteral("%1 (no entry)").arg(port)));
    return text + QLatin1Char('\n');
}

} // namespace

QString orNoEntry(const std::optional<QString> &text, int value)
{
    return text ? *text : QStringLiteral("%1 (no entry)").arg(value);
}

ScreenTexts screenTexts(const modOVMXConfig &doc)
{
    ScreenTexts texts;
    deriveScreenTexts(doc, texts);
    return texts;
}

QString render(const modOVMXConfig &doc)
{
    const std::array<QString, 2> parts = renderParts(doc);
    return parts[0] + parts[1];
}

std::array<QString, 2> renderParts(const modOVMXConfig &doc)
{
    const ScreenTexts texts = screenTexts(doc);
    QString grid =
        line(doc.BaseTitle + QStringLiteral("   -   ") + doc.DataFileName) + QLatin1Char('\n');
    grid += gridSection(texts, QStringLiteral("Relay Control"), 0, 3);
    grid += gridSection(texts, QStringLiteral("Input Disable"), 4, 27);
    grid += gridSection(texts, QStringLiteral("Dimmer Control / Photocell Tracking"), 28, 31);
    QString text = panels(doc, texts) + settings(doc);
    text += line(QStringLiteral("Changed From A New Configuration"));
    const QStringList changes = ConfigDiff::describeChangesFromNew(doc);
    for (const QString &change : changes)
        text += line(QStringLiteral("  ") + change);
    if (changes.isEmpty())
        text += line(QStringLiteral("  nothing"));
    return {grid, text};
}

} // namespace ShowText
