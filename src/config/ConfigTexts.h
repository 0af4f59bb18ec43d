#pragma once

#include "modOVMXConfig.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

// The words the screen, the editors and the command line show for the image. Functions that
// return std::optional give nullopt for a value outside their coding: the caller then leaves
// its text as it was.
namespace ConfigTexts
{

// Grid geometry shared by the screen and the command line: cell k is input k % 24, row k / 24.
constexpr int CellCount = 768;
constexpr int inputOfCell(int k) { return k % 24; }
constexpr int rowOfCell(int k) { return k / 24; }
constexpr bool isTrackingCell(int k)
{
    return k >= 688 && k <= 764 && (k - 688) % 24 < 5 && (k - 688) % 4 == 0;
}
// Covered photocell cells of the dimmer rows and the diagonal input-disable cells.
constexpr bool isHiddenCell(int k)
{
    if (k >= 672 && inputOfCell(k) >= 16)
        return !isTrackingCell(k);
    return k >= 96 && k < 672 && (k - 96) % 25 == 0;
}
constexpr int trackingCell(int p, int d) { return 688 + 24 * d + 4 * p; }

// "TgOnH"; "?" when either action lies outside its coding.
QString InputRelayControlText(const modOVMXConfig &doc, int input, int relay);
std::optional<QString> pilotText(int switchIndex, int mode); // " Pilot 3 - Relay 2 On"
QString levelText(int level, bool footCandles);              // "128 / 255", "12 FC" or "?"
QString photocellFrameCaption(int p, int filter);            // "Photocell 1 [30 Sec Filter]"
QString disableCellText(const modOVMXConfig &doc, int i, int j);
std::optional<QString> dimmerCellText(int value);
std::optional<QString> trackingCellText(int mode);
QString minuteText(int minutes); // "7 Minute": the word stays singular

QString inputName(int i);     // "Hardwire Input  3"
QString targetName(int q);    // "Tamberline 02 Input 4", "Dimmer Output 3"
QString photocellName(int i); // "Photocell 1" for inputs 16-19
QString cellCaption(int k);   // "Tamberline 01 Input 3 / Relay 2 Control"
QString deviceHeading(int n); // "Tamberline 01" ... "Photocell 2"
QString inputHeading(int i);  // "In 1" ...
QString rowHeading(int q);    // "Relay 1", "TB01-1", "HW In1", "PC2-4", "Dimmer 4"
// An input in the grid's own short words: "TB01 In 3", "HW In 2", "PC2 In 4".
QString inputShortName(int i);
// A cell in the grid's own short words, its row first: "Relay 2 ← TB01 In 3", "Dimmer 1 ← PC2".
QString cellShortName(int k);

// Every text of the main screen, derived in one pass. A text whose value lies outside its
// coding is "?": a caption left from the file shown before would claim a setting this image
// does not hold.
struct ScreenTexts {
    std::array<QString, CellCount> cells;
    std::array<QString, 12> pilots;
    std::array<QString, 8> offLevels;
    std::array<QString, 8> onLevels;
    std::array<QString, 2> photocellFrames;
    int alertIndex = 0;
    int overrideIndex = 0;

    ScreenTexts();
};
void deriveScreenTexts(const modOVMXConfig &doc, ScreenTexts &texts);

} // namespace ConfigTexts
