#include "ConfigTexts.h"

#include <QRandomGenerator>
#include <QTest>

using namespace ConfigTexts;

class TextsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void relayCell_readsActionsAndHold_data();
    void relayCell_readsActionsAndHold();
    void dimmerValue_givesCellText_data();
    void dimmerValue_givesCellText();
    void trackingMode_givesCellText_data();
    void trackingMode_givesCellText();
    void pilotMode_givesLabel_data();
    void pilotMode_givesLabel();
    void level_givesText_data();
    void level_givesText();
    void filter_givesFrameCaption_data();
    void filter_givesFrameCaption();
    void disableBits_giveCellText_data();
    void disableBits_giveCellText();
    void input_hasName_data();
    void input_hasName();
    void row_hasTargetName_data();
    void row_hasTargetName();
    void cell_hasCaption_data();
    void cell_hasCaption();
    void headings_nameColumnsAndRows();
    void field_landsInItsCellOnly_data();
    void field_landsInItsCellOnly();
    void sidePanels_followTheirFields();
    void footCandleOption_changesOnlyTheLevelLabels();
    void freshTexts_matchStartUp();
    void outOfRangeWords_keepPreviousTexts_data();
    void outOfRangeWords_keepPreviousTexts();
    void randomImages_deriveWithoutFault();
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
    QTest::newRow("on, off") << 2 << 1 << "OnOff";
    QTest::newRow("toggle, timed, hold") << 133 << 8 << "TgToH";
    QTest::newRow("toggles 3 and 4") << 3 << 4 << "TgTg";
    QTest::newRow("toggle 6, timed 7") << 6 << 7 << "TgTo";
    QTest::newRow("timed 9, sequence 10") << 9 << 10 << "ToSq";
    QTest::newRow("sequences") << 10 << 11 << "SqSq";
    QTest::newRow("sequence, none") << 11 << 0 << "Sq-";
    QTest::newRow("close 12 adds nothing") << 12 << 0 << "-";
    QTest::newRow("close 127 adds nothing") << 127 << 0 << "-";
    QTest::newRow("close 12 with hold") << 140 << 1 << "OffH";
    QTest::newRow("open 12 adds nothing") << 0 << 12 << "-";
    QTest::newRow("open negative adds nothing") << 2 << -1 << "On";
    QTest::newRow("open most negative") << 0 << -32768 << "-";
    QTest::newRow("open largest") << 2 << 32767 << "On";
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

void TextsTest::dimmerValue_givesCellText_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("text"); // null: no text, the cell keeps its caption
    QTest::newRow("none") << 0 << "-";
    QTest::newRow("revert") << 1 << "Revert";
    QTest::newRow("lower") << 2 << "-10%";
    QTest::newRow("raise") << 3 << "+10%";
    QTest::newRow("goto 0") << 4 << "0%";
    QTest::newRow("goto 50") << 54 << "50%";
    QTest::newRow("goto 100") << 104 << "100%";
    QTest::newRow("105") << 105 << QString();
    QTest::newRow("-1") << -1 << QString();
    QTest::newRow("32767") << 32767 << QString();
}

void TextsTest::dimmerValue_givesCellText()
{
    QFETCH(int, value);
    QFETCH(QString, text);
    QCOMPARE(dimmerCellText(value).value_or(QString()), text);
    QCOMPARE(dimmerCellText(value).has_value(), !text.isNull());
}

void TextsTest::trackingMode_givesCellText_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("text");
    QTest::newRow("disabled") << 0 << "-";
    QTest::newRow("2 point") << 1 << "2 Point Tracking";
    QTest::newRow("3 point") << 2 << "3 Point Tracking";
    QTest::newRow("setpoint") << 3 << "Setpoint Tracking";
    QTest::newRow("4") << 4 << QString();
    QTest::newRow("-1") << -1 << QString();
}

void TextsTest::trackingMode_givesCellText()
{
    QFETCH(int, mode);
    QFETCH(QString, text);
    QCOMPARE(trackingCellText(mode).value_or(QString()), text);
    QCOMPARE(trackingCellText(mode).has_value(), !text.isNull());
}

void TextsTest::pilotMode_givesLabel_data()
{
    QTest::addColumn<int>("switchIndex");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("text");
    const char *suffixes[] = {" - On",         " - Off",         " - Relay 1 On", " - Relay 1 Off",
                              " - Relay 2 On", " - Relay 2 Off", " - Relay 3 On", " - Relay 3 Off",
                              " - Relay 4 On", " - Relay 4 Off"};
    for (int mode = 0; mode < 10; ++mode)
        QTest::addRow("switch 1 mode %d", mode)
            << 0 << mode << QStringLiteral(" Pilot 1") + QLatin1String(suffixes[mode]);
    QTest::newRow("switch 3 relay 2 on") << 2 << 4 << " Pilot 3 - Relay 2 On";
    QTest::newRow("switch 6 off") << 5 << 1 << " Pilot 6 - Off";
    QTest::newRow("mode 10") << 0 << 10 << QString();
    QTest::newRow("mode -1") << 0 << -1 << QString();
}

void TextsTest::pilotMode_givesLabel()
{
    QFETCH(int, switchIndex);
    QFETCH(int, mode);
    QFETCH(QString, text);
    QCOMPARE(pilotText(switchIndex, mode).value_or(QString()), text);
    QCOMPARE(pilotText(switchIndex, mode).has_value(), !text.isNull());
}

void TextsTest::level_givesText_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<bool>("footCandles");
    QTest::addColumn<QString>("text");
    QTest::newRow("0") << 0 << false << "0 / 255";
    QTest::newRow("128") << 128 << false << "128 / 255";
    QTest::newRow("255") << 255 << false << "255 / 255";
    QTest::newRow("0 FC") << 0 << true << "0 FC";
    QTest::newRow("128 FC") << 128 << true << "14 FC";
    QTest::newRow("240 FC") << 240 << true << "1600 FC";
    QTest::newRow("255 FC") << 255 << true << "1800 FC";
    QTest::newRow("-1 FC") << -1 << true << "1800 FC";
}

void TextsTest::level_givesText()
{
    QFETCH(int, level);
    QFETCH(bool, footCandles);
    QFETCH(QString, text);
    QCOMPARE(levelText(level, footCandles), text);
}

void TextsTest::filter_givesFrameCaption_data()
{
    QTest::addColumn<int>("p");
    QTest::addColumn<int>("filter");
    QTest::addColumn<QString>("text");
    QTest::newRow("1, 2 s") << 0 << 0 << "Photocell 1 [2 Sec Filter]";
    QTest::newRow("1, 30 s") << 0 << 1 << "Photocell 1 [30 Sec Filter]";
    QTest::newRow("2, 2 s") << 1 << 0 << "Photocell 2 [2 Sec Filter]";
    QTest::newRow("2, value 2") << 1 << 2 << "Photocell 2 [30 Sec Filter]";
    QTest::newRow("2, value -1") << 1 << -1 << "Photocell 2 [30 Sec Filter]";
}

void TextsTest::filter_givesFrameCaption()
{
    QFETCH(int, p);
    QFETCH(int, filter);
    QFETCH(QString, text);
    QCOMPARE(photocellFrameCaption(p, filter), text);
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

void TextsTest::input_hasName_data()
{
    QTest::addColumn<int>("i");
    QTest::addColumn<QString>("name");
    QTest::newRow("0") << 0 << "Tamberline 01 Input 1";
    QTest::newRow("5") << 5 << "Tamberline 01 Input 6";
    QTest::newRow("6") << 6 << "Tamberline 02 Input 1";
    QTest::newRow("11") << 11 << "Tamberline 02 Input 6";
    QTest::newRow("12") << 12 << "Hardwire Input  1";
    QTest::newRow("15") << 15 << "Hardwire Input  4";
    QTest::newRow("16") << 16 << "Photocell 1 Input  1";
    QTest::newRow("19") << 19 << "Photocell 1 Input  4";
    QTest::newRow("20") << 20 << "Photocell 2 Input  1";
    QTest::newRow("23") << 23 << "Photocell 2 Input  4";
}

void TextsTest::input_hasName()
{
    QFETCH(int, i);
    QFETCH(QString, name);
    QCOMPARE(inputName(i), name);
}

void TextsTest::row_hasTargetName_data()
{
    QTest::addColumn<int>("q");
    QTest::addColumn<QString>("name");
    QTest::newRow("0") << 0 << "Relay 1";
    QTest::newRow("3") << 3 << "Relay 4";
    QTest::newRow("4") << 4 << "Tamberline 01 Input 1";
    QTest::newRow("9") << 9 << "Tamberline 01 Input 6";
    QTest::newRow("10") << 10 << "Tamberline 02 Input 1";
    QTest::newRow("15") << 15 << "Tamberline 02 Input 6";
    QTest::newRow("16") << 16 << "Hardwire Input 1";
    QTest::newRow("19") << 19 << "Hardwire Input 4";
    QTest::newRow("20") << 20 << "Photocell 1 Input 1";
    QTest::newRow("23") << 23 << "Photocell 1 Input 4";
    QTest::newRow("24") << 24 << "Photocell 2 Input 1";
    QTest::newRow("27") << 27 << "Photocell 2 Input 4";
    QTest::newRow("28") << 28 << "Dimmer Output 1";
    QTest::newRow("31") << 31 << "Dimmer Output 4";
}

void TextsTest::row_hasTargetName()
{
    QFETCH(int, q);
    QFETCH(QString, name);
    QCOMPARE(targetName(q), name);
}

void TextsTest::cell_hasCaption_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<QString>("caption");
    QTest::newRow("26") << 26 << "Tamberline 01 Input 3 / Relay 2 Control";
    QTest::newRow("110") << 110 << "Hardwire Input  3 / Tamberline 01 Input 1 Control";
    QTest::newRow("700") << 700 << "Tamberline 01 Input 5 / Dimmer Output 2 Control";
    QTest::newRow("688") << 688 << "Photocell 1 / Dimmer Output 1 Control";
    QTest::newRow("740") << 740 << "Photocell 2 / Dimmer Output 3 Control";
    QTest::newRow("764") << 764 << "Photocell 2 / Dimmer Output 4 Control";
    QTest::newRow("671") << 671 << "Photocell 2 Input  4 / Photocell 2 Input 4 Control";
}

void TextsTest::cell_hasCaption()
{
    QFETCH(int, k);
    QFETCH(QString, caption);
    QCOMPARE(cellCaption(k), caption);
}

void TextsTest::headings_nameColumnsAndRows()
{
    const QStringList devices = {"Tamberline 01", "Tamberline 02", "Hardwired", "Photocell 1",
                                 "Photocell 2"};
    for (int n = 0; n < 5; ++n)
        QCOMPARE(deviceHeading(n), devices[n]);
    const int numbers[24] = {1, 2, 3, 4, 5, 6, 1, 2, 3, 4, 5, 6,
                             1, 2, 3, 4, 1, 2, 3, 4, 1, 2, 3, 4};
    for (int i = 0; i < 24; ++i)
        QCOMPARE(inputHeading(i), QStringLiteral("In %1").arg(numbers[i]));
    const QStringList rows = {"Relay 1", "Relay 4", "TB01-1",   "TB01-6",  "TB02-1",
                              "TB02-6",  "HW In1",  "HW In4",   "PC1-1",   "PC1-4",
                              "PC2-1",   "PC2-4",   "Dimmer 1", "Dimmer 4"};
    const int rowIndex[] = {0, 3, 4, 9, 10, 15, 16, 19, 20, 23, 24, 27, 28, 31};
    for (int n = 0; n < rows.size(); ++n)
        QCOMPARE(rowHeading(rowIndex[n]), rows[n]);
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
    QTest::newRow("relay input 0, relay 1") << "relay" << 0 << 0 << 10 << 0 << "Sq-";
    QTest::newRow("closed 14 disables 0") << "closed" << 14 << 0 << 1 << 110 << "Disable";
    QTest::newRow("open 0 disables 23") << "open" << 0 << 23 << 1 << 648 << "Disable";
    QTest::newRow("closed 23 disables 22") << "closed" << 23 << 22 << 1 << 647 << "Disable";
    QTest::newRow("dimmer input 4, dimmer 2") << "dimmer" << 4 << 1 << 54 << 700 << "50%";
    QTest::newRow("dimmer input 0, dimmer 1") << "dimmer" << 0 << 0 << 1 << 672 << "Revert";
    QTest::newRow("dimmer input 15, dimmer 4") << "dimmer" << 15 << 3 << 3 << 759 << "+10%";
    QTest::newRow("tracking 1, dimmer 1") << "tracking" << 0 << 0 << 1 << 688 << "2 Point Tracking";
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

void TextsTest::randomImages_deriveWithoutFault()
{
    QRandomGenerator random(2024);
    for (int round = 0; round < 50; ++round) {
        modOVMXConfig doc;
        for (int w = 0; w < modOVMXConfig::WordCount; ++w)
            doc.SetWord(w, random.bounded(-32768, 32768));
        doc.ShowLevelsInFC = round % 2;
        ScreenTexts t;
        deriveScreenTexts(doc, t);
        for (int k = 0; k < 96; ++k)
            QVERIFY(t.cells[size_t(k)].size() <= 7); // "OffOffH"
        for (int k = 96; k < 672; ++k)
            QVERIFY(t.cells[size_t(k)] == QStringLiteral("-") ||
                    t.cells[size_t(k)] == QStringLiteral("Disable"));
    }
}

QTEST_GUILESS_MAIN(TextsTest)
#include "tst_texts.moc"
