#include "ControllerSimulator.h"
#include "EventCoalescer.h"
#include "Frames.h"
#include "WalkTest.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
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

StatusEvent happened(qint64 ms, EventKind kind, int input, int output, const char *words)
{
    StatusEvent e;
    e.timeMs = ms;
    e.kind = kind;
    e.input = input;
    e.output = output;
    e.words = QString::fromUtf8(words);
    return e;
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
    // (seen at)", and "end" for what a flush gives; then when the move under way before the
    // flush was first seen (-1: none).
    void coalescer_data()
    {
        QTest::addColumn<Steps>("steps");
        QTest::addColumn<QStringList>("given");
        QTest::addColumn<qint64>("movingSince");
        QTest::newRow("fadeThenHold_oneMove")
            << Steps{{0, 0}, {40, 0}, {80, 1}, {128, 1}, {128, 1}, {128, 1}}
            << QStringList{"500: Relay 1 on (500)", "1250: Dimmer 1 0 → 128 in 0.8 s (250)"}
            << qint64(-1);
        QTest::newRow("shortPause_stillOneMove")
            << Steps{{0, 0}, {40, 0}, {40, 0}, {80, 0}, {80, 0}, {80, 0}}
            << QStringList{"1250: Dimmer 1 0 → 80 in 0.8 s (250)"} << qint64(-1);
        QTest::newRow("turnBack_twoMoves")
            << Steps{{0, 0}, {100, 0}, {200, 0}, {150, 0}, {150, 0}, {150, 0}}
            << QStringList{"750: Dimmer 1 0 → 200 in 0.5 s (250)",
                           "1250: Dimmer 1 200 → 150 in 0.3 s (750)"}
            << qint64(-1);
        QTest::newRow("stillMoving_givenAtFlush")
            << Steps{{0, 0}, {50, 0}, {100, 0}}
            << QStringList{"end: Dimmer 1 0 → 100 in 0.5 s (250)"} << qint64(250);
    }
    void coalescer()
    {
        QFETCH(Steps, steps);
        QFETCH(QStringList, given);
        QFETCH(qint64, movingSince);
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
        QCOMPARE(coalescer.movingSinceMs().value_or(-1), movingSince);
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

    void walkTest_ticksInputsAndFollowsOutputs()
    {
        modOVMXConfig doc;
        doc.SetRelayCloseAction(2, 1, 2);
        doc.SetDimmerControl(12, 0, 3);
        WalkTest test(doc);
        for (const StatusEvent &e : {
                 happened(1000, EventKind::InputClosed, 2, -1, "TB01 In 3 closed"),
                 happened(1250, EventKind::RelayOn, -1, 1, "Relay 2 on"),
                 happened(3000, EventKind::InputOpened, 2, -1, "TB01 In 3 opened"),
                 happened(3500, EventKind::InputClosed, 12, -1, "HW In 1 closed"),
                 happened(3750, EventKind::RelayOff, -1, 1, "Relay 2 off"),
                 happened(3250, EventKind::DimmerMoved, -1, 0, "Dimmer 1 0 → 25 in 0.5 s"),
                 happened(5750, EventKind::DimmerMoved, -1, 0, "Dimmer 1 25 → 0 in 0.3 s"),
             })
            test.add(e);
        const WalkTest::Input &tb = test.input(2), &hw = test.input(12);
        QVERIFY(tb.ticked() && !hw.ticked() && hw.seenClosed);
        QCOMPARE(tb.followed,
                 (QList<WalkTest::Seen>{{1250, "Relay 2 on"}, {3250, "Dimmer 1 0 → 25 in 0.5 s"}}));
        QCOMPARE(hw.followed, (QList<WalkTest::Seen>{{3750, "Relay 2 off"}}));
        QCOMPARE(std::pair(tb.firstMs(), tb.lastMs()), std::pair(1000LL, 3000LL));
        QCOMPARE(test.progressText(), QStringLiteral("1 of 2 programmed inputs tested"));
    }

    void record_roundTripsBesideTheDataFile()
    {
        QTemporaryDir dir;
        modOVMXConfig doc; // 1024 zero words: checksum MSW 4410, LSW 1341
        doc.DataFileName = dir.filePath("site.OMX");
        const QString path = recordPath(doc.DataFileName);
        QCOMPARE(path, dir.filePath("site.commissioning.json"));
        WalkTest test(doc);
        test.header.model = "MX-4";
        test.header.firmware = "3";
        test.header.node = "FF";
        test.header.started = QDateTime::fromMSecsSinceEpoch(1000, Qt::UTC);
        test.header.ended = QDateTime::fromMSecsSinceEpoch(9000, Qt::UTC);
        test.add(happened(1000, EventKind::InputClosed, 5, -1, "TB01 In 6 closed"));
        test.add(happened(1500, EventKind::RelayOn, -1, 0, "Relay 1 on"));
        test.setVerdict(5, WalkTest::Verdict::Fail);
        test.setComment(5, "relay 1 stays on");
        QVERIFY(test.save(path).ok);

        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QJsonObject json = QJsonDocument::fromJson(file.readAll()).object();
        QCOMPARE(json["checksum"].toString(), "44101341");
        QCOMPARE(json["dataFile"].toString(), "site.OMX");
        QCOMPARE(json["started"].toString(), "1970-01-01T00:00:01.000Z");

        WalkTest loaded(doc);
        QVERIFY(loaded.load(path).ok);
        QCOMPARE(loaded.header, test.header);
        for (int i = 0; i < WalkTest::InputCount; ++i)
            QVERIFY2(loaded.input(i) == test.input(i), qPrintable(QString::number(i)));
    }

    // The open settings are 1024 zero words, checksum 44101341.
    void record_refusedAndKept_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("reason");
        QTest::newRow("otherSettings") << QByteArray(R"({"version": 1, "checksum": "4410134F"})")
                                       << "belongs to other settings";
        QTest::newRow("otherVersion")
            << QByteArray(R"({"version": 2, "checksum": "44101341"})") << "another version";
        QTest::newRow("notJson") << QByteArray("[8D300000") << "not a commissioning record";
    }
    void record_refusedAndKept()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const QString path = dir.filePath("site.commissioning.json");
        QVERIFY(modOVMXConfig::writeBytes(path, file).ok);
        WalkTest test{modOVMXConfig()};
        test.add(happened(1000, EventKind::InputClosed, 0, -1, "TB01 In 1 closed"));
        const modOVMXConfig::FileResult result = test.load(path);
        QVERIFY(!result.ok);
        QVERIFY2(result.error.contains(reason), qPrintable(result.error));
        QCOMPARE(test.input(0).events.size(), 1);
    }
};

QTEST_GUILESS_MAIN(tst_Commissioning)
#include "tst_commissioning.moc"
