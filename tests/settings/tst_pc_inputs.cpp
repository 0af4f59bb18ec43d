#include "FakePrompts.h"
#include "SettingsTestKit.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>

using namespace SettingsTestKit;

class tst_pc_inputs : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void frames_holdTheirControls_data();
    void frames_holdTheirControls();
    void levelLists_showLevelAndFootCandles_data();
    void levelLists_showLevelAndFootCandles();
    void newConfiguration_showsLevel0And30Seconds();
    void storedValues_areSelectedWithoutMarkingModified();
    void beforeActivation_userInputWritesNothing();
    void choosingLevel_writesWordAndMarksModified_data();
    void choosingLevel_writesWordAndMarksModified();
    void clickingFilter_writesWordAndMarksModified_data();
    void clickingFilter_writesWordAndMarksModified();
    void tickingShowFC_changesOnlyTheRunsDisplayChoice();
    void showFCAlreadyOn_isTickedAndCanBeCleared();
    void valuesOutsideLists_showNothingUntilChosen();

private:
    modOVMXConfig m_doc;
    FakePrompts m_prompts;
    std::unique_ptr<QDialog> m_dialog;
    template <typename T> T *get(const QString &name) { return child<T>(m_dialog.get(), name); }
    QComboBox *list(const QString &name, int k)
    {
        return get<QComboBox>(QString("%1_%2").arg(name).arg(k));
    }
    QRadioButton *option(int p, int i)
    {
        return get<QRadioButton>(QString("optPC%1Filter_%2").arg(p + 1).arg(i));
    }
    void open()
    {
        m_dialog = makeDialog("frmPCInputs", m_doc, m_prompts);
        m_dialog->show();
    }
};

void tst_pc_inputs::init()
{
    m_dialog.reset();
    m_doc = modOVMXConfig();
    startClean(m_doc);
}

void tst_pc_inputs::frames_holdTheirControls_data()
{
    QTest::addColumn<int>("p");
    QTest::newRow("photocell 1") << 0;
    QTest::newRow("photocell 2") << 1;
}

void tst_pc_inputs::frames_holdTheirControls()
{
    QFETCH(int, p);
    open();
    QCOMPARE(get<QCheckBox>("chkShowFC")->text(),
             QString("Show Levels In FC On Main Programming Screen"));
    auto *frame = get<QGroupBox>(QString("frmPC%1Levels").arg(p + 1));
    QCOMPARE(frame->title(), QString("Photocell %1 Input Levels").arg(p + 1));
    QCOMPARE(get<QLabel>(QString("lblOffOn_%1").arg(2 * p))->text(), QString("Off Level"));
    QCOMPARE(get<QLabel>(QString("lblOffOn_%1").arg(2 * p + 1))->text(), QString("On Level"));
    for (int l = 0; l < 4; ++l) {
        const int k = 4 * p + l;
        auto *label = get<QLabel>(QString("lblPCInput_%1").arg(k));
        QCOMPARE(label->text(), QString::number(l + 1));
        for (QWidget *w :
             {static_cast<QWidget *>(label), static_cast<QWidget *>(list("cboPCOffLevel", k)),
              static_cast<QWidget *>(list("cboPCOnLevel", k))})
            QVERIFY(frame->isAncestorOf(w));
    }
    QCOMPARE(option(p, 0)->text(), QString("2 Sec"));
    QCOMPARE(option(p, 1)->text(), QString("30 Sec"));
    QVERIFY(frame->isAncestorOf(option(p, 0)) && frame->isAncestorOf(option(p, 1)));
}

void tst_pc_inputs::levelLists_showLevelAndFootCandles_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("k");
    for (int k = 0; k < 8; ++k) {
        QTest::addRow("off %d", k) << "cboPCOffLevel" << k;
        QTest::addRow("on %d", k) << "cboPCOnLevel" << k;
    }
}

void tst_pc_inputs::levelLists_showLevelAndFootCandles()
{
    QFETCH(QString, name);
    QFETCH(int, k);
    open();
    const QStringList all = entries(list(name, k));
    QCOMPARE(all.size(), 256);
    QCOMPARE(all.first(), QString("0/255 0FC"));
    QCOMPARE(all.at(92), QString("92/255 7FC"));
    QCOMPARE(all.at(128), QString("128/255 14FC"));
    QCOMPARE(all.at(181), QString("181/255 52FC"));
    QCOMPARE(all.at(240), QString("240/255 1600FC"));
    QCOMPARE(all.at(241), QString("241/255 1800FC"));
    QCOMPARE(all.last(), QString("255/255 1800FC"));
}

void tst_pc_inputs::newConfiguration_showsLevel0And30Seconds()
{
    open();
    for (int k = 0; k < 8; ++k) {
        QCOMPARE(list("cboPCOffLevel", k)->currentIndex(), 0);
        QCOMPARE(list("cboPCOnLevel", k)->currentIndex(), 0);
    }
    for (int p = 0; p < 2; ++p) {
        QVERIFY(!option(p, 0)->isChecked());
        QVERIFY(option(p, 1)->isChecked());
    }
    QVERIFY(!get<QCheckBox>("chkShowFC")->isChecked());
    QVERIFY(!m_doc.ConfigModified);
}

void tst_pc_inputs::storedValues_areSelectedWithoutMarkingModified()
{
    m_doc.SetPhotocellOffLevel(0, 1, 17);
    m_doc.SetPhotocellOnLevel(1, 3, 255);
    m_doc.SetPhotocellFilter(0, 0);
    m_doc.ConfigModified = false;
    const modOVMXConfig::Image before = m_doc.image();
    open();
    QCOMPARE(list("cboPCOffLevel", 1)->currentText(), QString("17/255 0FC"));
    QCOMPARE(list("cboPCOnLevel", 7)->currentText(), QString("255/255 1800FC"));
    QVERIFY(option(0, 0)->isChecked() && !option(0, 1)->isChecked());
    QVERIFY(option(1, 1)->isChecked() && !option(1, 0)->isChecked());
    QVERIFY(m_doc.image() == before);
    QVERIFY(!m_doc.ConfigModified);
}

void tst_pc_inputs::beforeActivation_userInputWritesNothing()
{
    m_dialog = makeDialog("frmPCInputs", m_doc, m_prompts);
    const modOVMXConfig::Image before = m_doc.image();
    QTest::keyClick(list("cboPCOnLevel", 4), Qt::Key_Down);
    QVERIFY(m_doc.image() == before);
    QVERIFY(!m_doc.ConfigModified);
}

void tst_pc_inputs::choosingLevel_writesWordAndMarksModified_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("word");
    QTest::newRow("photocell 1 off level 1") << "cboPCOffLevel" << 0 << 1 << 464;
    QTest::newRow("photocell 2 off level 3") << "cboPCOffLevel" << 6 << 128 << 470;
    QTest::newRow("photocell 1 on level 2") << "cboPCOnLevel" << 1 << 240 << 473;
    QTest::newRow("photocell 2 on level 4") << "cboPCOnLevel" << 7 << 255 << 479;
}

void tst_pc_inputs::choosingLevel_writesWordAndMarksModified()
{
    QFETCH(QString, name);
    QFETCH(int, k);
    QFETCH(int, position);
    QFETCH(int, word);
    modOVMXConfig::Image expected = m_doc.image();
    expected[word] = static_cast<int16_t>(position);
    open();
    chooseEntry(list(name, k), position);
    QVERIFY(m_doc.image() == expected);
    QVERIFY(m_doc.ConfigModified);
    // The sixteen lists share their entries, not their selection.
    QCOMPARE(list(name, k ^ 1)->currentIndex(), 0);
}

void tst_pc_inputs::clickingFilter_writesWordAndMarksModified_data()
{
    QTest::addColumn<int>("p");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("stored");
    QTest::newRow("photocell 1 to 2 s") << 0 << 0 << 1;
    QTest::newRow("photocell 2 to 2 s") << 1 << 0 << 1;
    QTest::newRow("photocell 2 to 30 s") << 1 << 1 << 0;
}

void tst_pc_inputs::clickingFilter_writesWordAndMarksModified()
{
    QFETCH(int, p);
    QFETCH(int, index);
    QFETCH(int, stored);
    m_doc.SetPhotocellFilter(p, stored);
    m_doc.ConfigModified = false;
    modOVMXConfig::Image expected = m_doc.image();
    expected[460 + p] = static_cast<int16_t>(index);
    open();
    QTest::mouseClick(option(p, index), Qt::LeftButton, {},
                      QPoint(6, option(p, index)->height() / 2));
    QVERIFY(option(p, index)->isChecked());
    QVERIFY(!option(p, 1 - index)->isChecked());
    QVERIFY(m_doc.image() == expected);
    QVERIFY(m_doc.ConfigModified);
}

void tst_pc_inputs::tickingShowFC_changesOnlyTheRunsDisplayChoice()
{
    const modOVMXConfig::Image before = m_doc.image();
    open();
    auto *box = get<QCheckBox>("chkShowFC");
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
    QVERIFY(box->isChecked());
    QVERIFY(m_doc.ShowLevelsInFC);
    QVERIFY(m_doc.image() == before);
    QVERIFY(!m_doc.ConfigModified);
    m_dialog.reset();
    QVERIFY(m_doc.ShowLevelsInFC);
}

void tst_pc_inputs::showFCAlreadyOn_isTickedAndCanBeCleared()
{
    m_doc.ShowLevelsInFC = true;
    open();
    auto *box = get<QCheckBox>("chkShowFC");
    QVERIFY(box->isChecked());
    QTest::keyClick(box, Qt::Key_Space);
    QVERIFY(!m_doc.ShowLevelsInFC);
    QVERIFY(!m_doc.ConfigModified);
}

void tst_pc_inputs::valuesOutsideLists_showNothingUntilChosen()
{
    m_doc.SetPhotocellFilter(1, 2);
    m_doc.SetPhotocellOffLevel(0, 2, 256);
    m_doc.ConfigModified = false;
    const modOVMXConfig::Image before = m_doc.image();
    open();
    QCOMPARE(list("cboPCOffLevel", 2)->currentIndex(), -1);
    QVERIFY(!option(1, 0)->isChecked() && !option(1, 1)->isChecked());
    QVERIFY(m_doc.image() == before);
    QVERIFY(!m_doc.ConfigModified);
    QTest::mouseClick(option(1, 1), Qt::LeftButton, {}, QPoint(6, option(1, 1)->height() / 2));
    QCOMPARE(m_doc.GetPhotocellFilter(1), 1);
    QVERIFY(!option(1, 0)->isChecked());
    QTest::mouseClick(option(1, 0), Qt::LeftButton, {}, QPoint(6, option(1, 0)->height() / 2));
    QVERIFY(!option(1, 1)->isChecked());
    QCOMPARE(m_doc.GetPhotocellFilter(1), 0);
}

QTEST_MAIN(tst_pc_inputs)
#include "tst_pc_inputs.moc"
