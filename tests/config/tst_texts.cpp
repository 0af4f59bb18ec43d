#include "ConfigTexts.h"

#include <QTest>

#include <functional>
#include <map>

using namespace ConfigTexts;

class TextsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void relayCell_readsActionsAndHold_data();
    void relayCell_readsActionsAndHold();
    void code_givesText_data();
    void code_givesText();
    void disableBits_giveCellText_data();
    void disableBits_giveCellText();
    void field_landsInItsCellOnly_data();
    void field_landsInItsCellOnly();
    void sidePanels_followTheirFields();
    void footCandleOption_changesOnlyTheLevelLabels();
    void freshTexts_matchStartUp();
    void outOfRangeWords_keepPreviousTexts_data();
    void outOfRangeWords_keepPreviousTexts();
};

void TextsTest::relayCell_readsActionsAndHold_data()
{
    QTest::addColumn<int>("closeWord"); // bits 0-6 close action, bit 7 hold
    QTest::addColumn<int>("openWord");
    QTest::addColumn<QString>("text");
    QTest::newRow("both none") << 0 << 0 << "-";
    QTest::newRow("both none, hold") << 128 << 0 << "-H";
    QTest::newRow("open off") << 0 << 1 << "-Off";
    QTest::newRow("close off") << 1 << 0 << "Off-";
    QTest::newRow("toggle, timed, hold") << 133 << 8 << "TgToH";
    QTest::newRow("toggles 3 and 4") << 3 << 4 << "TgTg";
    QTest::newRow("timed 9, sequence 10") << 9 << 10 << "ToSq";
    QTest::newRow("sequence, none") << 11 << 0 << "Sq-";
    QTest::newRow("close 12 adds nothing") << 12 << 0 << "-";
    QTest::newRow("close 12 with hold") << 140 << 1 << "OffH";
    QTest::newRow("open 12 adds nothing") << 0 << 12 << "-";
    QTest::newRow("open negative adds nothing") << 2 << -1 << "On";
    QTest::newRow("high byte ignored") << 0x0180 << 0 << "-H";
}

void TextsTest::relayCell_readsActionsAndHold()
{
    QFETCH(int, closeWord);
    QFETCH(int, openWord);
    QFETCH(QString, text);
    modOVMXConfig doc;
    doc.SetWord(16 * 14 + 4 * 3, closeWord);
    doc.SetWord(16 * 14 + 4 * 3 + 1, openWord);
    QCOMPARE(InputRelayControlText(doc, 14, 3), text);
    QCOMPARE(InputRelayControlText(doc, 14, 2), QStringLiteral("-"));
}

// Every text made from one number (and an index); a null text means none: the cell keeps its
// previous text.
void TextsTest::code_givesText_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("text");
    auto row = [](const char *kind, int index, int value, const char *text) {
        QTest::addRow("%s %d %d", kind, index, value)
            << QString::fromLatin1(kind) << index << value
            << (text ? QString::fromUtf8(text) : QString());
    };
    row("dimmer", 0, 0, "-");
    row("dimmer", 0, 1, "Revert");
    row("dimmer", 0, 2, "-10%");
    row("dimmer", 0, 4, "0%");
    row("dimmer", 0, 104, "100%");
    row("dimmer", 0, 105, nullptr);
    row("dimmer", 0, -1, nullptr);
    row("tracking", 0, 0, "-");
    row("tracking", 0, 3, "Setpoint Tracking");
    row("tracking", 0, 4, nullptr);
    row("tracking", 0, -1, nullptr);
    const char *suffixes[] = {" - On",         " - Off",         " - Relay 1 On", " - Relay 1 Off",
                              " - Relay 2 On", " - Relay 2 Off", " - Relay 3 On", " - Relay 3 Off",
                              " - Relay 4 On", " - Relay 4 Off"};
    for (int mode = 0; mode < 10; ++mode)
        row("pilot", 0, mode,
            qPrintable(QStringLiteral(" Pilot 1") + QLatin1String(suffixes[mode])));
    row("pilot", 5, 1, " Pilot 6 - Off");
    row("pilot", 0, 10, nullptr);
    row("pilot", 0, -1, nullptr);
    row("level", 0, 255, "255 / 255");
    row("level", 1, 0, "0 FC"); // index 1: in foot-candles
    row("level", 1, 128, "14 FC");
    row("level", 1, -1, "1800 FC");
    row("filter", 0, 1, "Photocell 1 [30 Sec Filter]");
    row("filter", 1, 2, "Photocell 2 [30 Sec Filter]");
    row("filter", 1, -1, "Photocell 2 [30 Sec Filter]");
    row("input", 0, 5, "Tamberline 01 Input 6");
    row("input", 0, 6, "Tamberline 02 Input 1");
    row("input", 0, 12, "Hardwire Input  1");
    row("input", 0, 20, "Photocell 2 Input  1");
    row("target", 0, 3, "Relay 4");
    row("target", 0, 4, "Tamberline 01 Input 1");
    row("target", 0, 16, "Hardwire Input 1");
    row("target", 0, 27, "Photocell 2 Input 4");
    row("target", 0, 28, "Dimmer Output 1");
    row("target", 0, 31, "Dimmer Output 4");
    row("caption", 0, 26, "Tamberline 01 Input 3 / Relay 2 Control");
    row("caption", 0, 110, "Hardwire Input  3 / Tamberline 01 Input 1 Control");
    row("caption", 0, 688, "Photocell 1 / Dimmer Output 1 Control");
    row("caption", 0, 764, "Photocell 2 / Dimmer Output 4 Control");
    row("caption", 0, 671, "Photocell 2 Input  4 / Photocell 2 Input 4 Control");
    row("device", 0, 0, "Tamberline 01");
    row("device", 0, 1, "Tamberline 02");
    row("device", 0, 2, "Hardwired");
    row("device", 0, 3, "Photocell 1");
    row("device", 0, 4, "Photocell 2");
    row("column", 0, 5, "In 6");
    row("column", 0, 6, "In 1");
    row("column", 0, 16, "In 1");
    row("column", 0, 23, "In 4");
    row("row", 0, 0, "Relay 1");
    row("row", 0, 10, "TB02-1");
    row("row", 0, 16, "HW In1");
    row("row", 0, 27, "PC2-4");
    row("row", 0, 31, "Dimmer 4");
}

void TextsTest::code_givesText()
{
    QFETCH(QString, kind);
    QFETCH(int, index);
    QFETCH(int, value);
    QFETCH(QString, text);
    const std::map<QString, std::function<std::optional<QString>()>> make = {
        {"dimmer", [&] { return dimmerCellText(value); }},
        {"tracking", [&] { return trackingCellText(value); }},
        {"pilot", [&] { return pilotText(index, value); }},
        {"level", [&] { return levelText(value, index == 1); }},
        {"filter", [&] { return photocellFrameCaption(index, value); }},
        {"input", [&] { return inputName(value); }},
        {"target", [&] { return targetName(value); }},
        {"caption", [&] { return cellCaption(value); }},
        {"device", [&] { return deviceHeading(value); }},
        {"column", [&] { return inputHeading(value); }},
        {"row", [&] { return rowHeading(value); }},
    };
    const std::optional<QString> made = make.at(kind)();
    QCOMPARE(made.has_value(), !text.isNull());
    QCOMPARE(made.value_or(QString()), text);
}

void TextsTest::disableBits_giveCellText_data()
{
    QTest::addColumn<bool>("closed");
    QTest::addColumn<bool>("open");
    QTest::addColumn<QString>("text");
    QTest::newRow("neither") << false << false << "-";
    QTest::newRow("closed only") << true << false << "Disable";
    QTest::newRow("open only") << false << true << "Disable";
    QTest::newRow("both") << true << true << "Disable";
}

void TextsTest::disableBits_giveCellText()
{
    QFETCH(bool, closed);
    QFETCH(bool, open);
    QFETCH(QString, text);
    modOVMXConfig doc;
    doc.SetInputDisableClosed(14, 0, closed);
    doc.SetInputDisableOpen(14, 0, open);
    QCOMPARE(disableCellText(doc, 14, 0), text);
    QCOMPARE(disableCellText(doc, 0, 14), QStringLiteral("-"));
}

void TextsTest::field_landsInItsCellOnly_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("a");
    QTest::addColumn<int>("b");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("cell");
    QTest::addColumn<QString>("text");
    QTest::newRow("relay input 2, relay 2") << "relay" << 2 << 1 << 2 << 26 << "On-";
    QTest::newRow("relay input 23, relay 4") << "relay" << 23 << 3 << 1 << 95 << "Off-";
    QTest::newRow("closed 14 disables 0") << "closed" << 14 << 0 << 1 << 110 << "Disable";
    QTest::newRow("open 0 disables 23") << "open" << 0 << 23 << 1 << 648 << "Disable";
    QTest::newRow("dimmer input 4, dimmer 2") << "dimmer" << 4 << 1 << 54 << 700 << "50%";
    QTest::newRow("dimmer input 15, dimmer 4") << "dimmer" << 15 << 3 << 3 << 759 << "+10%";
    QTest::newRow("tracking 2, dimmer 1") << "tracking" << 1 << 0 << 2 << 692 << "3 Point Tracking";
    QTest::newRow("tracking 1, dimmer 2")
        << "tracking" << 0 << 1 << 3 << 712 << "Setpoint Tracking";
    QTest::newRow("tracking 2, dimmer 4") << "tracking" << 1 << 3 << 1 << 764 << "2 Point Tracking";
}

void TextsTest::field_landsInItsCellOnly()
{
    QFETCH(QString, kind);
    QFETCH(int, a);
    QFETCH(int, b);
    QFETCH(int, value);
    QFETCH(int, cell);
    QFETCH(QString, text);
    modOVMXConfig doc;
    ScreenTexts before;
    deriveScreenTexts(doc, before);
    if (kind == QStringLiteral("relay"))
        doc.SetRelayCloseAction(a, b, value);
    else if (kind == QStringLiteral("closed"))
        doc.SetInputDisableClosed(a, b, true);
    else if (kind == QStringLiteral("open"))
        doc.SetInputDisableOpen(a, b, true);
    else if (kind == QStringLiteral("dimmer"))
        doc.SetDimmerControl(a, b, value);
    else
        doc.SetPhotocellTracking(a, b, value);
    ScreenTexts after;
    deriveScreenTexts(doc, after);
    for (int k = 0; k < CellCount; ++k) {
        const QString expected = k == cell ? text : before.cells[size_t(k)];
        QCOMPARE(QStringLiteral("%1: %2").arg(k).arg(after.cells[size_t(k)]),
                 QStringLiteral("%1: %2").arg(k).arg(expected));
    }
}

void TextsTest::sidePanels_followTheirFields()
{
    modOVMXConfig doc;
    doc.NewConfiguration();
    doc.SetPilotLight(1, 0, 0);
    doc.SetPilotLight(1, 3, 4);
    doc.SetPhotocellOffLevel(1, 2, 128);
    doc.SetPhotocellOnLevel(0, 1, 200);
    doc.SetPhotocellFilter(1, 0);
    doc.SetTimedOffAlert(5);
    doc.SetTimedOffOverride(994);
    ScreenTexts t;
    deriveScreenTexts(doc, t);
    QCOMPARE(t.pilots[6], QStringLiteral(" Pilot 1 - On"));
    QCOMPARE(t.pilots[9], QStringLiteral(" Pilot 4 - Relay 2 On"));
    QCOMPARE(t.pilots[0], QStringLiteral(" Pilot 1 - On"));
    QCOMPARE(t.offLevels[6], QStringLiteral("128 / 255"));
    QCOMPARE(t.onLevels[6], QStringLiteral("0 / 255"));
    QCOMPARE(t.onLevels[1], QStringLiteral("200 / 255"));
    QCOMPARE(t.photocellFrames[0], QStringLiteral("Photocell 1 [30 Sec Filter]"));
    QCOMPARE(t.photocellFrames[1], QStringLiteral("Photocell 2 [2 Sec Filter]"));
    QCOMPARE(t.alertIndex, 5);
    QCOMPARE(t.overrideIndex, 994);
}

void TextsTest::footCandleOption_changesOnlyTheLevelLabels()
{
    modOVMXConfig doc;
    doc.NewConfiguration();
    for (int p = 0; p < 2; ++p)
        for (int l = 0; l < 4; ++l) {
            doc.SetPhotocellOffLevel(p, l, 128);
            doc.SetPhotocellOnLevel(p, l, 240);
        }
    ScreenTexts levels, footCandles;
    deriveScreenTexts(doc, levels);
    doc.ShowLevelsInFC = true;
    deriveScreenTexts(doc, footCandles);
    for (size_t n = 0; n < 8; ++n) {
        QCOMPARE(levels.offLevels[n], QStringLiteral("128 / 255"));
        QCOMPARE(footCandles.offLevels[n], QStringLiteral("14 FC"));
        QCOMPARE(footCandles.onLevels[n], QStringLiteral("1600 FC"));
    }
    QVERIFY(levels.cells == footCandles.cells);
    QVERIFY(levels.pilots == footCandles.pilots);
    QVERIFY(levels.photocellFrames == footCandles.photocellFrames);
}

void TextsTest::freshTexts_matchStartUp()
{
    const ScreenTexts t;
    int hidden = 0;
    for (int k = 0; k < CellCount; ++k) {
        const bool covered = (k >= 689 && k <= 691) || (k >= 693 && k <= 695) ||
                             (k >= 713 && k <= 715) || (k >= 717 && k <= 719) ||
                             (k >= 737 && k <= 739) || (k >= 741 && k <= 743) ||
                             (k >= 761 && k <= 763) || (k >= 765);
        const bool diagonal = k >= 96 && k < 672 && (k - 96) % 25 == 0;
        QCOMPARE(isHiddenCell(k), covered || diagonal);
        hidden += isHiddenCell(k);
        QCOMPARE(t.cells[size_t(k)], isHiddenCell(k) ? QString() : QStringLiteral("-"));
    }
    QCOMPARE(hidden, 48);
    QVERIFY(t.pilots[0].isEmpty());
}

void TextsTest::outOfRangeWords_keepPreviousTexts_data()
{
    QTest::addColumn<int>("word");
    for (int word : {-32768, -1, 105, 256, 32767})
        QTest::addRow("%d", word) << word;
}

void TextsTest::outOfRangeWords_keepPreviousTexts()
{
    QFETCH(int, word);
    modOVMXConfig doc;
    for (int w = 0; w < modOVMXConfig::WordCount; ++w)
        doc.SetWord(w, word);
    ScreenTexts t;
    const QString previous = QStringLiteral("previous");
    t.cells.fill(previous);
    t.pilots.fill(previous);
    deriveScreenTexts(doc, t);
    for (int k = 672; k < CellCount; ++k)
        QCOMPARE(t.cells[size_t(k)], previous); // dimmer and tracking codes have no text
    for (const QString &pilot : t.pilots)
        QCOMPARE(pilot, previous);
    for (int k = 0; k < 96; ++k)
        QVERIFY(t.cells[size_t(k)] != previous);
    QCOMPARE(t.offLevels[0], QStringLiteral("%1 / 255").arg(word));
    QCOMPARE(t.photocellFrames[0], QStringLiteral("Photocell 1 [30 Sec Filter]"));
}

QTEST_GUILESS_MAIN(TextsTest)
#include "tst_texts.moc"
