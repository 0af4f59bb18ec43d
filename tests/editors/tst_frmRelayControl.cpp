#include "EditorTestSupport.h"
#include "FakePrompts.h"
#include "frmRelayControl.h"
#include "modOVMXConfig.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <memory>

class tst_frmRelayControl : public QObject
{
    Q_OBJECT

private:
    modOVMXConfig m_doc;
    FakePrompts m_prompts;
    std::unique_ptr<frmRelayControl> m_editor;

    // Opens the editor on input i, relay r the way the main window does.
    void open(int i, int r)
    {
        m_doc.SelInput = static_cast<int16_t>(i);
        m_doc.SelRelay = static_cast<int16_t>(r);
        m_doc.ConfigModified = false;
        m_editor = std::make_unique<frmRelayControl>(m_doc, m_prompts);
        m_editor->setMapDef(QStringLiteral("Tamberline 01 Input 3 / Relay 2 Control"));
        m_editor->show();
    }
    QRadioButton *closeOption(int index) const
    {
        return control<QRadioButton>(m_editor.get(),
                                     QStringLiteral("optControlClose_%1").arg(index));
    }
    QRadioButton *openOption(int index) const
    {
        return control<QRadioButton>(m_editor.get(),
                                     QStringLiteral("optControlOpen_%1").arg(index));
    }
    QCheckBox *hold() const
    {
        return control<QCheckBox>(m_editor.get(), QStringLiteral("chkOverride"));
    }
    QComboBox *timedOn() const
    {
        return control<QComboBox>(m_editor.get(), QStringLiteral("cboTimedOn"));
    }
    bool seqNoteShown() const
    {
        return !control<QLabel>(m_editor.get(), QStringLiteral("lblSeq"))->isHidden();
    }
    int checkedCloseOption() const
    {
        for (int n = 0; n < frmRelayControl::CloseOptionCount; ++n)
            if (closeOption(n)->isChecked())
                return n;
        return -1;
    }
    int checkedOpenOption() const
    {
        for (int n = 0; n < frmRelayControl::OpenOptionCount; ++n)
            if (openOption(n)->isChecked())
                return n;
        return -1;
    }

private Q_SLOTS:
    void init()
    {
        m_doc.NewConfiguration();
        m_prompts = FakePrompts();
    }
    void cleanup() { m_editor.reset(); }

    void captions_areTheSystemTexts()
    {
        open(0, 0);
        QCOMPARE(m_editor->windowTitle(), QStringLiteral("Relay Control"));
        QCOMPARE(control<QLabel>(m_editor.get(), QStringLiteral("lblMapDef"))->text(),
                 QStringLiteral("Tamberline 01 Input 3 / Relay 2 Control"));
        QCOMPARE(control<QGroupBox>(m_editor.get(), QStringLiteral("frmInputCloses"))->title(),
                 QStringLiteral("When Input Closes"));
        QCOMPARE(control<QGroupBox>(m_editor.get(), QStringLiteral("frmInputOpens"))->title(),
                 QStringLiteral("When Input Opens"));
        QCOMPARE(hold()->text(), QStringLiteral("Hold Status While Closed"));
        QCOMPARE(control<QLabel>(m_editor.get(), QStringLiteral("lblTimedOn"))->text(),
                 QStringLiteral("Timed On"));
        QCOMPARE(control<QLabel>(m_editor.get(), QStringLiteral("lblSeq"))->text(),
                 QStringLiteral("2/4 Step Sequences Use The Following Relay Pairs 1(A) - 2(B)  "
                                "Or 3(A) - 4(B)"));
        QCOMPARE(control<QPushButton>(m_editor.get(), QStringLiteral("cmdClose"))->text(),
                 QStringLiteral("Close"));
        const QStringList actions{QStringLiteral("None"),
                                  QStringLiteral("Turn Off Relay"),
                                  QStringLiteral("Turn On Relay"),
                                  QStringLiteral("Toggle Relay Based On Relay 1 Status"),
                                  QStringLiteral("Toggle Relay Based On Relay 2 Status"),
                                  QStringLiteral("Toggle Relay Based On Relay 3 Status"),
                                  QStringLiteral("Toggle Relay Based On Relay 4 Status"),
                                  QStringLiteral("Timed On With No Blink Alert"),
                                  QStringLiteral("Timed On With Single Blink Alert"),
                                  QStringLiteral("Timed On With Double Blink Alert"),
                                  QStringLiteral("2 Step Sequence"),
                                  QStringLiteral("4 Step Sequence")};
        for (int n = 0; n < 12; ++n)
            QCOMPARE(closeOption(n)->text(), actions[n]);
        for (int n = 0; n < 10; ++n)
            QCOMPARE(openOption(n)->text(), actions[n]);
        QVERIFY(!m_editor->findChild<QRadioButton *>(QStringLiteral("optControlOpen_10")));
        // One option every 360 twips.
        QCOMPARE(closeOption(11)->y() - closeOption(0)->y(), 11 * 24);
    }

    void timedOnList_holdsEveryMinuteFrom5To999()
    {
        open(0, 0);
        QCOMPARE(timedOn()->count(), 995);
        QCOMPARE(timedOn()->itemText(0), QStringLiteral("5 Minute"));
        QCOMPARE(timedOn()->itemText(994), QStringLiteral("999 Minute"));
    }

    void openAndClose_writesNothing_data()
    {
        QTest::addColumn<int>("closeWord");
        QTest::addColumn<int>("openAction");
        QTest::addColumn<int>("timedOn");
        QTest::newRow("new") << 0 << 0 << 0;
        QTest::newRow("hold-with-timed-action") << 128 + 7 << 3 << 25;
        QTest::newRow("sequence") << 11 << 9 << 994;
        QTest::newRow("outside-codings") << 128 + 12 << 10 << 995;
        QTest::newRow("negative") << 127 << -1 << -1;
    }
    void openAndClose_writesNothing()
    {
        QFETCH(int, closeWord);
        QFETCH(int, openAction);
        QFETCH(int, timedOn);
        m_doc.SetWord(16 * 5 + 4 * 2, closeWord);
        m_doc.SetRelayOpenAction(5, 2, openAction);
        m_doc.SetRelayTimedOn(5, 2, timedOn);
        const modOVMXConfig::Image before = m_doc.image();
        open(5, 2);
        QTest::mouseClick(control<QPushButton>(m_editor.get(), QStringLiteral("cmdClose")),
                          Qt::LeftButton);
        QVERIFY(!m_editor->isVisible());
        QCOMPARE(m_editor->result(), int(QDialog::Accepted));
        QVERIFY(m_doc.image() == before);
        QVERIFY(!m_doc.ConfigModified);
        QVERIFY(m_prompts.calls.isEmpty());
    }

    void load_showsStoredCell()
    {
        m_doc.SetRelayCloseAction(7, 3, 2);
        m_doc.SetRelayHoldStatus(7, 3, true);
        m_doc.SetRelayOpenAction(7, 3, 9);
        m_doc.SetRelayTimedOn(7, 3, 300);
        open(7, 3);
        QCOMPARE(checkedCloseOption(), 2);
        QCOMPARE(checkedOpenOption(), 9);
        QVERIFY(hold()->isChecked());
        QCOMPARE(timedOn()->currentText(), QStringLiteral("305 Minute"));
        QVERIFY(!seqNoteShown());
        for (int n = 0; n < 12; ++n)
            QCOMPARE(closeOption(n)->isEnabled(), n < 3);
    }

    void valuesOutsideCodings_selectNothingUntilChosen()
    {
        m_doc.SetWord(0, 12);
        m_doc.SetRelayOpenAction(0, 0, 10);
        m_doc.SetRelayTimedOn(0, 0, 995);
        open(0, 0);
        QCOMPARE(checkedCloseOption(), -1);
        QCOMPARE(checkedOpenOption(), -1);
        QCOMPARE(timedOn()->currentIndex(), -1);
        QVERIFY(!m_doc.ConfigModified);
        clickButton(openOption(4));
        QCOMPARE(m_doc.GetRelayOpenAction(0, 0), int16_t(4));
        QCOMPARE(m_doc.GetWord(0), int16_t(12));
    }

    void closeOption_storesIndexKeepingHold_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("holdBit");
        for (int n = 0; n < 12; ++n)
            QTest::addRow("option-%d", n) << n << false;
        for (int n = 0; n < 3; ++n)
            QTest::addRow("option-%d-held", n) << n << true;
    }
    void closeOption_storesIndexKeepingHold()
    {
        QFETCH(int, index);
        QFETCH(bool, holdBit);
        m_doc.SetRelayCloseAction(2, 1, index == 1 ? 2 : 1);
        m_doc.SetRelayHoldStatus(2, 1, holdBit);
        open(2, 1);
        clickButton(closeOption(index));
        QVERIFY(m_doc.ConfigModified);
        QCOMPARE(m_doc.GetWord(32 + 4), int16_t(index + (holdBit ? 128 : 0)));
        QCOMPARE(m_doc.GetRelayOpenAction(2, 1), int16_t(0));
    }

    void openOption_storesIndex_data()
    {
        QTest::addColumn<int>("index");
        for (int n = 0; n < 10; ++n)
            QTest::addRow("option-%d", n) << n;
    }
    void openOption_storesIndex()
    {
        QFETCH(int, index);
        m_doc.SetRelayOpenAction(2, 1, index == 0 ? 1 : 0);
        m_doc.SetRelayCloseAction(2, 1, 5);
        open(2, 1);
        clickButton(openOption(index));
        QCOMPARE(m_doc.GetWord(37), int16_t(index));
        QCOMPARE(m_doc.GetWord(36), int16_t(5));
    }

    void sequenceNote_followsCloseAction_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("shown");
        for (int n = 0; n < 12; ++n)
            QTest::addRow("option-%d", n) << n << (n >= 10);
    }
    void sequenceNote_followsCloseAction()
    {
        QFETCH(int, index);
        QFETCH(bool, shown);
        m_doc.SetRelayCloseAction(0, 0, index == 10 ? 11 : 10);
        open(0, 0);
        QVERIFY(seqNoteShown());
        clickButton(closeOption(index));
        QCOMPARE(seqNoteShown(), shown);
    }

    void holdWithPlainAction_storesBitAndGreysOutOthers()
    {
        m_doc.SetRelayCloseAction(2, 1, 2);
        open(2, 1);
        clickButton(hold());
        QVERIFY(m_prompts.calls.isEmpty());
        QCOMPARE(m_doc.GetWord(36), int16_t(128 + 2));
        for (int n = 0; n < 12; ++n)
            QCOMPARE(closeOption(n)->isEnabled(), n < 3);
        for (int n = 0; n < 10; ++n)
            QVERIFY(openOption(n)->isEnabled());

        clickButton(hold());
        QCOMPARE(m_doc.GetWord(36), int16_t(2));
        for (int n = 0; n < 12; ++n)
            QVERIFY(closeOption(n)->isEnabled());
    }

    void holdWithOtherAction_clearsActionAfterMessage_data()
    {
        QTest::addColumn<int>("action");
        for (int n = 3; n < 12; ++n)
            QTest::addRow("action-%d", n) << n;
        QTest::newRow("action-without-button") << 12;
    }
    void holdWithOtherAction_clearsActionAfterMessage()
    {
        QFETCH(int, action);
        m_doc.SetRelayCloseAction(2, 1, action);
        open(2, 1);
        clickButton(hold());
        QCOMPARE(m_prompts.calls.size(), 1);
        const FakePrompts::Call &call = m_prompts.calls.first();
        QCOMPARE(call.kind, FakePrompts::Kind::Message);
        QCOMPARE(call.title, QStringLiteral("Error"));
        QCOMPARE(call.text,
                 QStringLiteral("Hols Status Is Only Available For None, Turn Off Relay, "
                                "and Turn On Relay\r\nInput Close Action Has Been Cleared"));
        QCOMPARE(call.icon, Prompts::Icon::Critical);
        QCOMPARE(m_doc.GetWord(36), int16_t(128));
        QCOMPARE(checkedCloseOption(), 0);
        QVERIFY(!seqNoteShown());
        for (int n = 0; n < 12; ++n)
            QCOMPARE(closeOption(n)->isEnabled(), n < 3);
    }

    void loadedHoldWithOtherAction_showsItGreyedWithoutMessage()
    {
        m_doc.SetRelayCloseAction(4, 0, 7);
        m_doc.SetRelayHoldStatus(4, 0, true);
        open(4, 0);
        QCOMPARE(checkedCloseOption(), 7);
        QVERIFY(!closeOption(7)->isEnabled());
        QVERIFY(m_prompts.calls.isEmpty());
        clickButton(hold());
        QCOMPARE(m_doc.GetWord(64), int16_t(7));
        QVERIFY(closeOption(7)->isEnabled());
        QVERIFY(m_prompts.calls.isEmpty());
    }

    void timedOnChoice_storesPositionInTwoWords_data()
    {
        QTest::addColumn<int>("entry");
        QTest::addColumn<int>("high");
        QTest::addColumn<int>("low");
        QTest::newRow("5-minutes") << 0 << 0 << 0;
        QTest::newRow("261-minutes") << 256 << 1 << 0;
        QTest::newRow("999-minutes") << 994 << 3 << 226;
    }
    void timedOnChoice_storesPositionInTwoWords()
    {
        QFETCH(int, entry);
        QFETCH(int, high);
        QFETCH(int, low);
        m_doc.SetRelayTimedOn(1, 2, 100);
        open(1, 2);
        QVERIFY(chooseEntry(timedOn(), entry));
        QCOMPARE(m_doc.GetWord(16 + 8 + 2), int16_t(high));
        QCOMPARE(m_doc.GetWord(16 + 8 + 3), int16_t(low));
    }

    void dialog_centresOverItsParent()
    {
        QWidget main;
        main.setGeometry(100, 80, 1025, 681);
        main.show();
        m_doc.ConfigModified = false;
        frmRelayControl editor(m_doc, m_prompts, &main);
        editor.show();
        const QRect outer = main.frameGeometry(), own = editor.frameGeometry();
        QCOMPARE(own.left(), outer.left() + (outer.width() - own.width()) / 2);
        QCOMPARE(own.top(), outer.top() + (outer.height() - own.height()) / 2);
    }
};

QTEST_MAIN(tst_frmRelayControl)
#include "tst_frmRelayControl.moc"
