#include "OptionTexts.h"

#include <QTest>

#include <functional>
#include <map>

using namespace OptionTexts;

namespace
{
struct List {
    std::function<QStringList()> entries;
    std::function<std::optional<QString>(int)> text;
};

const std::map<QString, List> &lists()
{
    static const std::map<QString, List> all = {
        {"close action", {relayCloseActionEntries, relayActionText}},
        {"open action", {relayOpenActionEntries, relayActionText}},
        {"timed on", {timedOnEntries, timedOnText}},
        {"alert", {timedOffAlertEntries, timedOffAlertText}},
        {"override", {timedOffOverrideEntries, timedOffOverrideText}},
        {"dimmer control", {dimmerControlEntries, dimmerControlText}},
        {"dimmer fade", {dimmerControlFadeEntries, dimmerControlFadeText}},
        {"revert", {dimmerRevertEntries, dimmerRevertText}},
        {"tracking", {trackingModeEntries, trackingModeText}},
        {"target", {scaleTargetEntries, scaleTargetText}},
        {"relay power-on", {relayPowerOnEntries, relayPowerOnText}},
        {"dimmer power-on", {dimmerPowerOnLevelEntries, dimmerPowerOnLevelText}},
        {"min level", {dimmerMinLevelEntries, dimmerMinLevelText}},
        {"max level", {dimmerMaxLevelEntries, dimmerMaxLevelText}},
        {"fade rate", {dimmerFadeRateEntries, dimmerFadeRateText}},
        {"pilot 10",
         {[] { return pilotOptionEntries(9); }, [](int v) { return pilotOptionText(9, v); }}},
        {"photocell level", {photocellLevelEntries, photocellLevelText}},
        {"filter", {photocellFilterEntries, photocellFilterText}},
    };
    return all;
}
} // namespace

class OptionTextsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void list_hasItsLength_data();
    void list_hasItsLength();
    void position_givesEntry_data();
    void position_givesEntry();
    void valueBeyondList_hasNoEntry_data();
    void valueBeyondList_hasNoEntry();
    void fadeRateCode_givesSeconds();
};

void OptionTextsTest::list_hasItsLength_data()
{
    QTest::addColumn<QString>("list");
    QTest::addColumn<int>("length");
    const std::pair<const char *, int> rows[] = {
        {"close action", 12}, {"open action", 10},      {"timed on", 995},
        {"alert", 98},        {"override", 995},        {"dimmer control", 105},
        {"dimmer fade", 2},   {"revert", 122},          {"tracking", 4},
        {"target", 256},      {"relay power-on", 5},    {"dimmer power-on", 101},
        {"min level", 102},   {"max level", 102},       {"fade rate", 43},
        {"pilot 10", 10},     {"photocell level", 256}, {"filter", 2},
    };
    for (const auto &[list, length] : rows)
        QTest::newRow(list) << QString::fromLatin1(list) << length;
}

void OptionTextsTest::list_hasItsLength()
{
    QFETCH(QString, list);
    QFETCH(int, length);
    const List &l = lists().at(list);
    const QStringList entries = l.entries();
    QCOMPARE(entries.size(), length);
    for (int v = 0; v < length; ++v)
        QCOMPARE(l.text(v).value_or(QString()), entries[v]);
}

void OptionTextsTest::position_givesEntry_data()
{
    QTest::addColumn<QString>("list");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("entry");
    const char *actions[] = {"None",
                             "Turn Off Relay",
                             "Turn On Relay",
                             "Toggle Relay Based On Relay 1 Status",
                             "Toggle Relay Based On Relay 2 Status",
                             "Toggle Relay Based On Relay 3 Status",
                             "Toggle Relay Based On Relay 4 Status",
                             "Timed On With No Blink Alert",
                             "Timed On With Single Blink Alert",
                             "Timed On With Double Blink Alert",
                             "2 Step Sequence",
                             "4 Step Sequence"};
    for (int code = 0; code < 12; ++code)
        QTest::addRow("close action %d", code) << "close action" << code << actions[code];
    struct Row {
        const char *list;
        int position;
        const char *entry;
    };
    const Row rows[] = {
        {"timed on", 0, "5 Minute"},
        {"timed on", 994, "999 Minute"},
        {"alert", 0, "2 Minute"},
        {"alert", 97, "99 Minute"},
        {"override", 115, "120 Minute"},
        {"override", 994, "999 Minute"},
        {"dimmer control", 0, "None"},
        {"dimmer control", 1, "Revert To Photocell"},
        {"dimmer control", 2, "Lower 10%"},
        {"dimmer control", 3, "Raise 10%"},
        {"dimmer control", 4, "Goto 0%"},
        {"dimmer fade", 0, "Fade"},
        {"dimmer fade", 1, "Instant"},
        {"revert", 0, "Revert When Input Opens"},
        {"revert", 1, "Never Revert"},
        {"revert", 2, "Revert After 5 Min"},
        {"revert", 121, "Revert After 600 Min"},
        {"tracking", 0, "PC Tracking: Disabled"},
        {"tracking", 3, "PC Tracking: Setpoint"},
        {"target", 128, "Target: 128/255 (14 fc)"},
        {"target", 255, "Target: 255/255 (1800 fc)"},
        {"relay power-on", 0, "No Change"},
        {"relay power-on", 3, "Turn Off If HW Input 1 is closed"},
        {"relay power-on", 4, "Turn On If HW Input 1 is closed"},
        {"dimmer power-on", 0, "Power On Level: 0%"},
        {"dimmer power-on", 100, "Power On Level: 100%"},
        {"min level", 0, "Min Level: Photocell"},
        {"min level", 1, "Min Level: 0%"},
        {"min level", 101, "Min Level: 100%"},
        {"max level", 0, "Max Level: Photocell"},
        {"max level", 101, "Max Level: 100%"},
        {"fade rate", 15, "Fade Rate: 30 Sec"},
        {"fade rate", 16, "Fade Rate: 40 Sec"},
        {"fade rate", 42, "Fade Rate: 300 Sec"},
        {"pilot 10", 0, "Pilot 4 = On"},
        {"pilot 10", 4, "Pilot 4 = Relay 2 On"},
        {"pilot 10", 9, "Pilot 4 = Relay 4 Off"},
        {"photocell level", 128, "128/255 14FC"},
        {"photocell level", 240, "240/255 1600FC"},
        {"photocell level", 241, "241/255 1800FC"},
        {"filter", 0, "2 Sec"},
        {"filter", 1, "30 Sec"},
    };
    for (const Row &r : rows)
        QTest::addRow("%s %d", r.list, r.position) << r.list << r.position << r.entry;
}

void OptionTextsTest::position_givesEntry()
{
    QFETCH(QString, list);
    QFETCH(int, position);
    QFETCH(QString, entry);
    QCOMPARE(lists().at(list).entries().value(position), entry);
}

void OptionTextsTest::valueBeyondList_hasNoEntry_data()
{
    QTest::addColumn<QString>("list");
    for (const auto &[name, list] : lists())
        QTest::newRow(qPrintable(name)) << name;
}

void OptionTextsTest::valueBeyondList_hasNoEntry()
{
    QFETCH(QString, list);
    const List &l = lists().at(list);
    const int length = int(l.entries().size());
    for (int v : {-32768, -1, length, 32767})
        QVERIFY2(!l.text(v).has_value() || (list == QStringLiteral("open action") && v == 10),
                 qPrintable(QString::number(v)));
}

void OptionTextsTest::fadeRateCode_givesSeconds()
{
    for (auto [code, seconds] : {std::pair{0, 0}, {1, 2}, {15, 30}, {16, 40}, {42, 300}})
        QCOMPARE(dimmerFadeRateSeconds(code), seconds);
}

QTEST_GUILESS_MAIN(OptionTextsTest)
#include "tst_optiontexts.moc"
