#include "ControllerSimulator.h"
#include "EventCoalescer.h"
#include "ExpectedResponse.h"
#include "Frames.h"
#include "Happened.h"
#include "LiveInput.h"
#include "WalkTest.h"

#include <QJsonArray>
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
        const auto row = [](const char *tag, const char *before, const char *after,
                            const char *events) {
            QTest::newRow(tag) << QByteArray(before) << QByteArray(after) << QString(events);
        };
        const char *idle = "[8D300000000000000060A000FF380]";
        row("stationSwitch_closed", idle, "[A2300400000000000060A000FF380]",
            "TB01 In 3 closed [2 -1 -1]");
        row("stationSwitch_opened", "[A2300020000000000060A000FF380]", idle,
            "TB02 In 6 opened [11 -1 -1]");
        row("hardwired_closed", idle, "[27320000000000000060A000FF380]",
            "HW In 2 closed [13 -1 -1]");
        row("photocellLevel_closed", idle, "[9D300000000000000060A080FF380]",
            "PC2 In 4 closed [23 -1 -1]");
        row("stationLost_noSwitchEvents", "[A2300400000000000060A000FF380]",
            "[B6200000000000000060A000FF380]", "Station 1 communication lost [-1 -1 0]");
        row("stationBack_reported", "[98100000000000000060A000FF380]", idle,
            "Station 2 communication back [-1 -1 1]");
        row("relays_inRelayOrder", "[45300000010000000060A000FF380]",
            "[EC300000060000000060A000FF380]",
            "Relay 1 off [-1 0 -1] | Relay 2 on [-1 1 -1] | Relay 3 on [-1 2 -1]");
        row("inputBeforeOutput_inputFirst", idle, "[EB300100020000000060A000FF380]",
            "TB01 In 1 closed [0 -1 -1] | Relay 2 on [-1 1 -1]");
        row("twoChannelModel_outputs3And4Ignored", "[8B300000000000000060A000FF300]",
            "[BD3000000C0000400060A000FF300]", "");
        row("dimmerMoved_levelsAndTime", idle, "[96300000008000000060A000FF380]",
            "Dimmer 1 0 → 128 in 0.3 s [-1 0 -1]");
        row("lightMoved_levelsAndTime", idle, "[213000000000000000B4A000FF380]",
            "Photocell 1 light 96 → 180 in 0.3 s [-1 -1 0]");
        row("nodeChanged_bothNodes", idle, "[8B300000000000000060A00001380]",
            "Node FF → 01 [-1 -1 -1]");
        row("modelChanged_bothModels", idle, "[8B300000000000000060A000FF300]",
            "Model MX-4 → MX-2 [-1 -1 -1]");
        row("sameReply_noEvents", idle, idle, "");
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
        test.setControllerImage(doc.image());
        for (const StatusEvent &e : {
                 happened(1000, EventKind::InputClosed, 2, "TB01 In 3 closed"),
                 happened(1250, EventKind::RelayOn, 1, "Relay 2 on"),
                 happened(3000, EventKind::InputOpened, 2, "TB01 In 3 opened"),
                 happened(3500, EventKind::InputClosed, 12, "HW In 1 closed"),
                 happened(3750, EventKind::RelayOff, 1, "Relay 2 off"),
                 happened(3250, EventKind::DimmerMoved, 0, "Dimmer 1 0 → 25 in 0.5 s"),
                 happened(5750, EventKind::DimmerMoved, 0, "Dimmer 1 25 → 0 in 0.3 s"),
             })
            test.add(e);
        const WalkTest::Input &tb = test.input(2), &hw = test.input(12);
        QVERIFY(tb.ticked() && !hw.ticked() && hw.seenClosed);
        QCOMPARE(tb.followed,
                 (QList<WalkTest::Seen>{{1250, "Relay 2 on"}, {3250, "Dimmer 1 0 → 25 in 0.5 s"}}));
        QCOMPARE(hw.followed, (QList<WalkTest::Seen>{{3750, "Relay 2 off"}}));
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
        test.add(happened(1000, EventKind::InputClosed, 5, "TB01 In 6 closed"));
        test.setControllerImage(doc.image());
        test.add(happened(1500, EventKind::RelayOn, 0, "Relay 1 on"));
        test.setVerdict(5, Verdict::Fail, 2000);
        test.setComment(5, "relay 1 stays on", 2000);
        QVERIFY(test.save(path).ok);

        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QJsonObject json = QJsonDocument::fromJson(file.readAll()).object();
        QCOMPARE(json["checksum"].toString(), "44101341");
        QCOMPARE(json["dataFile"].toString(), "site.OMX");
        QCOMPARE(json["started"].toString(), "1970-01-01T00:00:01.000Z");
        QCOMPARE(json["controller"]["programming"].toString(), "44101341");

        WalkTest loaded(doc);
        QVERIFY(loaded.load(path).ok);
        QCOMPARE(loaded.header, test.header);
        for (int i = 0; i < WalkTest::InputCount; ++i)
            QVERIFY2(loaded.input(i) == test.input(i), qPrintable(QString::number(i)));
    }

    // The open settings are 1024 zero words, checksum 44101341. A record a person edited is
    // refused by the field that cannot be right, never read as something else.
    void record_refusedAndKept_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("reason");
        // A good record of the open settings, with TB01 In 1 passed; each row spoils one field.
        WalkTest good{modOVMXConfig()};
        good.setControllerImage(modOVMXConfig().image());
        good.add(happened(1000, EventKind::InputClosed, 0, "TB01 In 1 closed"));
        good.setVerdict(0, Verdict::Pass, 2000);
        const auto record =
            [&good](const std::function<void(QJsonObject &, QJsonObject &)> &spoil) {
                QJsonObject root = QJsonDocument::fromJson(good.toJson()).object();
                QJsonArray inputs = root["inputs"].toArray();
                QJsonObject input = inputs[0].toObject();
                spoil(root, input);
                if (root["inputs"].toArray() == inputs)
                    root["inputs"] = (inputs[0] = input, inputs);
                return QJsonDocument(root).toJson();
            };
        const auto attempt = [&](const char *field, const char *value) {
            return record([=](QJsonObject &, QJsonObject &input) {
                QJsonObject a = input["attempts"].toArray()[0].toObject();
                a[field] = value;
                input["attempts"] = QJsonArray{a};
            });
        };
        QTest::newRow("otherSettings")
            << QByteArray(R"({"version": 1, "checksum": "4410134F"})")
            << "belongs to other settings (checksum 4410134F; the open settings have 44101341)";
        QTest::newRow("otherVersion")
            << QByteArray(R"({"version": 3, "checksum": "44101341"})") << "another version";
        QTest::newRow("notJson") << QByteArray("[8D300000") << "not a commissioning record";
        QTest::newRow("verdictMaybe") << attempt("verdict", "Maybe")
                                      << "inputs[0].attempts[0].verdict is \"Maybe\", not None";
        QTest::newRow("timeNotIso")
            << attempt("time", "14/03/2026 09:12")
            << "inputs[0].attempts[0].time is \"14/03/2026 09:12\", not a date and time";
        QTest::newRow("input99") << record([](QJsonObject &, QJsonObject &in) { in["input"] = 99; })
                                 << "inputs[0].input is 99, not an input 0 to 23";
        QTest::newRow("inputTwice") << record([](QJsonObject &root, QJsonObject &in) {
            root["inputs"] = QJsonArray{in, in};
        }) << "inputs[1].input is 0, given twice";
        QTest::newRow("fieldMissing")
            << record([](QJsonObject &, QJsonObject &in) { in.remove("seenOpened"); })
            << "inputs[0].seenOpened is missing";
        QTest::newRow("checksumNotHex")
            << record([](QJsonObject &root, QJsonObject &) { root["programming"] = "4410"; })
            << "programming is \"4410\", not eight hexadecimal digits";
        QTest::newRow("eventsBeyondTheCap") << record([](QJsonObject &, QJsonObject &in) {
            const QJsonObject event{
                {"time", "2026-03-14T09:12:00Z"}, {"words", "x"}, {"confirmed", true}};
            QJsonArray events;
            for (int n = 0; n <= WalkTest::EventCap; ++n)
                events.append(event);
            in["events"] = events;
        }) << "inputs[0].events holds 10001 entries";
    }
    void record_refusedAndKept()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, reason);
        WalkTest test{modOVMXConfig()};
        test.add(happened(1000, EventKind::InputClosed, 0, "TB01 In 1 closed"));
        const modOVMXConfig::FileResult result = test.read(file);
        QVERIFY(!result.ok);
        QVERIFY2(result.error.contains(reason), qPrintable(result.error));
        QCOMPARE(test.input(0).events.size(), 1);
        // The same digits in lower case are the same checksum.
        QVERIFY(WalkTest{modOVMXConfig()}
                    .read(R"({"version": 1, "checksum": "4410134f"})")
                    .error.contains("4410134F"));
    }

    // A walk counts only while the controller runs its programming (the activity window's
    // test holds which controller does): until then presses are kept, but they tick nothing and
    // no input passes; a failure is never hidden.
    void verdicts_unconfirmedKeepPressesAndFailures()
    {
        modOVMXConfig doc;
        doc.SetRelayCloseAction(2, 1, 2);
        WalkTest test(doc);
        test.add(happened(1000, EventKind::InputClosed, 2, "TB01 In 3 closed"));
        QVERIFY(!test.setVerdict(2, Verdict::Pass, 2000));
        QVERIFY(!test.input(2).seenClosed);
        QCOMPARE(test.input(2).events.size(), 1);
        QVERIFY(test.setVerdict(2, Verdict::Fail, 2000));
    }

    // A verdict after the input was worked again is a retest, kept beside the earlier ones; a
    // change before that corrects the attempt under way. The last attempt counts.
    void attempts_retestsKeptLastCounts()
    {
        modOVMXConfig doc;
        doc.SetRelayCloseAction(2, 1, 2);
        WalkTest test(doc);
        test.setControllerImage(doc.image());
        test.add(happened(1000, EventKind::InputClosed, 2, "TB01 In 3 closed"));
        QVERIFY(test.setVerdict(2, Verdict::Pass, 2000));
        QVERIFY(test.setVerdict(2, Verdict::Fail, 2500)); // a slip, put right
        test.setComment(2, "relay 2 stays off", 2600);
        test.add(happened(5000, EventKind::InputClosed, 2, "TB01 In 3 closed"));
        test.setComment(2, "rewired", 6000);
        QVERIFY(test.setVerdict(2, Verdict::Pass, 7000));
        using A = WalkTest::Attempt;
        QCOMPARE(test.input(2).attempts, (QList<A>{{2500, Verdict::Fail, "relay 2 stays off", true},
                                                   {7000, Verdict::Pass, "rewired", true}}));
        QCOMPARE(test.tally(), (WalkTest::Tally{1, 1, 0, 0}));
    }

    // The input last worked, the rows of the outputs that followed it and of those its
    // programming moves that stayed still (TB01 In 3 moves relay 2, row 1, and dimmer 1, 28).
    void liveInput_data()
    {
        QTest::addColumn<QList<StatusEvent>>("events");
        QTest::addColumn<QString>("shown"); // input: followed rows / silent rows
        const StatusEvent press = happened(1000, EventKind::InputClosed, 2, "TB01 In 3 closed");
        StatusEvent byHand = happened(1250, EventKind::RelayOn, 1, "Relay 2 on by hand");
        byHand.byHand = true;
        QTest::newRow("relayFollowed_dimmerSilent")
            << QList<StatusEvent>{press, happened(1250, EventKind::RelayOn, 1, "Relay 2 on")}
            << "2: 1 / 28";
        QTest::newRow("byHand_notFollowed") << QList<StatusEvent>{press, byHand} << "2:  / 1 28";
        QTest::newRow("tooLate_notFollowed")
            << QList<StatusEvent>{press, happened(3250, EventKind::RelayOn, 1, "Relay 2 on")}
            << "2:  / 1 28";
        QTest::newRow("anotherInput_startsAfresh")
            << QList<StatusEvent>{press, happened(1250, EventKind::RelayOn, 1, "Relay 2 on"),
                                  happened(1500, EventKind::InputOpened, 12, "HW In 1 opened")}
            << "12:  / ";
    }
    void liveInput()
    {
        QFETCH(QList<StatusEvent>, events);
        QFETCH(QString, shown);
        modOVMXConfig doc;
        doc.SetRelayCloseAction(2, 1, 2);
        doc.SetDimmerControl(2, 0, 3);
        LiveInput live;
        for (const StatusEvent &e : events)
            live.add(e, doc);
        const auto join = [](const QList<int> &rows) {
            QStringList all;
            for (const int row : rows)
                all << QString::number(row);
            return all.join(' ');
        };
        QCOMPARE(QStringLiteral("%1: %2 / %3")
                     .arg(live.input())
                     .arg(join(live.followedRows()), join(live.silentRows())),
                 shown);
    }

    // The expected response of an input in words, output by output, and the outputs it moves.
    void expectedResponse_data()
    {
        QTest::addColumn<int>("input");
        QTest::addColumn<QString>("words");
        QTest::addColumn<QList<int>>("outputs");
        QTest::newRow("onOff") << 2 << "Relay 2 on when closed, off when opened" << QList<int>{25};
        QTest::newRow("timedHeld")
            << 3 << "Relay 1 on for 7 min with a double blink alert when closed, held while closed"
            << QList<int>{24};
        QTest::newRow("toggleAndSequence") << 4
                                           << "Relay 4 toggled by Relay 3's state when closed | "
                                              "Dimmer 2 raise 10 %, reverting when opened"
                                           << QList<int>{27, 29};
        QTest::newRow("dimmerGotoInstantRevertAfter")
            << 12 << "Dimmer 1 to 50 %, instantly, reverting after 10 min" << QList<int>{28};
        QTest::newRow("disablesOnly")
            << 13 << "TB01 In 4 disabled when closed or opened" << QList<int>{};
        QTest::newRow("nothing") << 20 << "" << QList<int>{};
    }
    void expectedResponse()
    {
        QFETCH(int, input);
        QFETCH(QString, words);
        QFETCH(QList<int>, outputs);
        modOVMXConfig doc;
        doc.SetRelayCloseAction(2, 1, 2);
        doc.SetRelayOpenAction(2, 1, 1);
        doc.SetRelayCloseAction(3, 0, 9);
        doc.SetRelayTimedOn(3, 0, 2);
        doc.SetRelayHoldStatus(3, 0, true);
        doc.SetRelayCloseAction(4, 3, 5);
        doc.SetDimmerControl(4, 1, 3);
        doc.SetDimmerControl(12, 0, 54);
        doc.SetDimmerControlFadeRate(12, 0, 1);
        doc.SetDimmerRevert(12, 0, 3);
        doc.SetInputDisableClosed(13, 3, true);
        doc.SetInputDisableOpen(13, 3, true);
        for (int i = 0; i < 16; ++i) // every other input leaves its dimmers alone
            for (int d = 0; d < 4; ++d)
                if (doc.GetDimmerControl(i, d) == 0)
                    doc.SetDimmerRevert(i, d, 1);
        const ExpectedResponse expected = ExpectedResponse::of(doc, input);
        QCOMPARE(expected.words.join(" | "), words);
        QCOMPARE(expected.outputs, outputs);
    }
};

QTEST_GUILESS_MAIN(tst_Commissioning)
#include "tst_commissioning.moc"
