#include "EditorTestSupport.h"
#include "FakePrompts.h"
#include "ScalePlot.h"
#include "frmDimmerScale.h"
#include "modOVMXConfig.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>

#include <memory>

// Levels and outputs of the three stored points of one curve, in point order.
struct Curve {
    int level1, output1, level2, output2, level3, output3;
    bool operator==(const Curve &) const = default;
};

// A drag of the middle grip to `to`: where the grip stops, what is stored and shown.
struct EdgeDrag {
    QPoint to, grip;
    int level, output;
    QString values; // the three labels, or "" when hidden
};

namespace QTest
{
template <> char *toString(const Curve &c)
{
    return qstrdup(
        qPrintable(QString::asprintf("points (%d,%d) (%d,%d) (%d,%d)", c.level1, c.output1,
                                     c.level2, c.output2, c.level3, c.output3)));
}
} // namespace QTest

class tst_frmDimmerScale : public QObject
{
    Q_OBJECT

private:
    static constexpr int P = 1, D = 2;
    modOVMXConfig m_doc;
    FakePrompts m_prompts;
    std::unique_ptr<frmDimmerScale> m_editor;

    void setCurve(const Curve &c)
    {
        m_doc.SetScaleLevel1(P, D, c.level1);
        m_doc.SetScaleOutput1(P, D, c.output1);
        m_doc.SetScaleLevel2(P, D, c.level2);
        m_doc.SetScaleOutput2(P, D, c.output2);
        m_doc.SetScaleLevel3(P, D, c.level3);
        m_doc.SetScaleOutput3(P, D, c.output3);
    }
    Curve storedCurve() const
    {
        return {m_doc.GetScaleLevel1(P, D), m_doc.GetScaleOutput1(P, D),
                m_doc.GetScaleLevel2(P, D), m_doc.GetScaleOutput2(P, D),
                m_doc.GetScaleLevel3(P, D), m_doc.GetScaleOutput3(P, D)};
    }
    void open(int mode)
    {
        m_doc.SetPhotocellTracking(P, D, mode);
        m_doc.SelPhotocell = P;
        m_doc.SelDimmer = D;
        m_doc.ConfigModified = false;
        m_editor = std::make_unique<frmDimmerScale>(m_doc, m_prompts);
        m_editor->setMapDef(QStringLiteral("Photocell 2 / Dimmer Output 3 Control"));
        m_editor->show();
    }
    template <class T = QLabel> T *get(const char *name) const
    {
        return control<T>(m_editor.get(), QLatin1String(name));
    }
    ScalePlot *plot() const { return get<ScalePlot>("picScale"); }
    QComboBox *modes() const { return get<QComboBox>("cboPCTrack"); }
    QComboBox *targets() const { return get<QComboBox>("cboTarget"); }
    bool plotShown() const { return !get<QGroupBox>("frmScale")->isHidden(); }
    QPointF gripAt(int g) const { return {plot()->grip(g).Left, plot()->grip(g).Top}; }
    // The three value labels as one text, or "" while they are hidden.
    QString values() const
    {
        const bool shown = !get("lblPercent")->isHidden();
        if (shown != !get("lblFootCandle")->isHidden() || shown != !get("lblVoltage")->isHidden())
            return "the three value labels disagree";
        return shown ? get("lblPercent")->text() + u' ' + get("lblFootCandle")->text() + u' ' +
                           get("lblVoltage")->text()
                     : QString();
    }
    // Pointer positions in twips; whole pixels are multiples of 15 twips. QTest reads the
    // pixel (0, 0) as "the middle of the widget", so tests never aim there.
    static QPoint px(int X, int Y)
    {
        if (X / 15 == 0 && Y / 15 == 0)
            qFatal("pixel (0, 0) stands for the widget's centre in QTest");
        return {X / 15, Y / 15};
    }
    void press(int X, int Y) { QTest::mousePress(plot(), Qt::LeftButton, {}, px(X, Y)); }
    void move(int X, int Y) { QTest::mouseMove(plot(), px(X, Y)); }
    void release(int X, int Y) { QTest::mouseRelease(plot(), Qt::LeftButton, {}, px(X, Y)); }
    void drag(QPoint from, QPoint to)
    {
        press(from.x(), from.y());
        move(to.x(), to.y());
        release(to.x(), to.y());
    }
    // A movement between pixels, as a high-resolution pointer reports it.
    void moveExactly(double X, double Y)
    {
        const QPointF at(X / 15, Y / 15);
        QMouseEvent event(QEvent::MouseMove, at, plot()->mapToGlobal(at), Qt::NoButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(plot(), &event);
    }

private Q_SLOTS:
    void init() { m_doc.NewConfiguration(); }
    void cleanup() { m_editor.reset(); }

    void captions_areTheSystemTexts()
    {
        open(2);
        QCOMPARE(m_editor->windowTitle(), QStringLiteral("Dimmer Scale"));
        QCOMPARE(get("lblMapDef")->text(), QStringLiteral("Photocell 2 / Dimmer Output 3 Control"));
        QCOMPARE(get<QGroupBox>("frmScale")->title(),
                 QStringLiteral("PhotoCell Input To Dimmer Output Scaling"));
        QCOMPARE(get("lblScale10V")->text(), QStringLiteral("10 V"));
        QCOMPARE(get("lblScale0V")->text(), QStringLiteral("0 V"));
        QCOMPARE(get("lblScale0Per")->text(), QStringLiteral("0"));
        QCOMPARE(get("lblScale100Per")->text(), QStringLiteral("255"));
        QCOMPARE(plot()->size(), QSize(263, 200));
        QCOMPARE(modes()->count(), 4);
        QCOMPARE(modes()->itemText(1), QStringLiteral("PC Tracking: 2 point"));
        QCOMPARE(targets()->count(), 256);
        QCOMPARE(targets()->itemText(0), QStringLiteral("Target: 0/255 (0 fc)"));
        QCOMPARE(targets()->itemText(92), QStringLiteral("Target: 92/255 (7 fc)"));
        QCOMPARE(targets()->itemText(255), QStringLiteral("Target: 255/255 (1800 fc)"));
    }

    void open_showsTheModeAndCloseWritesNothing_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("plot");
        QTest::addColumn<bool>("target");
        QTest::addColumn<bool>("middle");
        QTest::addColumn<int>("targetLevel");
        QTest::addColumn<Curve>("curve");
        const Curve standard{255, 0, 128, 50, 0, 100};
        QTest::newRow("disabled") << 0 << false << false << true << 0 << standard;
        QTest::newRow("2-point") << 1 << true << false << false << 40 << standard;
        QTest::newRow("3-point") << 2 << true << false << true << 255
                                 << Curve{10, 20, 30, 40, 50, 60};
        QTest::newRow("setpoint") << 3 << false << true << true << 128 << standard;
        QTest::newRow("outside-codings")
            << 9 << false << false << true << 256 << Curve{300, 101, -4, -1, 999, 250};
    }
    void open_showsTheModeAndCloseWritesNothing()
    {
        QFETCH(int, mode);
        QFETCH(bool, plot);
        QFETCH(bool, target);
        QFETCH(bool, middle);
        QFETCH(int, targetLevel);
        QFETCH(Curve, curve);
        setCurve(curve);
        m_doc.SetScaleTarget(P, D, targetLevel);
        m_doc.SetPhotocellTracking(P, D, mode);
        const modOVMXConfig::Image before = m_doc.image();
        open(mode);
        QCOMPARE(modes()->currentIndex(), mode < 4 ? mode : -1);
        QCOMPARE(plotShown(), plot);
        QCOMPARE(!targets()->isHidden(), target);
        QCOMPARE(this->plot()->gripVisible(3), middle);
        QCOMPARE(this->plot()->segmentVisible(2), middle);
        QCOMPARE(values(), QString());
        QTest::mouseClick(get<QPushButton>("cmdClose"), Qt::LeftButton);
        QVERIFY(!m_editor->isVisible());
        QVERIFY(m_doc.image() == before);
        QVERIFY(!m_doc.ConfigModified);
    }

    void valuesOutsideRanges_selectNothingAndShowGripsAtTheEdge()
    {
        m_doc.SetScaleTarget(P, D, 256);
        setCurve({300, 101, 128, 50, -4, -1});
        open(2);
        QCOMPARE(targets()->currentIndex(), -1);
        QCOMPARE(gripAt(1), QPointF(3825.0, 0.0));
        QCOMPARE(gripAt(2), QPointF(0.0, 2880.0));
        QVERIFY(!m_doc.ConfigModified);
    }

    void choosingTwoPoint_showsTheNewCurveAcrossTheRange()
    {
        open(0);
        QVERIFY(chooseEntry(modes(), 1));
        QCOMPARE(m_doc.GetPhotocellTracking(P, D), int16_t(1));
        QVERIFY(plotShown());
        QCOMPARE(gripAt(1), QPointF(3825.0, 2880.0));
        QCOMPARE(gripAt(2), QPointF(0.0, 0.0));
        QCOMPARE(plot()->segment(0), QLineF(0, 45, 45, 45));
        QCOMPARE(plot()->segment(1), QLineF(45, 45, 3870, 2925));
        QCOMPARE(plot()->segment(3), QLineF(3870, 2925, 3945, 2925));

        move(1000, 1000);
        QCOMPARE(storedCurve(), (Curve{0, 100, 128, 50, 255, 0}));
        QCOMPARE(values(), QString());
    }

    void threePointSegments_runThroughTheMiddleGrip()
    {
        setCurve({40, 90, 150, 60, 230, 10});
        open(2);
        const QPointF left(600 + 45, 2880 - 2592 + 45), middle(2250 + 45, 2880 - 1728 + 45),
            right(3450 + 45, 2880 - 288 + 45);
        QCOMPARE(plot()->segment(0), QLineF(QPointF(0, left.y()), left));
        QCOMPARE(plot()->segment(1), QLineF(left, middle));
        QCOMPARE(plot()->segment(2), QLineF(middle, right));
        QCOMPARE(plot()->segment(3), QLineF(right, QPointF(3945, right.y())));
    }

    void pressInsideGrip_movesItsCornerToThePointer()
    {
        open(1);
        press(45, 45);
        QCOMPARE(gripAt(2), QPointF(45.0, 45.0));
        QCOMPARE(values(), "3/255 0 fc 9.8 V");
        QCOMPARE(storedCurve(), (Curve{3, 98, 128, 50, 255, 0}));
        release(45, 45);
        QCOMPARE(values(), QString());
    }

    void pointer_movesOnlyAPressedGrip()
    {
        open(2);
        move(1935, 1470); // hovering over the middle grip shows its values
        QCOMPARE(values(), "128/255 14 fc 5.0 V");
        QCOMPARE(plot()->hoverGrip(), 3);
        move(2100, 1470);
        QCOMPARE(values(), QString());
        QCOMPARE(plot()->hoverGrip(), 0);
        press(900, 900); // away from every grip
        move(1200, 1200);
        release(1200, 1200);
        QCOMPARE(plot()->grip(2).Left, 0.0);
        QCOMPARE(gripAt(3), QPointF(1920.0, 1440.0));
        QCOMPARE(values(), QString());
        drag({1920, 1440}, {2400, 1200});
        move(2700, 900); // released: no longer follows
        QCOMPARE(gripAt(3), QPointF(2400.0, 1200.0));
    }

    void dragEndGripPastTheOther_swapsTheStoredPoints()
    {
        open(1);
        drag({15, 15}, {1500, 0});
        drag({3825, 2880}, {750, 2880});
        QCOMPARE(storedCurve(), (Curve{50, 0, 100, 50, 100, 100}));
        QCOMPARE(plot()->segment(0).p2(), plot()->anchor(1));

        drag({750, 2880}, {3000, 1440});
        QCOMPARE(storedCurve(), (Curve{100, 100, 100, 50, 200, 50}));
        QCOMPARE(plot()->segment(0).p2(), plot()->anchor(2));
        QCOMPARE(plot()->segment(3).p1(), plot()->anchor(1));

        // Reloading from the image puts grip 1 on the lower level again.
        QVERIFY(chooseEntry(modes(), 2));
        QCOMPARE(plot()->grip(1).Left, 1500.0);
        QCOMPARE(plot()->grip(2).Left, 3000.0);
    }

    void middleGrip_staysBetweenTheEndGrips_data()
    {
        QTest::addColumn<QPoint>("to");
        QTest::addColumn<QPoint>("grip");
        // End grips at levels 40 and 200.
        QTest::newRow("past-left-end") << QPoint(150, 600) << QPoint(600, 600);
        QTest::newRow("past-right-end") << QPoint(3600, 2400) << QPoint(3000, 2400);
        QTest::newRow("between") << QPoint(1500, 2880) << QPoint(1500, 2880);
    }
    void middleGrip_staysBetweenTheEndGrips()
    {
        QFETCH(QPoint, to);
        QFETCH(QPoint, grip);
        setCurve({40, 90, 128, 50, 200, 10});
        open(2);
        drag({1920, 1440}, to);
        QCOMPARE(gripAt(3), QPointF(double(grip.x()), double(grip.y())));
        QCOMPARE(m_doc.GetScaleLevel2(P, D), int16_t(grip.x() / 15));
    }

    void endGripCrossingTheMiddle_pushesItAlong_data()
    {
        QTest::addColumn<QPoint>("from");
        QTest::addColumn<QPoint>("to");
        QTest::addColumn<int>("middleLeft");
        QTest::newRow("left-end-rightwards") << QPoint(15, 15) << QPoint(2400, 300) << 2400;
        QTest::newRow("right-end-leftwards") << QPoint(3825, 2880) << QPoint(600, 2700) << 600;
        QTest::newRow("right-end-past-left-end") << QPoint(3825, 2880) << QPoint(-900, 2700) << 0;
    }
    void endGripCrossingTheMiddle_pushesItAlong()
    {
        QFETCH(QPoint, from);
        QFETCH(QPoint, to);
        QFETCH(int, middleLeft);
        open(2);
        drag(from, to);
        QCOMPARE(gripAt(3), QPointF(double(middleLeft), 1440.0));
        QCOMPARE(m_doc.GetScaleLevel2(P, D), int16_t(middleLeft / 15));
        QCOMPARE(m_doc.GetScaleOutput2(P, D), int16_t(50));
    }

    void dragBeyondTheEdges_stopsTheGripAtThePlot_data()
    {
        QTest::addColumn<EdgeDrag>("row");
        QTest::newRow("right") << EdgeDrag{
            {3900, 1440}, {3825, 1440}, 255, 50, "255/255 1800 fc 5.0 V"};
        QTest::newRow("far-right") << EdgeDrag{{4500, 1440}, {3825, 1440}, 255, 50, ""};
        QTest::newRow("top") << EdgeDrag{{1500, 0}, {1500, 0}, 100, 100, "100/255 8 fc 10.0 V"};
        QTest::newRow("above-top") << EdgeDrag{{1500, -300}, {1500, 0}, 100, 100, ""};
        QTest::newRow("bottom") << EdgeDrag{
            {1500, 2955}, {1500, 2880}, 100, 0, "100/255 8 fc 0.0 V"};
        QTest::newRow("below-bottom") << EdgeDrag{{1500, 4500}, {1500, 2880}, 100, 0, ""};
        QTest::newRow("left-of-left") << EdgeDrag{{-600, 1440}, {0, 1440}, 0, 50, ""};
    }
    void dragBeyondTheEdges_stopsTheGripAtThePlot()
    {
        QFETCH(EdgeDrag, row);
        open(2);
        press(1920, 1440);
        move(row.to.x(), row.to.y());
        QCOMPARE(gripAt(3), QPointF(row.grip));
        QCOMPARE(m_doc.GetScaleLevel2(P, D), int16_t(row.level));
        QCOMPARE(m_doc.GetScaleOutput2(P, D), int16_t(row.output));
        QCOMPARE(values(), row.values);
        release(row.to.x(), row.to.y());
    }

    void endGripPushedPastTheCorner_staysInsideThePlot()
    {
        open(2);
        press(3840, 2895);
        move(3900, 2940);
        QCOMPARE(gripAt(1), QPointF(3825.0, 2880.0));
        QCOMPARE(values(), "255/255 1800 fc 0.0 V");
        move(5000, 4000);
        QCOMPARE(gripAt(1), QPointF(3825.0, 2880.0));
        QCOMPARE(values(), QString());
        QCOMPARE(storedCurve(), (Curve{0, 100, 128, 50, 255, 0}));
    }

    void overlappingGrips_pressPicksTheHighestNumber_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("X");
        QTest::addColumn<int>("picked");
        QTest::addColumn<int>("left");
        // Grip 1 at 1500, grip 3 at 1545, grip 2 at 1590; hit boxes 90 twips wide. The middle
        // grip stops at the right end grip.
        QTest::newRow("grip-1-alone") << 2 << 1515 << 1 << 1515;
        QTest::newRow("grips-1-3") << 2 << 1560 << 3 << 1560;
        QTest::newRow("all-three") << 2 << 1590 << 3 << 1590;
        QTest::newRow("grips-3-2") << 2 << 1620 << 3 << 1590;
        QTest::newRow("grip-3-far-edge") << 2 << 1635 << 3 << 1590;
        QTest::newRow("grip-2-alone") << 2 << 1650 << 2 << 1650;
        QTest::newRow("hidden-middle-2-point") << 1 << 1560 << 1 << 1560;
        QTest::newRow("hidden-middle-2-point-edge") << 1 << 1590 << 2 << 1590;
    }
    void overlappingGrips_pressPicksTheHighestNumber()
    {
        QFETCH(int, mode);
        QFETCH(int, X);
        QFETCH(int, picked);
        QFETCH(int, left);
        setCurve({100, 50, 103, 50, 106, 50});
        open(mode);
        press(X, 1530);
        for (int g = 1; g <= 3; ++g)
            QCOMPARE(plot()->grip(g).Top, g == picked ? 1530.0 : 1440.0);
        QCOMPARE(plot()->grip(picked).Left, double(left));
    }

    void pointerBetweenPixels_roundsTiesToEven_data()
    {
        QTest::addColumn<QPointF>("to");
        QTest::addColumn<QPointF>("grip");
        QTest::addColumn<int>("output");
        QTest::addColumn<QString>("voltage");
        QTest::newRow("x-7.5") << QPointF(7.5, 1440) << QPointF(8, 1440) << 50 << "5.0 V";
        QTest::newRow("x-22.5") << QPointF(22.5, 1440) << QPointF(22, 1440) << 50 << "5.0 V";
        QTest::newRow("y-1432.5") << QPointF(1500, 1432.5) << QPointF(1500, 1432) << 50 << "5.0 V";
        // 2.5 % and 7.5 %: the store and the label keep the even neighbour.
        QTest::newRow("output-2.5") << QPointF(1500, 2808) << QPointF(1500, 2808) << 2 << "0.2 V";
        QTest::newRow("output-7.5") << QPointF(1500, 2664) << QPointF(1500, 2664) << 8 << "0.8 V";
    }
    void pointerBetweenPixels_roundsTiesToEven()
    {
        QFETCH(QPointF, to);
        QFETCH(QPointF, grip);
        QFETCH(int, output);
        QFETCH(QString, voltage);
        setCurve({0, 100, 100, 50, 255, 0});
        open(2);
        press(1500, 1440);
        moveExactly(to.x(), to.y());
        QCOMPARE(gripAt(3), grip);
        QCOMPARE(m_doc.GetScaleOutput2(P, D), int16_t(output));
        QCOMPARE(get("lblVoltage")->text(), voltage);
    }

    void setpointTarget_storesTheChosenLevel()
    {
        m_doc.SetScaleTarget(P, D, 40);
        open(3);
        QCOMPARE(targets()->currentIndex(), 40);
        for (int entry : {0, 128, 255}) {
            QVERIFY(chooseEntry(targets(), entry));
            QCOMPARE(m_doc.GetScaleTarget(P, D), int16_t(entry));
        }
        QCOMPARE(m_doc.GetPhotocellTracking(P, D), int16_t(3));
    }
};

QTEST_MAIN(tst_frmDimmerScale)
#include "tst_frmDimmerScale.moc"
