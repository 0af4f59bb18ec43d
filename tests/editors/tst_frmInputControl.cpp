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
    QCheckBox *box(bool closed) const
    {
        return control<QCheckBox>(m_editor.get(),
                                  closed ? "chkInputDisableCls" : "chkInputDisableOpn");
    }

private Q_SLOTS:
    void init() { m_doc.NewConfiguration(); }
    void cleanup() { m_editor.reset(); }

    void captions_comeFromTheCaller()
    {
        m_doc.SelInput = 14;
        m_doc.SelDisInput = 0;
        m_editor = std::make_unique<frmInputControl>(m_doc, m_prompts);
        QCOMPARE(m_editor->windowTitle(), QStringLiteral("Input Disable"));
        QCOMPARE(box(true)->text(), QStringLiteral("Disable Input When Closed"));
        QCOMPARE(box(false)->text(), QStringLiteral("Disable Input When Open"));
        const QString closed = "Hardwire Input  3 Disables Tamberline 01 Input 1 When Closed";
        const QString opened = "Hardwire Input  3 Disables Tamberline 01 Input 1 When Open";
        m_editor->setMapDef("Hardwire Input  3 / Tamberline 01 Input 1 Control");
        m_editor->setCheckCaptions(closed, opened);
        m_editor->show();
        QCOMPARE(control<QLabel>(m_editor.get(), "lblMapDef")->text(),
                 QStringLiteral("Hardwire Input  3 / Tamberline 01 Input 1 Control"));
        QCOMPARE(box(true)->text(), closed);
        QCOMPARE(box(false)->text(), opened);
        // The longest caption fits without cutting.
        QVERIFY(box(true)->width() >= box(true)->sizeHint().width());
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
        const modOVMXConfig::Image before = m_doc.image();
        modOVMXConfig::Image set = before;
        set[size_t(word)] = 255;
        open(i, j);
        QVERIFY(!box(closed)->isChecked());
        clickButton(box(closed));
        QVERIFY(m_doc.ConfigModified);
        QVERIFY(m_doc.image() == set);
        clickButton(box(closed));
        QVERIFY(m_doc.image() == before);
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
        QCOMPARE(box(true)->isChecked(), closed);
        QCOMPARE(box(false)->isChecked(), open);
        QTest::mouseClick(control<QPushButton>(m_editor.get(), "cmdClose"), Qt::LeftButton);
        QVERIFY(!m_editor->isVisible());
        QVERIFY(m_doc.image() == before);
        QVERIFY(!m_doc.ConfigModified);
    }
};

QTEST_MAIN(tst_frmInputControl)
#include "tst_frmInputControl.moc"
