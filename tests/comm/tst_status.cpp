#include "Frames.h"
#include "StatusReply.h"

#include <QTest>

// A status reply with `chars` placed from position pos (1 at "[").
static QByteArray statusWith(int pos, const QByteArray &chars)
{
    QByteArray payload(27, '0');
    return Frames::buildReply(payload.replace(pos - 4, chars.size(), chars));
}

class tst_Status : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void inputsByte_data()
    {
        QTest::addColumn<QByteArray>("chars");
        QTest::addColumn<bool>("on");
        QTest::newRow("3F all on, both stations") << QByteArray("3F") << true;
        QTest::newRow("00 all off, no stations") << QByteArray("00") << false;
    }
    void inputsByte()
    {
        QFETCH(QByteArray, chars);
        QFETCH(bool, on);
        const ControllerStatus s = DecodeStatus(statusWith(4, chars));
        for (const bool h : s.hardwired)
            QCOMPARE(h, on);
        QCOMPARE(s.stationCommunicating[0], on);
        QCOMPARE(s.stationCommunicating[1], on);
    }

    void relays_characterTenIgnored()
    {
        const ControllerStatus s = DecodeStatus(statusWith(10, "F5"));
        QCOMPARE(s.relays, (std::array<bool, 4>{true, false, true, false}));
        QCOMPARE(s.stationSwitch[1], (std::array<bool, 6>{}));
    }

    void model_data()
    {
        QTest::addColumn<QByteArray>("chars");
        QTest::addColumn<QString>("model");
        QTest::newRow("80 MX-4") << QByteArray("80") << QStringLiteral("MX-4");
        QTest::newRow("7F MX-2") << QByteArray("7F") << QStringLiteral("MX-2");
    }
    void model()
    {
        QFETCH(QByteArray, chars);
        QFETCH(QString, model);
        QCOMPARE(DecodeStatus(statusWith(29, chars)).modelText(), model);
    }

    void levelsNodeAndFirmware_decoded()
    {
        // Station 01 switches 1 and 6, station 02 switch 2; dimmers 1, 16, 255, 0; photocells
        // 128 and 64; photocell 1 level 1 and photocell 2 level 4 active; node 01; firmware 7.
        const QByteArray payload = "00"
                                   "2102"
                                   "00"
                                   "0110FF00"
                                   "8040"
                                   "81"
                                   "01"
                                   "780";
        QCOMPARE(payload.size(), 27);
        const ControllerStatus s = DecodeStatus(Frames::buildReply(payload));
        QCOMPARE(s.stationSwitch[0], (std::array<bool, 6>{true, false, false, false, false, true}));
        QCOMPARE(s.stationSwitch[1],
                 (std::array<bool, 6>{false, true, false, false, false, false}));
        QCOMPARE(s.dimmers, (std::array<int, 4>{1, 16, 255, 0}));
        QCOMPARE(s.photocellLevel, (std::array<int, 2>{128, 64}));
        QCOMPARE(s.photocellInput[0], (std::array<bool, 4>{true, false, false, false}));
        QCOMPARE(s.photocellInput[1], (std::array<bool, 4>{false, false, false, true}));
        QCOMPARE(s.node, QStringLiteral("01"));
        QCOMPARE(s.firmwareText(), QStringLiteral("Rev 7"));
    }

    void shortReply_decodesWithoutReadingPastIt()
    {
        const ControllerStatus s = DecodeStatus("[xx3F");
        QCOMPARE(s.hardwired[0], true);
        QCOMPARE(s.node, QString());
        QCOMPARE(s.fourChannel, false);
    }

    void describe_listsOnlyOutputsOfTheModel()
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
};

QTEST_APPLESS_MAIN(tst_Status)
#include "tst_status.moc"
