#include "EditorTestSupport.h"
#include "FakePrompts.h"
#include "OptionTexts.h"
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
        m_editor->setMapDef("Tamberline 01 Input 3 / Relay 2 Control");
        m_editor->show();
    }
    template <class T = QWidget> T *get(const QString &name) const
    {
        return control<T>(m_editor.get(), name);
    }
    QRadioButton *option(bool closing, int n) const
    {
        return get<QRadioButton>(
            QString(closing ? "optControlClose_%1" : "optControlOpen_%1").arg(n));
    }
    QCheckBox *hold() const { return get<QCheckBox>("chkOverride"); }
    QComboBox *timedOn() const { return get<QComboBox>("cboTimedOn"); }
    bool seqNoteShown() const { return !get("lblSeq")->isHidden(); }
    int checked(bool closing) const
    {
        for (int n = 0; n < (closing ? 12 : 10); ++n)
            if (option(closing, n)->isChecked())
                return n;
        return -1;
    }
    // Close options usable: all, or only the first three while the hold box is ticked.
    void checkEnabledCloseOptions(bool onlyFirstThree)
    {
        for (int n = 0; n < 12; ++n)
            QCOMPARE(option(true, n)->isEnabled(), n < 3 || !onlyFirstThree);
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
        QCOMPARE(get<QLabel>("lblMapDef")->text(), "Tamberline 01 Input 3 / Relay 2 Control");
        QCOMPARE(get<QGroupBox>("frmInputCloses")->title(), QStringLiteral("When Input Closes"));
        QCOMPARE(get<QGroupBox>("frmInputOpens")->title(), QStringLiteral("When Input Opens"));
        QCOMPARE(hold()->text(), QStringLiteral("Hold Status While Closed"));
        QCOMPARE(get<QLabel>("lblTimedOn")->text(), QStringLiteral("Timed On"));
        QCOMPARE(get<QLabel>("lblSeq")->text(),
                 "2/4 Step Sequences Use The Following Relay Pairs 1(A) - 2(B)  Or 3(A) - 4(B)");
        // The words themselves are checked with the shared option list; here, that each button
        // carries the entry of its own code.
        const QStringList actions = OptionTexts::relayCloseActionEntries();
        for (int n = 0; n < 12; ++n) {
            QCOMPARE(option(true, n)->text(), actions[n]);
            if (n < 10)
                QCOMPARE(option(false, n)->text(), actions[n]);
        }
        QVERIFY(!m_editor->findChild<QRadioButton *>("optControlOpen_10"));
        // One option every 360 twips.
        QCOMPARE(option(true, 11)->y() - option(true, 0)->y(), 11 * 24);
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
        QTest::mouseClick(get<QPushButton>("cmdClose"), Qt::LeftButton);
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
        QCOMPARE(checked(true), 2);
        QCOMPARE(checked(false), 9);
        QVERIFY(hold()->isChecked());
        QCOMPARE(timedOn()->currentText(), QStringLiteral("305 Minute"));
        QVERIFY(!seqNoteShown());
        checkEnabledCloseOptions(true);
    }

    void valuesOutsideCodings_selectNothingUntilChosen()
    {
        m_doc.SetWord(0, 12);
        m_doc.SetRelayOpenAction(0, 0, 10);
        m_doc.SetRelayTimedOn(0, 0, 995);
        open(0, 0);
        QCOMPARE(checked(true), -1);
        QCOMPARE(checked(false), -1);
        QCOMPARE(timedOn()->currentIndex(), -1);
        QVERIFY(!m_doc.ConfigModified);
        clickButton(option(false, 4));
        QCOMPARE(m_doc.GetRelayOpenAction(0, 0), int16_t(4));
        QCOMPARE(m_doc.GetWord(0), int16_t(12));
    }

    void option_storesItsIndexOnly_data()
    {
        QTest::addColumn<bool>("closing");
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("holdBit");
        for (int n = 0; n < 12; ++n)
            QTest::addRow("close-%d", n) << true << n << false;
        for (int n = 0; n < 3; ++n)
            QTest::addRow("close-%d-held", n) << true << n << true;
        for (int n = 0; n < 10; ++n)
            QTest::addRow("open-%d", n) << false << n << false;
    }
    void option_storesItsIndexOnly()
    {
        QFETCH(bool, closing);
        QFETCH(int, index);
        QFETCH(bool, holdBit);
        // Words 36 and 37: input 2, relay 1; start away from the option clicked.
        m_doc.SetWord(36, (index == 1 ? 2 : 1) + (holdBit ? 128 : 0));
        m_doc.SetWord(37, index == 0 ? 1 : 0);
        modOVMXConfig::Image expected = m_doc.image();
        expected[closing ? 36 : 37] = static_cast<int16_t>(index + (holdBit ? 128 : 0));
        open(2, 1);
        clickButton(option(closing, index));
        QVERIFY(m_doc.ConfigModified);
        QVERIFY(m_doc.image() == expected);
        // The note on relay pairs shows with the sequence actions only.
        QCOMPARE(seqNoteShown(), closing && index >= 10);
    }

    void holdWithPlainAction_storesBitAndGreysOutOthers()
    {
        m_doc.SetRelayCloseAction(2, 1, 2);
        open(2, 1);
        clickButton(hold());
        QVERIFY(m_prompts.calls.isEmpty());
        QCOMPARE(m_doc.GetWord(36), int16_t(128 + 2));
        checkEnabledCloseOptions(true);
        for (int n = 0; n < 10; ++n)
            QVERIFY(option(false, n)->isEnabled());
        clickButton(hold());
        QCOMPARE(m_doc.GetWord(36), int16_t(2));
        checkEnabledCloseOptions(false);
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
        QCOMPARE(call.text, "Hols Status Is Only Available For None, Turn Off Relay, and Turn On "
                            "Relay\r\nInput Close Action Has Been Cleared");
        QCOMPARE(call.icon, Prompts::Icon::Critical);
        QCOMPARE(m_doc.GetWord(36), int16_t(128));
        QCOMPARE(checked(true), 0);
        QVERIFY(!seqNoteShown());
        checkEnabledCloseOptions(true);
    }

    void loadedHoldWithOtherAction_showsItGreyedWithoutMessage()
    {
        m_doc.SetRelayCloseAction(4, 0, 7);
        m_doc.SetRelayHoldStatus(4, 0, true);
        open(4, 0);
        QCOMPARE(checked(true), 7);
        QVERIFY(!option(true, 7)->isEnabled());
        clickButton(hold());
        QCOMPARE(m_doc.GetWord(64), int16_t(7));
        QVERIFY(option(true, 7)->isEnabled());
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
        frmRelayControl editor(m_doc, m_prompts, &main);
        editor.show();
        const QRect outer = main.frameGeometry(), own = editor.frameGeometry();
        QCOMPARE(own.left(), outer.left() + (outer.width() - own.width()) / 2);
        QCOMPARE(own.top(), outer.top() + (outer.height() - own.height()) / 2);
    }
};

QTEST_MAIN(tst_frmRelayControl)
#include "tst_frmRelayControl.moc"
