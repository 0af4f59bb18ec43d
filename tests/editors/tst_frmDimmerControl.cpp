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

    // Opens the editor on input 4, dimmer 1.
    void open()
    {
        m_doc.SelInput = 4;
        m_doc.SelDimmer = 1;
        m_doc.ConfigModified = false;
        m_editor = std::make_unique<frmDimmerControl>(m_doc, m_prompts);
        m_editor->setMapDef("Tamberline 01 Input 5 / Dimmer Output 2 Control");
        m_editor->show();
    }
    QComboBox *list(const QString &name) const { return control<QComboBox>(m_editor.get(), name); }
    // Words of the dimmer control record of input 4, dimmer 1: control, fade rate, revert.
    static int word(int offset) { return 512 + 12 * 4 + 3 * 1 + offset; }

private Q_SLOTS:
    void init() { m_doc.NewConfiguration(); }
    void cleanup() { m_editor.reset(); }

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
        open();
        QCOMPARE(m_editor->windowTitle(), QStringLiteral("Dimmer Control"));
        QCOMPARE(control<QLabel>(m_editor.get(), "lblMapDef")->text(),
                 QStringLiteral("Tamberline 01 Input 5 / Dimmer Output 2 Control"));
        QCOMPARE(list(name)->count(), count);
        QCOMPARE(list(name)->itemText(position), entry);
    }

    void openAndClose_showsStoredAndWritesNothing_data()
    {
        QTest::addColumn<QList<int>>("stored"); // control, fade rate, revert
        QTest::addColumn<QStringList>("shown"); // empty: nothing selected
        QTest::newRow("new") << QList<int>{0, 0, 0}
                             << QStringList{"None", "Fade", "Revert When Input Opens"};
        QTest::newRow("stored") << QList<int>{54, 1, 13}
                                << QStringList{"Goto 50%", "Instant", "Revert After 60 Min"};
        QTest::newRow("last-entries")
            << QList<int>{104, 1, 121}
            << QStringList{"Goto 100%", "Instant", "Revert After 600 Min"};
        QTest::newRow("beyond-lists") << QList<int>{105, 2, 122} << QStringList{"", "", ""};
        QTest::newRow("negative") << QList<int>{-1, -5, -300} << QStringList{"", "", ""};
    }
    void openAndClose_showsStoredAndWritesNothing()
    {
        QFETCH(QList<int>, stored);
        QFETCH(QStringList, shown);
        m_doc.SetDimmerControl(4, 1, stored[0]);
        m_doc.SetDimmerControlFadeRate(4, 1, stored[1]);
        m_doc.SetDimmerRevert(4, 1, stored[2]);
        const modOVMXConfig::Image before = m_doc.image();
        open();
        const QStringList names{"cboControl", "cboFadeRate", "cboRevert"};
        for (int n = 0; n < 3; ++n) {
            QCOMPARE(list(names[n])->currentText(), shown[n]);
            QCOMPARE(list(names[n])->currentIndex() == -1, shown[n].isEmpty());
        }
        QTest::mouseClick(control<QPushButton>(m_editor.get(), "cmdClose"), Qt::LeftButton);
        QVERIFY(!m_editor->isVisible());
        QVERIFY(m_doc.image() == before);
        QVERIFY(!m_doc.ConfigModified);
    }

    void choice_storesItsPositionOnly_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("offset");
        QTest::addColumn<bool>("beyond"); // the three words start beyond their lists
        QTest::newRow("goto-100") << "cboControl" << 104 << 0 << false;
        QTest::newRow("goto-0") << "cboControl" << 4 << 0 << false;
        QTest::newRow("lower") << "cboControl" << 2 << 0 << false;
        QTest::newRow("instant-with-none") << "cboFadeRate" << 1 << 1 << false;
        QTest::newRow("after-5") << "cboRevert" << 2 << 2 << false;
        QTest::newRow("after-600") << "cboRevert" << 121 << 2 << false;
        QTest::newRow("fade-among-beyond") << "cboFadeRate" << 0 << 1 << true;
    }
    void choice_storesItsPositionOnly()
    {
        QFETCH(QString, name);
        QFETCH(int, position);
        QFETCH(int, offset);
        QFETCH(bool, beyond);
        if (beyond) {
            m_doc.SetDimmerControl(4, 1, 105);
            m_doc.SetDimmerControlFadeRate(4, 1, 2);
            m_doc.SetDimmerRevert(4, 1, 122);
        }
        open();
        modOVMXConfig::Image expected = m_doc.image();
        expected[size_t(word(offset))] = static_cast<int16_t>(position);
        QVERIFY(chooseEntry(list(name), position));
        QVERIFY(m_doc.ConfigModified);
        QVERIFY(m_doc.image() == expected);
        for (const char *other : {"cboControl", "cboFadeRate", "cboRevert"})
            QVERIFY(list(other)->isEnabled());
    }
};

QTEST_MAIN(tst_frmDimmerControl)
#include "tst_frmDimmerControl.moc"
