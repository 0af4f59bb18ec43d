#include "EditorTestSupport.h"
#include "FakePrompts.h"
#include "frmDimmerControl.h"
#include "modOVMXConfig.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <memory>

class tst_frmDimmerControl : public QObject
{
    Q_OBJECT

private:
    modOVMXConfig m_doc;
    FakePrompts m_prompts;
    std::unique_ptr<frmDimmerControl> m_editor;

    void open(int i, int d)
    {
        m_doc.SelInput = static_cast<int16_t>(i);
        m_doc.SelDimmer = static_cast<int16_t>(d);
        m_doc.ConfigModified = false;
        m_editor = std::make_unique<frmDimmerControl>(m_doc, m_prompts);
        m_editor->setMapDef(QStringLiteral("Tamberline 01 Input 5 / Dimmer Output 2 Control"));
        m_editor->show();
    }
    QComboBox *list(const QString &name) const { return control<QComboBox>(m_editor.get(), name); }
    // Word of the dimmer control record of input 4, dimmer 1.
    static int word(int offset) { return 512 + 12 * 4 + 3 * 1 + offset; }

private Q_SLOTS:
    void init() { m_doc.NewConfiguration(); }
    void cleanup() { m_editor.reset(); }

    void newConfiguration_showsFirstEntries()
    {
        open(4, 1);
        QCOMPARE(m_editor->windowTitle(), QStringLiteral("Dimmer Control"));
        QCOMPARE(control<QLabel>(m_editor.get(), QStringLiteral("lblMapDef"))->text(),
                 QStringLiteral("Tamberline 01 Input 5 / Dimmer Output 2 Control"));
        QCOMPARE(list(QStringLiteral("cboControl"))->currentText(), QStringLiteral("None"));
        QCOMPARE(list(QStringLiteral("cboFadeRate"))->currentText(), QStringLiteral("Fade"));
        QCOMPARE(list(QStringLiteral("cboRevert"))->currentText(),
                 QStringLiteral("Revert When Input Opens"));
    }

    void lists_holdTheirEntriesInCodeOrder_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("entry");
        QTest::newRow("none") << "cboControl" << 105 << 0 << "None";
        QTest::newRow("revert-to-photocell") << "cboControl" << 105 << 1 << "Revert To Photocell";
        QTest::newRow("lower") << "cboControl" << 105 << 2 << "Lower 10%";
        QTest::newRow("raise") << "cboControl" << 105 << 3 << "Raise 10%";
        QTest::newRow("goto-0") << "cboControl" << 105 << 4 << "Goto 0%";
        QTest::newRow("goto-57") << "cboControl" << 105 << 61 << "Goto 57%";
        QTest::newRow("goto-100") << "cboControl" << 105 << 104 << "Goto 100%";
        QTest::newRow("fade") << "cboFadeRate" << 2 << 0 << "Fade";
        QTest::newRow("instant") << "cboFadeRate" << 2 << 1 << "Instant";
        QTest::newRow("when-opens") << "cboRevert" << 122 << 0 << "Revert When Input Opens";
        QTest::newRow("never") << "cboRevert" << 122 << 1 << "Never Revert";
        QTest::newRow("after-5") << "cboRevert" << 122 << 2 << "Revert After 5 Min";
        QTest::newRow("after-55") << "cboRevert" << 122 << 12 << "Revert After 55 Min";
        QTest::newRow("after-600") << "cboRevert" << 122 << 121 << "Revert After 600 Min";
    }
    void lists_holdTheirEntriesInCodeOrder()
    {
        QFETCH(QString, name);
        QFETCH(int, count);
        QFETCH(int, position);
        QFETCH(QString, entry);
        open(0, 0);
        QCOMPARE(list(name)->count(), count);
        QCOMPARE(list(name)->itemText(position), entry);
    }

    void choice_storesItsPositionOnly_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("offset");
        QTest::newRow("goto-100") << "cboControl" << 104 << 0;
        QTest::newRow("goto-0") << "cboControl" << 4 << 0;
        QTest::newRow("lower") << "cboControl" << 2 << 0;
        QTest::newRow("instant-with-none") << "cboFadeRate" << 1 << 1;
        QTest::newRow("after-5") << "cboRevert" << 2 << 2;
        QTest::newRow("after-600") << "cboRevert" << 121 << 2;
    }
    void choice_storesItsPositionOnly()
    {
        QFETCH(QString, name);
        QFETCH(int, position);
        QFETCH(int, offset);
        open(4, 1);
        modOVMXConfig::Image expected = m_doc.image();
        expected[static_cast<size_t>(word(offset))] = static_cast<int16_t>(position);
        QVERIFY(chooseEntry(list(name), position));
        QVERIFY(m_doc.ConfigModified);
        QVERIFY(m_doc.image() == expected);
        for (const char *other : {"cboControl", "cboFadeRate", "cboRevert"})
            QVERIFY(list(QLatin1String(other))->isEnabled());
    }

    void load_selectsStoredPositions()
    {
        m_doc.SetDimmerControl(4, 1, 54);
        m_doc.SetDimmerControlFadeRate(4, 1, 1);
        m_doc.SetDimmerRevert(4, 1, 13);
        open(4, 1);
        QCOMPARE(list(QStringLiteral("cboControl"))->currentText(), QStringLiteral("Goto 50%"));
        QCOMPARE(list(QStringLiteral("cboFadeRate"))->currentText(), QStringLiteral("Instant"));
        QCOMPARE(list(QStringLiteral("cboRevert"))->currentText(),
                 QStringLiteral("Revert After 60 Min"));
    }

    void openAndClose_writesNothing_data()
    {
        QTest::addColumn<int>("control");
        QTest::addColumn<int>("fadeRate");
        QTest::addColumn<int>("revert");
        QTest::newRow("new") << 0 << 0 << 0;
        QTest::newRow("last-entries") << 104 << 1 << 121;
        QTest::newRow("beyond-lists") << 105 << 2 << 122;
        QTest::newRow("negative") << -1 << -5 << -300;
    }
    void openAndClose_writesNothing()
    {
        QFETCH(int, control);
        QFETCH(int, fadeRate);
        QFETCH(int, revert);
        m_doc.SetDimmerControl(4, 1, control);
        m_doc.SetDimmerControlFadeRate(4, 1, fadeRate);
        m_doc.SetDimmerRevert(4, 1, revert);
        const modOVMXConfig::Image before = m_doc.image();
        open(4, 1);
        QTest::mouseClick(::control<QPushButton>(m_editor.get(), QStringLiteral("cmdClose")),
                          Qt::LeftButton);
        QVERIFY(!m_editor->isVisible());
        QVERIFY(m_doc.image() == before);
        QVERIFY(!m_doc.ConfigModified);
    }

    void valuesBeyondLists_selectNothingUntilChosen()
    {
        m_doc.SetDimmerControl(4, 1, 105);
        m_doc.SetDimmerControlFadeRate(4, 1, 2);
        m_doc.SetDimmerRevert(4, 1, 122);
        open(4, 1);
        for (const char *name : {"cboControl", "cboFadeRate", "cboRevert"})
            QCOMPARE(list(QLatin1String(name))->currentIndex(), -1);
        QVERIFY(chooseEntry(list(QStringLiteral("cboFadeRate")), 0));
        QCOMPARE(m_doc.GetWord(word(1)), int16_t(0));
        QCOMPARE(m_doc.GetWord(word(0)), int16_t(105));
        QCOMPARE(m_doc.GetWord(word(2)), int16_t(122));
    }
};

QTEST_MAIN(tst_frmDimmerControl)
#include "tst_frmDimmerControl.moc"
