#include "Frames.h"
#include "StatusReply.h"

#include <QTest>

namespace
{
// A status reply with the given payload characters placed from position pos (1 at "[").
QByteArray statusWith(int pos, const QByteArray &chars)
{
    QByteArray payload(27, '0');
    payload.replace(pos - 4, chars.size(), chars);
    return Frames::buildReply(payload);
}
} // namespace

class tst_Status : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void inputsByte_data();
    void inputsByte();
    void relays_characterTenIgnored();
    void model_data();
    void model();
    void levelsNodeAndFirmware_decoded();
    void shortReply_decodesWithoutReadingPastIt();
    void describe_listsOnlyOutputsOfTheModel();
};

void tst_Status::inputsByte_data()
{
    QTest::addColumn<QByteArray>("chars");
    QTest::addColumn<bool>("on");
    QTest::newRow("3F_allOnBothStations") << QByteArray("3F") << true;
    QTest::newRow("00_allOffNoStations") << QByteArray("00") << false;
}

void tst_Status::inputsByte()
{
    QFETCH(QByteArray, chars);
    QFETCH(bool, on);
    const ControllerStatus s = DecodeStatus(statusWith(4, chars));
    for (const bool h : s.hardwired)
        QCOMPARE(h, on);
    QCOMPARE(s.stationCommunicating[0], on);
    QCOMPARE(s.stationCommunicating[1], on);
}

void tst_Status::relays_characterTenIgnored()
{
    const ControllerStatus s = DecodeStatus(statusWith(10, "F5"));
    QCOMPARE(s.relays, (std::array<bool, 4>{true, false, true, false}));
    QCOMPARE(s.stationSwitch[1], (std::array<bool, 6>{}));
}

void tst_Status::model_data()
{
    QTest::addColumn<QByteArray>("chars");
    QTest::addColumn<QString>("model");
    QTest::newRow("80_MX4") << QByteArray("80") << QStringLiteral("MX-4");
    QTest::newRow("7F_MX2") << QByteArray("7F") << QStringLiteral("MX-2");
}

void tst_Status::model()
{
    QFETCH(QByteArray, chars);
    QFETCH(QString, model);
    QCOMPARE(DecodeStatus(statusWith(29, chars)).modelText(), model);
}

void tst_Status::levelsNodeAndFirmware_decoded()
{
    // Station switches 1 and 6, station 2 switch 2; dimmers 1, 16, 255, 0; photocells 128 and
    // 64; photocell 1 level 1 and photocell 2 level 4 active; node 01; firmware 7.
    const QByteArray payload = "00"
                               "21"
                               "02"
                               "0"
                               "0"
                               "01"
                               "10"
                               "FF"
                               "00"
                               "80"
                               "40"
                               "81"
                               "01"
                               "7"
                               "80";
    QCOMPARE(payload.size(), 27);
    const ControllerStatus s = DecodeStatus(Frames::buildReply(payload));
    QCOMPARE(s.stationSwitch[0], (std::array<bool, 6>{true, false, false, false, false, true}));
    QCOMPARE(s.stationSwitch[1], (std::array<bool, 6>{false, true, false, false, false, false}));
    QCOMPARE(s.dimmers, (std::array<int, 4>{1, 16, 255, 0}));
    QCOMPARE(s.photocellLevel, (std::array<int, 2>{128, 64}));
    QCOMPARE(s.photocellInput[0], (std::array<bool, 4>{true, false, false, false}));
    QCOMPARE(s.photocellInput[1], (std::array<bool, 4>{false, false, false, true}));
    QCOMPARE(s.node, QStringLiteral("01"));
    QCOMPARE(s.firmwareText(), QStringLiteral("Rev 7"));
}

void tst_Status::shortReply_decodesWithoutReadingPastIt()
{
    const ControllerStatus s = DecodeStatus("[xx3F");
    QCOMPARE(s.hardwired[0], true);
    QCOMPARE(s.node, QString());
    QCOMPARE(s.fourChannel, false);
}

void tst_Status::describe_listsOnlyOutputsOfTheModel()
{
    ControllerStatus s;
    s.relays = {true, false, true, true};
    s.dimmers = {10, 20, 30, 40};
    s.node = QStringLiteral("FF");
    s.firmware = QStringLiteral("3");
    QStringList lines = describeStatus(s);
    QCOMPARE(lines.at(0), QStringLiteral("Relays: 1 On, 2 Off"));
    QCOMPARE(lines.at(1), QStringLiteral("Dimmers: 1 10, 2 20"));
    QVERIFY(lines.contains(QStringLiteral("Hardware: MX-2")));
    s.fourChannel = true;
    lines = describeStatus(s);
    QCOMPARE(lines.at(0), QStringLiteral("Relays: 1 On, 2 Off, 3 On, 4 On"));
    QVERIFY(lines.contains(QStringLiteral("Firmware: Rev 3")));
}

QTEST_APPLESS_MAIN(tst_Status)
#include "tst_status.moc"
