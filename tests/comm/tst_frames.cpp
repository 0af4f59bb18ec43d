#include "Frames.h"

#include <QTest>

#include <vector>

class tst_Frames : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void hex_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("hex2 zero") << Frames::Hex2(0) << QByteArray("00");
        QTest::newRow("hex2 ten") << Frames::Hex2(10) << QByteArray("0A");
        QTest::newRow("hex2 above 255 keeps low byte") << Frames::Hex2(0x1A5) << QByteArray("A5");
        QTest::newRow("hex2 minus one") << Frames::Hex2(-1) << QByteArray("FF");
        QTest::newRow("hex4 last block") << Frames::Hex4(960) << QByteArray("03C0");
        QTest::newRow("hex4 zero") << Frames::Hex4(0) << QByteArray("0000");
        QTest::newRow("hex4 wide cut from left") << Frames::Hex4(0x12345) << QByteArray("2345");
        QTest::newRow("status request") << Frames::buildRequest("01") << QByteArray("[270001]");
        QTest::newRow("relay request") << Frames::buildRequest("0200") << QByteArray("[53000200]");
        QTest::newRow("empty acknowledgement") << Frames::buildReply({}) << QByteArray("[2F]");
        QTest::newRow("relay 1 off") << Frames::relayCommand(0, false) << QByteArray("0200");
        QTest::newRow("relay 4 on") << Frames::relayCommand(3, true) << QByteArray("0231");
        QTest::newRow("dimmer 1 full") << Frames::dimmerCommand(0, 255) << QByteArray("030FF");
        QTest::newRow("dimmer 3 zero") << Frames::dimmerCommand(2, 0) << QByteArray("03200");
        QTest::newRow("block read 16") << Frames::blockReadCommand(15) << QByteArray("0503C03F");
    }
    void hex()
    {
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, expected);
        QCOMPARE(text, expected);
    }

    void hexVal_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("digits");
        QTest::addColumn<int>("value");
        QTest::newRow("stops at non-digit") << QByteArray("1Z") << 2 << 1;
        QTest::newRow("no digit") << QByteArray("Z1") << 2 << 0;
        QTest::newRow("lower case") << QByteArray("ff") << 2 << 255;
        QTest::newRow("FFFF never negative") << QByteArray("FFFF") << 4 << 65535;
        QTest::newRow("only leading digits") << QByteArray("ABCD") << 1 << 10;
        QTest::newRow("short text") << QByteArray("7") << 4 << 7;
        QTest::newRow("empty") << QByteArray() << 2 << 0;
    }
    void hexVal()
    {
        QFETCH(QByteArray, text);
        QFETCH(int, digits);
        QFETCH(int, value);
        QCOMPARE(Frames::HexVal(text, digits), value);
    }

    void replyChecksum_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<bool>("ok");
        QTest::newRow("ack") << QByteArray("[2F]") << true;
        QTest::newRow("lower-case digits") << QByteArray("[2f]") << true;
        QTest::newRow("extra character") << QByteArray("[2F]X") << false;
        QTest::newRow("wrong digits") << QByteArray("[30]") << false;
        QTest::newRow("brackets not examined") << QByteArray("(2F]") << true;
        QTest::newRow("payload") << Frames::buildReply("0123ABCD") << true;
        QTest::newRow("too short") << QByteArray("[") << false;
    }
    void replyChecksum()
    {
        QFETCH(QByteArray, reply);
        QFETCH(bool, ok);
        QCOMPARE(Frames::replyChecksumOk(reply), ok);
    }

    void blockChecksum_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("msw");
        QTest::addColumn<int>("lsw");
        QTest::newRow("all zero") << 0 << 0x4410 << 0x1341;
        QTest::newRow("all FF") << 0xFF << 0x4D05 << 0xBD40;
    }
    void blockChecksum()
    {
        QFETCH(int, value);
        QFETCH(int, msw);
        QFETCH(int, lsw);
        const uint32_t sum = Frames::blockChecksum(std::vector<int16_t>(1024, int16_t(value)));
        QCOMPARE(Frames::msw(sum), uint16_t(msw));
        QCOMPARE(Frames::lsw(sum), uint16_t(lsw));
    }

    void blockChecksumOfBytes_matchesWords()
    {
        std::vector<int16_t> words(1024);
        std::vector<uint8_t> bytes(1024);
        for (int i = 0; i < 1024; ++i)
            words[size_t(i)] = static_cast<int16_t>(bytes[size_t(i)] = uint8_t(i * 37 + 11));
        QCOMPARE(Frames::blockChecksum(bytes), Frames::blockChecksum(words));
        // A word above 255 travels as its low byte but enters the sum whole.
        words[5] = static_cast<int16_t>(words[5] + 256);
        QVERIFY(Frames::blockChecksum(bytes) != Frames::blockChecksum(words));
    }

    void blockWriteCommand_carriesAddressAndLowBytes()
    {
        std::vector<int16_t> values(64);
        for (int j = 0; j < 64; ++j)
            values[size_t(j)] = static_cast<int16_t>(j);
        values[63] = 0x1FE;
        const QByteArray first = Frames::blockWriteCommand(0, values);
        QCOMPARE(first.size(), 136);
        QVERIFY(first.startsWith("0400003F000102"));
        QVERIFY(first.endsWith("3EFE"));
        QVERIFY(Frames::blockWriteCommand(15, values).startsWith("0403C03F"));
        QCOMPARE(Frames::buildRequest(first).size(), 139 + 3);
    }
};

QTEST_APPLESS_MAIN(tst_Frames)
#include "tst_frames.moc"
