#include "WheelGuard.h"

#include <QApplication>
#include <QComboBox>
#include <QTest>
#include <QWheelEvent>

// A wheel turned over a list changes the programming only when the user has picked that list.
class tst_WheelGuard : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void wheel_overList_changesOnlyWithFocus_data();
    void wheel_overList_changesOnlyWithFocus();
};

void tst_WheelGuard::wheel_overList_changesOnlyWithFocus_data()
{
    QTest::addColumn<bool>("focused");
    QTest::addColumn<int>("expected");
    QTest::newRow("passing over") << false << 1;
    QTest::newRow("picked") << true << 2;
}

void tst_WheelGuard::wheel_overList_changesOnlyWithFocus()
{
    QFETCH(bool, focused);
    WheelGuard guard;
    qApp->installEventFilter(&guard);
    QComboBox list;
    list.addItems(
        {QStringLiteral("2 Minute"), QStringLiteral("3 Minute"), QStringLiteral("4 Minute")});
    list.setCurrentIndex(1);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    if (focused) {
        list.activateWindow();
        list.setFocus();
        QTRY_VERIFY(list.hasFocus());
    } else {
        list.clearFocus();
    }
    const QPointF at = list.rect().center();
    // One notch towards the user: the next entry.
    QWheelEvent wheel(at, list.mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&list, &wheel);
    QTEST(list.currentIndex(), "expected");
    qApp->removeEventFilter(&guard);
}

QTEST_MAIN(tst_WheelGuard)
#include "tst_WheelGuard.moc"
