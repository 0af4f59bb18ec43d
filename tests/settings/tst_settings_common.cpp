// What the four settings dialogs share: captions, placement, Close, and opening without a
// choice leaving the document untouched.
#include "FakePrompts.h"
#include "SettingsTestKit.h"

#include <QPushButton>
#include <QTimer>

using namespace SettingsTestKit;

class tst_settings_common : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void dialogs_data();
    void caption_matches_data() { dialogs_data(); }
    void caption_matches();
    void openedOverWindow_isCentred_data() { dialogs_data(); }
    void openedOverWindow_isCentred();
    void closeButton_endsModalRun_data() { dialogs_data(); }
    void closeButton_endsModalRun();
    void openAndCloseWithoutChoice_writesNothing_data();
    void openAndCloseWithoutChoice_writesNothing();
};

void tst_settings_common::dialogs_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::newRow("relay power-on") << "frmRelayPowerOn"
                                    << "Relay Power On Options";
    QTest::newRow("dimmers") << "frmDimmerSettings"
                             << "Dimmer Settings";
    QTest::newRow("pilots") << "frmPilots"
                            << "Tamberline Pilots";
    QTest::newRow("photocells") << "frmPCInputs"
                                << "Photocell Input Levels";
}

void tst_settings_common::caption_matches()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    modOVMXConfig doc;
    FakePrompts prompts;
    auto dialog = makeDialog(name, doc, prompts);
    QCOMPARE(dialog->windowTitle(), caption);
    QCOMPARE(child<QPushButton>(dialog.get(), "cmdClose")->text(), QString("Close"));
}

void tst_settings_common::openedOverWindow_isCentred()
{
    QFETCH(QString, name);
    QWidget main;
    main.setGeometry(40, 60, 1025, 681);
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    modOVMXConfig doc;
    FakePrompts prompts;
    auto dialog = makeDialog(name, doc, prompts, &main);
    const QRect outer = main.frameGeometry();
    QCOMPARE(dialog->pos(), QPoint(outer.left() + (outer.width() - dialog->width()) / 2,
                                   outer.top() + (outer.height() - dialog->height()) / 2));
    QVERIFY(dialog->width() < outer.width());
}

void tst_settings_common::closeButton_endsModalRun()
{
    QFETCH(QString, name);
    modOVMXConfig doc;
    FakePrompts prompts;
    auto dialog = makeDialog(name, doc, prompts);
    bool clicked = false;
    bool stillOpen = false;
    QTimer::singleShot(0, dialog.get(), [&] {
        QTest::mouseClick(child<QPushButton>(dialog.get(), "cmdClose"), Qt::LeftButton);
        clicked = true;
        stillOpen = dialog->isVisible();
        if (stillOpen)
            dialog->reject(); // ends the modal run so the failure is reported, not timed out
    });
    dialog->exec();
    QVERIFY(clicked);
    QVERIFY(!stillOpen);
}

void tst_settings_common::openAndCloseWithoutChoice_writesNothing_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("modifiedBefore");
    for (const char *name : {"frmRelayPowerOn", "frmDimmerSettings", "frmPilots", "frmPCInputs"}) {
        QTest::addRow("%s unmodified", name) << QString(name) << false;
        QTest::addRow("%s modified", name) << QString(name) << true;
    }
}

void tst_settings_common::openAndCloseWithoutChoice_writesNothing()
{
    QFETCH(QString, name);
    QFETCH(bool, modifiedBefore);
    modOVMXConfig doc;
    startClean(doc);
    // Stored values away from the first entries, so a list that wrote its selection back
    // would show in the image.
    doc.SetRelayPowerOn(1, 4);
    doc.SetDimmerFadeRate(2, 30);
    doc.SetPilotLight(1, 2, 7);
    doc.SetPhotocellOnLevel(1, 3, 200);
    doc.SetPhotocellFilter(0, 0);
    doc.ConfigModified = modifiedBefore;
    const modOVMXConfig::Image before = doc.image();
    FakePrompts prompts;
    auto dialog = makeDialog(name, doc, prompts);
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    QTest::mouseClick(child<QPushButton>(dialog.get(), "cmdClose"), Qt::LeftButton);
    QVERIFY(!dialog->isVisible());
    QVERIFY(doc.image() == before);
    QCOMPARE(doc.ConfigModified, modifiedBefore);
    QVERIFY(prompts.calls.isEmpty());
}

QTEST_MAIN(tst_settings_common)
#include "tst_settings_common.moc"
