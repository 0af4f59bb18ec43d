#include "ConnectRig.h"

// Every field of the status reply as the window shows it, and the manual output commands.
class tst_frmConnect_status : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init() { m_rig = std::make_unique<ConnectRig>(); }
    void cleanup() { m_rig.reset(); }

    void beforeFirstPoll_everyValueDash();
    void statusField_shownWithColour_data();
    void statusField_shownWithColour();
    void modelBit_showsOrHidesThirdAndFourthOutputs_data();
    void modelBit_showsOrHidesThirdAndFourthOutputs();
    void relayButton_sendsItsCommand_data();
    void relayButton_sendsItsCommand();
    void dimmerButton_sendsClampedLevel_data();
    void dimmerButton_sendsClampedLevel();
    void dimmerButton_networkedNode_refusedWhileRelaysWork();
    void dimmerButton_beforeFirstAnswer_refused();

private:
    std::unique_ptr<ConnectRig> m_rig;
};

void tst_frmConnect_status::beforeFirstPoll_everyValueDash()
{
    QVERIFY(m_rig->open());
    m_rig->click(QStringLiteral("cmdConnect"));
    for (int i = 0; i < frmConnect::StatusCount; ++i) {
        QCOMPARE(m_rig->statusText(i), QStringLiteral("-"));
        QCOMPARE(m_rig->statusColour(i), ConnectColours::startColour(i));
    }
    QCOMPARE(m_rig->statusColour(4), QColor(255, 128, 128));
    QCOMPARE(m_rig->statusColour(32), QColor(255, 255, 128));
    QCOMPARE(m_rig->statusColour(0), QColor(128, 128, 128));
    auto *caption = m_rig->child<QLabel>(QStringLiteral("lblStatusName(21)"));
    QCOMPARE(caption->text(), QStringLiteral("Input 4"));
    QCOMPARE(ConnectColours::background(caption), QColor(128, 255, 255));
}

void tst_frmConnect_status::statusField_shownWithColour_data()
{
    QTest::addColumn<QByteArray>("payload");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QColor>("colour");
    const QColor white(255, 255, 255), grey(128, 128, 128), lightRed(255, 128, 128),
        yellow(255, 255, 128);
    StatusText all;
    all.inputs = "3F";
    StatusText none;
    none.inputs = "00";
    for (int k = 0; k < 4; ++k) {
        QTest::addRow("3F hardwired %d", k + 1) << all.payload() << 18 + k << "On" << white;
        QTest::addRow("00 hardwired %d", k + 1) << none.payload() << 18 + k << "Off" << grey;
    }
    for (int com : {4, 11}) {
        QTest::addRow("3F com %d", com) << all.payload() << com << "Yes" << white;
        QTest::addRow("00 com %d", com) << none.payload() << com << "No" << lightRed;
    }
    StatusText relays;
    relays.unused = "F";
    relays.relays = "5";
    const char *relayStates[] = {"On", "Off", "On", "Off"};
    for (int r = 0; r < 4; ++r)
        QTest::addRow("relay char 5, relay %d", r + 1)
            << relays.payload() << r << relayStates[r] << (r % 2 == 0 ? white : grey);
    StatusText switches;
    switches.station1 = "2A";
    switches.station2 = "C1";
    QTest::newRow("station 1 switch 2") << switches.payload() << 6 << "On" << white;
    QTest::newRow("station 1 switch 3") << switches.payload() << 7 << "Off" << grey;
    QTest::newRow("station 1 switch 6") << switches.payload() << 10 << "On" << white;
    QTest::newRow("station 2 switch 1") << switches.payload() << 12 << "On" << white;
    QTest::newRow("station 2 switch 6") << switches.payload() << 17 << "Off" << grey;
    StatusText levels;
    levels.dimmers = "0AFF1080";
    levels.pc1 = "60";
    levels.pc2 = "A0";
    levels.pcInputs = "81";
    levels.node = "01";
    levels.firmware = "B";
    QTest::newRow("dimmer 1") << levels.payload() << 32 << "10" << yellow;
    QTest::newRow("dimmer 2") << levels.payload() << 33 << "255" << yellow;
    QTest::newRow("dimmer 3") << levels.payload() << 34 << "16" << yellow;
    QTest::newRow("dimmer 4") << levels.payload() << 35 << "128" << yellow;
    QTest::newRow("photocell 1 level") << levels.payload() << 22 << "96" << yellow;
    QTest::newRow("photocell 2 level") << levels.payload() << 23 << "160" << yellow;
    QTest::newRow("photocell 1 in 1") << levels.payload() << 24 << "On" << white;
    QTest::newRow("photocell 1 in 2") << levels.payload() << 25 << "Off" << grey;
    QTest::newRow("photocell 2 in 4") << levels.payload() << 31 << "On" << white;
    QTest::newRow("photocell 2 in 1") << levels.payload() << 28 << "Off" << grey;
    QTest::newRow("node") << levels.payload() << 36 << "01" << yellow;
    QTest::newRow("firmware") << levels.payload() << 37 << "Rev B" << yellow;
    StatusText two;
    two.model = "7F";
    QTest::newRow("model 80") << StatusText().payload() << 38 << "MX-4" << yellow;
    QTest::newRow("model 7F") << two.payload() << 38 << "MX-2" << yellow;
}

void tst_frmConnect_status::statusField_shownWithColour()
{
    QFETCH(QByteArray, payload);
    QFETCH(int, index);
    QCOMPARE(payload.size(), Frames::StatusPayload);
    QVERIFY(m_rig->open());
    m_rig->click(QStringLiteral("cmdConnect"));
    m_rig->port.statusPayload = payload;
    m_rig->window->Timer1_Timer();
    QVERIFY(m_rig->window->isConnected());
    QTEST(m_rig->statusText(index), "text");
    QTEST(m_rig->statusColour(index), "colour");
}

void tst_frmConnect_status::modelBit_showsOrHidesThirdAndFourthOutputs_data()
{
    QTest::addColumn<QByteArray>("model");
    QTest::addColumn<bool>("shown");
    QTest::newRow("80 MX-4") << QByteArray("80") << true;
    QTest::newRow("7F MX-2") << QByteArray("7F") << false;
}

void tst_frmConnect_status::modelBit_showsOrHidesThirdAndFourthOutputs()
{
    QFETCH(QByteArray, model);
    QFETCH(bool, shown);
    QVERIFY(m_rig->open());
    m_rig->click(QStringLiteral("cmdConnect"));
    StatusText status;
    status.model = model;
    status.relays = "F";
    status.dimmers = "01020304";
    m_rig->port.statusPayload = status.payload();
    m_rig->window->Timer1_Timer();
    for (const QString &row :
         {QStringLiteral("lblStatus(2)"), QStringLiteral("lblStatusName(3)"),
          QStringLiteral("lblStatus(34)"), QStringLiteral("lblStatusName(35)"),
          QStringLiteral("cmdRly3Off"), QStringLiteral("cmdRly4On"), QStringLiteral("cmdDim3DnB"),
          QStringLiteral("cmdDim4UpB"), QStringLiteral("cmdDim4Dn")})
        QVERIFY2(m_rig->visible(row) == shown, qPrintable(row));
    for (const QString &always : {QStringLiteral("lblStatus(1)"), QStringLiteral("cmdRly2On"),
                                  QStringLiteral("lblStatus(33)"), QStringLiteral("cmdDim2Up")})
        QVERIFY2(m_rig->visible(always), qPrintable(always));
    // Hidden rows are still written.
    QCOMPARE(m_rig->statusText(3), QStringLiteral("On"));
    QCOMPARE(m_rig->statusText(35), QStringLiteral("4"));
}

void tst_frmConnect_status::relayButton_sendsItsCommand_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QByteArray>("command");
    QTest::addColumn<int>("relaysAfter");
    for (int r = 0; r < 4; ++r) {
        QTest::addRow("relay %d off", r + 1)
            << QStringLiteral("cmdRly%1Off").arg(r + 1)
            << QByteArray("02") + QByteArray::number(r) + "0" << (0xF & ~(1 << r));
        QTest::addRow("relay %d on", r + 1)
            << QStringLiteral("cmdRly%1On").arg(r + 1)
            << QByteArray("02") + QByteArray::number(r) + "1" << (0x5 | (1 << r));
    }
}

void tst_frmConnect_status::relayButton_sendsItsCommand()
{
    QFETCH(QString, button);
    QFETCH(int, relaysAfter);
    const bool on = button.endsWith(QLatin1String("On"));
    m_rig->sim.relays = on ? 0x5 : 0xF;
    QVERIFY(m_rig->connect());
    m_rig->port.commands.clear();
    m_rig->click(button);
    QCOMPARE(m_rig->port.commands.size(), 1);
    QTEST(m_rig->port.commands.first(), "command");
    QCOMPARE(int(m_rig->sim.relays), relaysAfter);
    QVERIFY(m_rig->prompts.calls.isEmpty());
    // The next poll shows it.
    m_rig->window->Timer1_Timer();
    const int relay = button.mid(6, 1).toInt() - 1;
    QCOMPARE(m_rig->statusText(relay), on ? QStringLiteral("On") : QStringLiteral("Off"));
}

void tst_frmConnect_status::dimmerButton_sendsClampedLevel_data()
{
    QTest::addColumn<int>("dimmer");
    QTest::addColumn<int>("shown");
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<QByteArray>("command");
    QTest::addColumn<int>("levelAfter");
    QTest::newRow("250 +16 stops at FF") << 0 << 250 << "UpB" << QByteArray("030FF") << 255;
    QTest::newRow("10 -16 stops at 00") << 1 << 10 << "DnB" << QByteArray("03100") << 0;
    QTest::newRow("255 +1 sends FF again") << 2 << 255 << "Up" << QByteArray("032FF") << 255;
    QTest::newRow("0 -1 sends 00 again") << 3 << 0 << "Dn" << QByteArray("03300") << 0;
    QTest::newRow("100 -1") << 0 << 100 << "Dn" << QByteArray("03063") << 99;
    QTest::newRow("100 +16") << 1 << 100 << "UpB" << QByteArray("03174") << 116;
    QTest::newRow("17 -16") << 2 << 17 << "DnB" << QByteArray("03201") << 1;
    QTest::newRow("9 +1") << 3 << 9 << "Up" << QByteArray("0330A") << 10;
}

void tst_frmConnect_status::dimmerButton_sendsClampedLevel()
{
    QFETCH(int, dimmer);
    QFETCH(int, shown);
    QFETCH(QString, suffix);
    m_rig->sim.dimmers[static_cast<size_t>(dimmer)] = static_cast<uint8_t>(shown);
    QVERIFY(m_rig->connect());
    QCOMPARE(m_rig->statusText(32 + dimmer), QString::number(shown));
    m_rig->port.commands.clear();
    m_rig->click(QStringLiteral("cmdDim%1%2").arg(dimmer + 1).arg(suffix));
    QCOMPARE(m_rig->port.commands.size(), 1);
    QTEST(m_rig->port.commands.first(), "command");
    QTEST(int(m_rig->sim.dimmers[static_cast<size_t>(dimmer)]), "levelAfter");
    QVERIFY(m_rig->prompts.calls.isEmpty());
}

void tst_frmConnect_status::dimmerButton_networkedNode_refusedWhileRelaysWork()
{
    m_rig->sim.node = "01";
    QVERIFY(m_rig->connect());
    QCOMPARE(m_rig->statusText(frmConnect::NodeIndex), QStringLiteral("01"));
    m_rig->port.commands.clear();
    for (int d = 1; d <= 4; ++d)
        for (const char *suffix : {"DnB", "Dn", "Up", "UpB"})
            m_rig->click(QStringLiteral("cmdDim%1%2").arg(d).arg(QLatin1String(suffix)));
    QVERIFY(m_rig->port.commands.isEmpty());
    QCOMPARE(m_rig->prompts.calls.size(), 16);
    QCOMPARE(m_rig->prompts.last().title, QString());
    QCOMPARE(m_rig->prompts.last().text,
             QStringLiteral("OV-2 Is Networked. Dimmer Output Levels May Not Be Controlled From "
                            "This Software"));
    QCOMPARE(m_rig->prompts.last().icon, Prompts::Icon::NoIcon);
    m_rig->click(QStringLiteral("cmdRly1On"));
    QCOMPARE(m_rig->port.commands, QList<QByteArray>{QByteArray("0201")});
    QVERIFY(m_rig->window->isConnected());
}

void tst_frmConnect_status::dimmerButton_beforeFirstAnswer_refused()
{
    QVERIFY(m_rig->open());
    m_rig->click(QStringLiteral("cmdConnect"));
    m_rig->port.commands.clear();
    m_rig->click(QStringLiteral("cmdDim1Up"));
    QVERIFY(m_rig->port.commands.isEmpty());
    QCOMPARE(m_rig->prompts.calls.size(), 1);
    QCOMPARE(m_rig->prompts.last().icon, Prompts::Icon::NoIcon);
}

QTEST_MAIN(tst_frmConnect_status)
#include "tst_frmConnect_status.moc"
