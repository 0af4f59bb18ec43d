#include "Frames.h"

#include <QTest>

#include <vector>

class tst_Frames : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void hex2_data();
    void hex2();
    void hex4_data();
    void hex4();
    void hexVal_data();
    void hexVal();
    void requestFrame_data();
    void requestFrame();
    void emptyAcknowledgement_isBracketed2F();
    void replyChecksum_data();
    void replyChecksum();
    void blockChecksum_data();
    void blockChecksum();
    void blockChecksumOfBytes_matchesWords();
    void blockWriteCommand_carriesAddressAndLowBytes();
    void relayAndDimmerCommands_data();
    void relayAndDimmerCommands();
};

void tst_Frames::hex2_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("zero_00") << 0 << QByteArray("00");
    QTest::newRow("ten_0A") << 10 << QByteArray("0A");
    QTest::newRow("max_FF") << 255 << QByteArray("FF");
    QTest::newRow("above255_lowByte") << 0x1A5 << QByteArray("A5");
    QTest::newRow("minusOne_FF") << -1 << QByteArray("FF");
}

void tst_Frames::hex2()
{
    QFETCH(int, value);
    QFETCH(QByteArray, text);
    QCOMPARE(Frames::Hex2(value), text);
}

void tst_Frames::hex4_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("lastBlock_03C0") << 960 << QByteArray("03C0");
    QTest::newRow("zero_0000") << 0 << QByteArray("0000");
    QTest::newRow("max_FFFF") << 65535 << QByteArray("FFFF");
    QTest::newRow("wide_cutFromLeft") << 0x12345 << QByteArray("2345");
}

void tst_Frames::hex4()
{
    QFETCH(int, value);
    QFETCH(QByteArray, text);
    QCOMPARE(Frames::Hex4(value), text);
}

void tst_Frames::hexVal_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("digits");
    QTest::addColumn<int>("value");
    QTest::newRow("stopsAtNonDigit_1Z") << QByteArray("1Z") << 2 << 1;
    QTest::newRow("noDigit_0") << QByteArray("Z1") << 2 << 0;
    QTest::newRow("lowerCase_accepted") << QByteArray("ff") << 2 << 255;
    QTest::newRow("FFFF_neverNegative") << QByteArray("FFFF") << 4 << 65535;
    QTest::newRow("onlyLeadingDigitsRead") << QByteArray("ABCD") << 1 << 10;
    QTest::newRow("shortText_readsWhatIsThere") << QByteArray("7") << 4 << 7;
    QTest::newRow("empty_0") << QByteArray() << 2 << 0;
}

void tst_Frames::hexVal()
{
    QFETCH(QByteArray, text);
    QFETCH(int, digits);
    QFETCH(int, value);
    QCOMPARE(Frames::HexVal(text, digits), value);
}

void tst_Frames::requestFrame_data()
{
    QTest::addColumn<QByteArray>("command");
    QTest::addColumn<QByteArray>("frame");
    QTest::newRow("status") << QByteArray("01") << QByteArray("[270001]");
    QTest::newRow("relay1Off") << QByteArray("0200") << QByteArray("[53000200]");
}

void tst_Frames::requestFrame()
{
    QFETCH(QByteArray, command);
    QFETCH(QByteArray, frame);
    QCOMPARE(Frames::buildRequest(command), frame);
}

void tst_Frames::emptyAcknowledgement_isBracketed2F()
{
    QCOMPARE(Frames::buildReply({}), QByteArray("[2F]"));
    QCOMPARE(Frames::frameChecksum("]"), uint8_t(0x2F));
}

void tst_Frames::replyChecksum_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<bool>("ok");
    QTest::newRow("ack_good") << QByteArray("[2F]") << true;
    QTest::newRow("lowerCaseDigits_good") << QByteArray("[2f]") << true;
    QTest::newRow("extraCharacter_bad") << QByteArray("[2F]X") << false;
    QTest::newRow("wrongDigits_bad") << QByteArray("[30]") << false;
    QTest::newRow("bracketsNotExamined_good") << QByteArray("(2F]") << true;
    QTest::newRow("payload_good") << Frames::buildReply("0123ABCD") << true;
    QTest::newRow("tooShort_bad") << QByteArray("[") << false;
}

void tst_Frames::replyChecksum()
{
    QFETCH(QByteArray, reply);
    QFETCH(bool, ok);
    QCOMPARE(Frames::replyChecksumOk(reply), ok);
}

void tst_Frames::blockChecksum_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("msw");
    QTest::addColumn<int>("lsw");
    QTest::newRow("allZero") << 0 << 0x4410 << 0x1341;
    QTest::newRow("allFF") << 0xFF << 0x4D05 << 0xBD40;
}

void tst_Frames::blockChecksum()
{
    QFETCH(int, value);
    QFETCH(int, msw);
    QFETCH(int, lsw);
    const std::vector<int16_t> image(1024, static_cast<int16_t>(value));
    const uint32_t sum = Frames::blockChecksum(image);
    QCOMPARE(Frames::msw(sum), uint16_t(msw));
    QCOMPARE(Frames::lsw(sum), uint16_t(lsw));
}

void tst_Frames::blockChecksumOfBytes_matchesWords()
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

void tst_Frames::blockWriteCommand_carriesAddressAndLowBytes()
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
    QCOMPARE(Frames::blockReadCommand(15), QByteArray("0503C03F"));
    QCOMPARE(Frames::buildRequest(first).size(), 139 + 3);
}

void tst_Frames::relayAndDimmerCommands_data()
{
    QTest::addColumn<QByteArray>("command");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("relay1Off") << Frames::relayCommand(0, false) << QByteArray("0200");
    QTest::newRow("relay4On") << Frames::relayCommand(3, true) << QByteArray("0231");
    QTest::newRow("dimmer1Full") << Frames::dimmerCommand(0, 255) << QByteArray("030FF");
    QTest::newRow("dimmer3Zero") << Frames::dimmerCommand(2, 0) << QByteArray("03200");
}

void tst_Frames::relayAndDimmerCommands()
{
    QFETCH(QByteArray, command);
    QFETCH(QByteArray, expected);
    QCOMPARE(command, expected);
}

QTEST_APPLESS_MAIN(tst_Frames)
#include "tst_frames.moc"
