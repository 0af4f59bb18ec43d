#include "EditorTestSupport.h"
#include "FakePrompts.h"
#include "frmInputControl.h"
#include "modOVMXConfig.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <memory>

class tst_frmInputControl : public QObject
{
    Q_OBJECT

private:
    modOVMXConfig m_doc;
    FakePrompts m_prompts;
    std::unique_ptr<frmInputControl> m_editor;

    void open(int i, int j)
    {
        m_doc.SelInput = static_cast<int16_t>(i);
        m_doc.SelDisInput = static_cast<int16_t>(j);
        m_doc.ConfigModified = false;
        m_editor = std::make_unique<frmInputControl>(m_doc, m_prompts);
        m_editor->show();
    }
    QCheckBox *box(const QString &name) const { return control<QCheckBox>(m_editor.get(), name); }
    QCheckBox *closedBox() const { return box(QStringLiteral("chkInputDisableCls")); }
    QCheckBox *openBox() const { return box(QStringLiteral("chkInputDisableOpn")); }

private Q_SLOTS:
    void init() { m_doc.NewConfiguration(); }
    void cleanup() { m_editor.reset(); }

    void captions_comeFromTheCaller()
    {
        m_doc.SelInput = 14;
        m_doc.SelDisInput = 0;
        m_editor = std::make_unique<frmInputControl>(m_doc, m_prompts);
        QCOMPARE(m_editor->windowTitle(), QStringLiteral("Input Disable"));
        QCOMPARE(closedBox()->text(), QStringLiteral("Disable Input When Closed"));
        QCOMPARE(openBox()->text(), QStringLiteral("Disable Input When Open"));
        m_editor->setMapDef(QStringLiteral("Hardwire Input  3 / Tamberline 01 Input 1 Control"));
        m_editor->setCheckCaptions(
            QStringLiteral("Hardwire Input  3 Disables Tamberline 01 Input 1 When Closed"),
            QStringLiteral("Hardwire Input  3 Disables Tamberline 01 Input 1 When Open"));
        m_editor->show();
        QCOMPARE(control<QLabel>(m_editor.get(), QStringLiteral("lblMapDef"))->text(),
                 QStringLiteral("Hardwire Input  3 / Tamberline 01 Input 1 Control"));
        QCOMPARE(closedBox()->text(),
                 QStringLiteral("Hardwire Input  3 Disables Tamberline 01 Input 1 When Closed"));
        QCOMPARE(openBox()->text(),
                 QStringLiteral("Hardwire Input  3 Disables Tamberline 01 Input 1 When Open"));
        // The longest caption fits without cutting.
        QVERIFY(closedBox()->width() >= closedBox()->sizeHint().width());
    }

    void checkBox_setsAndClearsItsBitOnly_data()
    {
        QTest::addColumn<int>("i");
        QTest::addColumn<int>("j");
        QTest::addColumn<bool>("closed");
        QTest::addColumn<int>("word");
        QTest::addColumn<int>("bit");
        QTest::newRow("tb02-4-closed") << 9 << 0 << true << 385 << 1;
        QTest::newRow("tb02-4-open") << 9 << 0 << false << 897 << 1;
        QTest::newRow("pc2-4-closed") << 23 << 22 << true << 452 << 7;
        QTest::newRow("pc2-4-open") << 23 << 22 << false << 964 << 7;
        QTest::newRow("tb01-1-closed") << 0 << 5 << true << 399 << 0;
    }
    void checkBox_setsAndClearsItsBitOnly()
    {
        QFETCH(int, i);
        QFETCH(int, j);
        QFETCH(bool, closed);
        QFETCH(int, word);
        QFETCH(int, bit);
        // Every other acting input of the same word already disables j.
        const int others = 255 & ~(1 << bit);
        m_doc.SetWord(word, others);
        open(i, j);
        QCheckBox *target = closed ? closedBox() : openBox();
        QVERIFY(!target->isChecked());
        clickButton(target);
        QVERIFY(m_doc.ConfigModified);
        QCOMPARE(m_doc.GetWord(word), int16_t(255));
        clickButton(target);
        QCOMPARE(m_doc.GetWord(word), int16_t(others));
    }

    void clearingOneBox_leavesTheOtherSet()
    {
        open(9, 0);
        clickButton(closedBox());
        clickButton(openBox());
        QVERIFY(m_doc.GetInputDisableClosed(9, 0) && m_doc.GetInputDisableOpen(9, 0));
        clickButton(closedBox());
        QVERIFY(!m_doc.GetInputDisableClosed(9, 0));
        QVERIFY(m_doc.GetInputDisableOpen(9, 0));
    }

    void openAndClose_showsStoredBitsAndWritesNothing_data()
    {
        QTest::addColumn<bool>("closed");
        QTest::addColumn<bool>("open");
        QTest::newRow("neither") << false << false;
        QTest::newRow("closed") << true << false;
        QTest::newRow("open") << false << true;
        QTest::newRow("both") << true << true;
    }
    void openAndClose_showsStoredBitsAndWritesNothing()
    {
        QFETCH(bool, closed);
        QFETCH(bool, open);
        m_doc.SetInputDisableClosed(17, 3, closed);
        m_doc.SetInputDisableOpen(17, 3, open);
        const modOVMXConfig::Image before = m_doc.image();
        this->open(17, 3);
        QCOMPARE(closedBox()->isChecked(), closed);
        QCOMPARE(openBox()->isChecked(), open);
        QTest::mouseClick(control<QPushButton>(m_editor.get(), QStringLiteral("cmdClose")),
                          Qt::LeftButton);
        QVERIFY(!m_editor->isVisible());
        QVERIFY(m_doc.image() == before);
        QVERIFY(!m_doc.ConfigModified);
    }
};

QTEST_MAIN(tst_frmInputControl)
#include "tst_frmInputControl.moc"
