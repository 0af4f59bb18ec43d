#include "ControllerSimulator.h"
#include "EventCoalescer.h"
#include "Frames.h"
#include "modOVMXConfig.h"

#include <QTest>

namespace
{
using Steps = QList<QPair<int, int>>; // dimmer 1 level, relay bits

// Each event as its words and its input, output and device, as the activity list reads them.
QString describe(const QList<StatusEvent> &events)
{
    QStringList lines;
    for (const StatusEvent &e : events)
        lines << QStringLiteral("%1 [%2 %3 %4]")
                     .arg(e.words)
                     .arg(e.input)
                     .arg(e.output)
                     .arg(e.device);
    return lines.join(QStringLiteral(" | "));
}
} // namespace

class tst_Commissioning : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Replies 250 ms apart, as the poll reads them.
    void statusEvents_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after");
        QTest::addColumn<QString>("events");
        QTest::newRow("stationSwitch_closed") << QByteArray("[8D300000000000000060A000FF380]")
                                              << QByteArray("[A2300400000000000060A000FF380]")
                                              << QString("TB01 In 3 closed [2 -1 -1]");
        QTest::newRow("stationSwitch_opened") << QByteArray("[A2300020000000000060A000FF380]")
                                              << QByteArray("[8D300000000000000060A000FF380]")
                                              << QString("TB02 In 6 opened [11 -1 -1]");
        QTest::newRow("hardwired_closed") << QByteArray("[8D300000000000000060A000FF380]")
                                          << QByteArray("[27320000000000000060A000FF380]")
                                          << QString("HW In 2 closed [13 -1 -1]");
        QTest::newRow("photocellLevel_closed") << QByteArray("[8D300000000000000060A000FF380]")
                                               << QByteArray("[9D300000000000000060A080FF380]")
                                               << QString("PC2 In 4 closed [23 -1 -1]");
        QTest::newRow("stationLost_noSwitchEvents")
            << QByteArray("[A2300400000000000060A000FF380]")
            << QByteArray("[B6200000000000000060A000FF380]")
            << QString("Station 1 communication lost [-1 -1 0]");
        QTest::newRow("stationBack_reported") << QByteArray("[98100000000000000060A000FF380]")
                                              << QByteArray("[8D300000000000000060A000FF380]")
                                              << QString("Station 2 communication back [-1 -1 1]");
        QTest::newRow("relays_inRelayOrder")
            << QByteArray("[45300000010000000060A000FF380]")
            << QByteArray("[EC300000060000000060A000FF380]")
            << QString("Relay 1 off [-1 0 -1] | Relay 2 on [-1 1 -1] | Relay 3 on [-1 2 -1]");
        QTest::newRow("inputBeforeOutput_inputFirst")
            << QByteArray("[8D300000000000000060A000FF380]")
            << QByteArray("[EB300100020000000060A000FF380]")
            << QString("TB01 In 1 closed [0 -1 -1] | Relay 2 on [-1 1 -1]");
        QTest::newRow("twoChannelModel_outputs3And4Ignored")
            << QByteArray("[8B300000000000000060A000FF300]")
            << QByteArray("[BD3000000C0000400060A000FF300]") << QString("");
        QTest::newRow("dimmerMoved_levelsAndTime")
            << QByteArray("[8D300000000000000060A000FF380]")
            << QByteArray("[96300000008000000060A000FF380]")
            << QString("Dimmer 1 0 → 128 in 0.3 s [-1 0 -1]");
        QTest::newRow("lightMoved_levelsAndTime")
            << QByteArray("[8D300000000000000060A000FF380]")
            << QByteArray("[213000000000000000B4A000FF380]")
            << QString("Photocell 1 light 96 → 180 in 0.3 s [-1 -1 0]");
        QTest::newRow("nodeChanged_bothNodes")
            << QByteArray("[8D300000000000000060A000FF380]")
            << QByteArray("[8B300000000000000060A00001380]") << QString("Node FF → 01 [-1 -1 -1]");
        QTest::newRow("modelChanged_bothModels") << QByteArray("[8D300000000000000060A000FF380]")
                                                 << QByteArray("[8B300000000000000060A000FF300]")
                                                 << QString("Model MX-4 → MX-2 [-1 -1 -1]");
        QTest::newRow("sameReply_noEvents")
            << QByteArray("[8D300000000000000060A000FF380]")
            << QByteArray("[8D300000000000000060A000FF380]") << QString("");
    }
    void statusEvents()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        QFETCH(QString, events);
        QCOMPARE(describe(::statusEvents(before, 1000, after, 1250)), events);
    }

    // Dimmer 1 and the relays, a reply every 250 ms from 0; each event given as "fed at: words
    // (seen at)", and "end" for what a flush gives.
    void coalescer_data()
    {
        QTest::addColumn<Steps>("steps");
        QTest::addColumn<QStringList>("given");
        QTest::newRow("fadeThenHold_oneMove")
            << Steps{{0, 0}, {40, 0}, {80, 1}, {128, 1}, {128, 1}, {128, 1}}
            << QStringList{"500: Relay 1 on (500)", "1250: Dimmer 1 0 → 128 in 0.8 s (250)"};
        QTest::newRow("shortPause_stillOneMove")
            << Steps{{0, 0}, {40, 0}, {40, 0}, {80, 0}, {80, 0}, {80, 0}}
            << QStringList{"1250: Dimmer 1 0 → 80 in 0.8 s (250)"};
        QTest::newRow("turnBack_twoMoves")
            << Steps{{0, 0}, {100, 0}, {200, 0}, {150, 0}, {150, 0}, {150, 0}}
            << QStringList{"750: Dimmer 1 0 → 200 in 0.5 s (250)",
                           "1250: Dimmer 1 200 → 150 in 0.3 s (750)"};
        QTest::newRow("stillMoving_givenAtFlush")
            << Steps{{0, 0}, {50, 0}, {100, 0}}
            << QStringList{"end: Dimmer 1 0 → 100 in 0.5 s (250)"};
    }
    void coalescer()
    {
        QFETCH(Steps, steps);
        QFETCH(QStringList, given);
        ControllerSimulator sim;
        EventCoalescer coalescer;
        QStringList seen;
        const auto note = [&](const QString &when, const QList<StatusEvent> &events) {
            for (const StatusEvent &e : events)
                seen << QStringLiteral("%1: %2 (%3)").arg(when, e.words).arg(e.timeMs);
        };
        qint64 ms = 0;
        for (const auto &[level, relays] : steps) {
            sim.dimmers[0] = static_cast<uint8_t>(level);
            sim.relays = static_cast<uint8_t>(relays);
            note(QString::number(ms), coalescer.feed(Frames::buildReply(sim.statusPayload()), ms));
            ms += 250;
        }
        note(QStringLiteral("end"), coalescer.flush());
        QCOMPARE(seen, given);
    }

    void inputProgramming_programmedCellsInRowOrder()
    {
        modOVMXConfig doc; // all zero: nothing programmed
        doc.SetRelayCloseAction(2, 1, 2);
        doc.SetRelayOpenAction(2, 1, 1);
        doc.SetInputDisableClosed(2, 3, true);
        doc.SetDimmerControl(2, 0, 3);
        doc.SetPhotocellTracking(0, 0, 1);
        ConfigTexts::ScreenTexts texts;
        ConfigTexts::deriveScreenTexts(doc, texts);
        QCOMPARE(::inputProgramming(texts, 2),
                 QStringList({"Relay 2: OnOff", "TB01-4: Disable", "Dimmer 1: +10%"}));
        QCOMPARE(::inputProgramming(texts, 16), QStringList());
    }
};

QTEST_GUILESS_MAIN(tst_Commissioning)
#include "tst_commissioning.moc"
