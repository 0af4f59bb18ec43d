#include "GridModel.h"

#include <QTest>

class tst_GridModel : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cellRect_followsGridLayout_data();
    void cellRect_followsGridLayout();
    void headingRects_lineUpWithCells_data();
    void headingRects_lineUpWithCells();
    void cellVisible_hidesDiagonalAndCoveredCells_data();
    void cellVisible_hidesDiagonalAndCoveredCells();
    void cellVisible_showsSevenHundredTwenty_cells();
    void sectionColour_followsSection_data();
    void sectionColour_followsSection();
    void hover_movingDownAColumn_movesRowHighlightOnly();
    void hover_trackingCell_litsPhotocellAndRowButNoInput();
    void clearHL_restoresEverything_andSecondCallChangesNothing();
    void hover_outsideGrid_isIgnored();
    void cellAt_point_findsVisibleCell_data();
    void cellAt_point_findsVisibleCell();
    void neighbour_step_skipsHiddenCells_data();
    void neighbour_step_skipsHiddenCells();
    void setCellTexts_hiddenChange_isNotAVisibleChange();
};

void tst_GridModel::cellRect_followsGridLayout_data()
{
    QTest::addColumn<int>("cell");
    QTest::addColumn<QRect>("rect");
    QTest::newRow("first relay cell") << 0 << QRect(56, 128, 41, 17);
    QTest::newRow("last input, relay 1") << 23 << QRect(976, 128, 41, 17);
    QTest::newRow("relay 4") << 95 << QRect(976, 176, 41, 17);
    QTest::newRow("first disable row") << 97 << QRect(96, 208, 41, 17);
    QTest::newRow("last disable row") << 670 << QRect(936, 576, 41, 17);
    QTest::newRow("first dimmer row") << 672 << QRect(56, 608, 41, 17);
    QTest::newRow("dimmer 4, input 16") << 759 << QRect(656, 656, 41, 17);
    QTest::newRow("tracking photocell 1") << 688 << QRect(696, 608, 161, 17);
    QTest::newRow("tracking photocell 2") << 692 << QRect(856, 608, 161, 17);
    QTest::newRow("tracking dimmer 4") << 764 << QRect(856, 656, 161, 17);
}

void tst_GridModel::cellRect_followsGridLayout()
{
    QFETCH(int, cell);
    QFETCH(QRect, rect);
    QCOMPARE(GridModel::cellRect(cell), rect);
}

void tst_GridModel::headingRects_lineUpWithCells_data()
{
    QTest::addColumn<QRect>("actual");
    QTest::addColumn<QRect>("expected");
    QTest::newRow("device 0") << GridModel::deviceRect(0) << QRect(56, 80, 241, 17);
    QTest::newRow("device 2") << GridModel::deviceRect(2) << QRect(536, 80, 161, 17);
    QTest::newRow("device 4") << GridModel::deviceRect(4) << QRect(856, 80, 161, 17);
    QTest::newRow("input 23") << GridModel::inputRect(23) << QRect(976, 96, 41, 17);
    QTest::newRow("row Relay 1") << GridModel::outputRect(0) << QRect(8, 128, 49, 17);
    QTest::newRow("row TB01-1") << GridModel::outputRect(4) << QRect(8, 208, 49, 17);
    QTest::newRow("row Dimmer 4") << GridModel::outputRect(31) << QRect(8, 656, 49, 17);
    QTest::newRow("caption relay") << GridModel::captionRect(0) << QRect(56, 113, 961, 15);
    QTest::newRow("caption tracking") << GridModel::captionRect(3) << QRect(696, 592, 321, 15);
    QTest::newRow("filler 0") << GridModel::fillerRect(0) << QRect(57, 209, 39, 15);
    QTest::newRow("filler 23") << GridModel::fillerRect(23) << QRect(977, 577, 39, 15);
}

void tst_GridModel::headingRects_lineUpWithCells()
{
    QFETCH(QRect, actual);
    QFETCH(QRect, expected);
    QCOMPARE(actual, expected);
}

void tst_GridModel::cellVisible_hidesDiagonalAndCoveredCells_data()
{
    QTest::addColumn<int>("cell");
    QTest::addColumn<bool>("visible");
    for (int k : {96, 121, 371, 671, 689, 690, 691, 693, 695, 713, 741, 767})
        QTest::addRow("hidden %d", k) << k << false;
    for (int k : {0, 95, 97, 120, 670, 672, 687, 688, 692, 712, 764})
        QTest::addRow("visible %d", k) << k << true;
}

void tst_GridModel::cellVisible_hidesDiagonalAndCoveredCells()
{
    QFETCH(int, cell);
    QFETCH(bool, visible);
    QCOMPARE(GridModel::cellVisible(cell), visible);
}

void tst_GridModel::cellVisible_showsSevenHundredTwenty_cells()
{
    int visible = 0;
    for (int k = 0; k < GridModel::CellCount; ++k)
        visible += GridModel::cellVisible(k) ? 1 : 0;
    QCOMPARE(visible, 768 - 24 - 24);
}

void tst_GridModel::sectionColour_followsSection_data()
{
    QTest::addColumn<int>("cell");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("relay") << 95 << QColor(224, 224, 224);
    QTest::newRow("disable first") << 97 << QColor(192, 255, 192);
    QTest::newRow("disable last") << 670 << QColor(192, 255, 192);
    QTest::newRow("dimmer") << 672 << QColor(255, 255, 128);
    QTest::newRow("dimmer input 15") << 759 << QColor(255, 255, 128);
    QTest::newRow("tracking") << 740 << QColor(192, 255, 255);
}

void tst_GridModel::sectionColour_followsSection()
{
    QFETCH(int, cell);
    QFETCH(QColor, colour);
    GridModel model;
    QCOMPARE(model.cellColour(cell), colour);
}

void tst_GridModel::hover_movingDownAColumn_movesRowHighlightOnly()
{
    GridModel model;
    model.hover(5);
    model.hover(29);
    QCOMPARE(model.HLIndex(), 29);
    QVERIFY(model.HLActive());
    QCOMPARE(model.deviceColour(0), GridModel::HeadingHighlight);
    QCOMPARE(model.deviceColour(1), GridModel::HeadingColour);
    QCOMPARE(model.inputColour(5), GridModel::HeadingHighlight);
    QCOMPARE(model.inputColour(4), GridModel::HeadingColour);
    QCOMPARE(model.outputColour(0), GridModel::HeadingColour);
    QCOMPARE(model.outputColour(1), GridModel::HeadingHighlight);
    QCOMPARE(model.cellColour(5), GridModel::RelayColour);
    QCOMPARE(model.cellColour(29), GridModel::UnderMouse);
}

void tst_GridModel::hover_trackingCell_litsPhotocellAndRowButNoInput()
{
    GridModel model;
    model.hover(20);
    model.hover(692);
    QCOMPARE(model.deviceColour(4), GridModel::HeadingHighlight);
    for (int n = 0; n < 4; ++n)
        QCOMPARE(model.deviceColour(n), GridModel::HeadingColour);
    for (int i = 0; i < GridModel::InputCount; ++i)
        QCOMPARE(model.inputColour(i), GridModel::HeadingColour);
    QCOMPARE(model.outputColour(28), GridModel::HeadingHighlight);
    QCOMPARE(model.outputColour(0), GridModel::HeadingColour);
    QCOMPARE(model.cellColour(692), GridModel::UnderMouse);
    QCOMPARE(model.cellColour(20), GridModel::RelayColour);
}

void tst_GridModel::clearHL_restoresEverything_andSecondCallChangesNothing()
{
    GridModel model;
    model.hover(300);
    model.ClearHL();
    const auto atRest = [&model] {
        for (int n = 0; n < GridModel::DeviceCount; ++n)
            QCOMPARE(model.deviceColour(n), GridModel::HeadingColour);
        for (int i = 0; i < GridModel::InputCount; ++i)
            QCOMPARE(model.inputColour(i), GridModel::HeadingColour);
        for (int q = 0; q < GridModel::RowCount; ++q)
            QCOMPARE(model.outputColour(q), GridModel::HeadingColour);
        QCOMPARE(model.cellColour(300), GridModel::DisableColour);
        QCOMPARE(model.HLIndex(), -1);
        QVERIFY(!model.HLActive());
    };
    atRest();
    model.ClearHL();
    atRest();
}

void tst_GridModel::hover_outsideGrid_isIgnored()
{
    GridModel model;
    model.hover(-1);
    model.hover(768);
    QVERIFY(!model.HLActive());
    QCOMPARE(model.HLIndex(), -1);
}

void tst_GridModel::cellAt_point_findsVisibleCell_data()
{
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<int>("cell");
    QTest::newRow("inside cell 0") << QPoint(60, 130) << 0;
    QTest::newRow("shared border goes to the later cell") << QPoint(96, 135) << 1;
    QTest::newRow("shared row border goes to the lower cell") << QPoint(70, 144) << 24;
    QTest::newRow("diagonal cell under its filler") << QPoint(76, 216) << -1;
    QTest::newRow("left edge of the diagonal is its neighbour's") << QPoint(96, 230) << 120;
    QTest::newRow("tracking cell middle") << QPoint(780, 615) << 688;
    QTest::newRow("row heading") << QPoint(20, 130) << -1;
    QTest::newRow("section caption") << QPoint(100, 200) << -1;
    QTest::newRow("right of the grid") << QPoint(1020, 300) << -1;
}

void tst_GridModel::cellAt_point_findsVisibleCell()
{
    QFETCH(QPoint, point);
    QFETCH(int, cell);
    QCOMPARE(GridModel::cellAt(point), cell);
}

void tst_GridModel::neighbour_step_skipsHiddenCells_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("dx");
    QTest::addColumn<int>("dy");
    QTest::addColumn<int>("to");
    QTest::newRow("right") << 0 << 1 << 0 << 1;
    QTest::newRow("left edge stays") << 0 << -1 << 0 << 0;
    QTest::newRow("top edge stays") << 3 << 0 << -1 << 3;
    QTest::newRow("relay down past the first diagonal") << 72 << 0 << 1 << 120;
    QTest::newRow("down over the diagonal") << 197 << 0 << 1 << 245;
    QTest::newRow("right over the diagonal") << 120 << 1 << 0 << 122;
    QTest::newRow("left of the first diagonal stays") << 97 << -1 << 0 << 97;
    QTest::newRow("into photocell 1 tracking") << 687 << 1 << 0 << 688;
    QTest::newRow("across to photocell 2 tracking") << 688 << 1 << 0 << 692;
    QTest::newRow("right end stays") << 692 << 1 << 0 << 692;
    QTest::newRow("back to photocell 1 tracking") << 692 << -1 << 0 << 688;
    QTest::newRow("down onto covered column") << 666 << 0 << 1 << 688;
    QTest::newRow("tracking down") << 692 << 0 << 1 << 716;
    QTest::newRow("tracking up") << 688 << 0 << -1 << 664;
    QTest::newRow("bottom edge stays") << 764 << 0 << 1 << 764;
}

void tst_GridModel::neighbour_step_skipsHiddenCells()
{
    QFETCH(int, from);
    QFETCH(int, dx);
    QFETCH(int, dy);
    QFETCH(int, to);
    QCOMPARE(GridModel::neighbour(from, dx, dy), to);
    QVERIFY(GridModel::cellVisible(to));
}

void tst_GridModel::setCellTexts_hiddenChange_isNotAVisibleChange()
{
    GridModel model;
    std::array<QString, GridModel::CellCount> texts = model.cellTexts();
    texts[96] = QStringLiteral("Disable");
    QVERIFY(!model.setCellTexts(texts));
    QCOMPARE(model.cellText(96), QStringLiteral("Disable"));
    texts[97] = QStringLiteral("Disable");
    QVERIFY(model.setCellTexts(texts));
    QVERIFY(!model.setCellTexts(texts));
}

QTEST_APPLESS_MAIN(tst_GridModel)
#include "tst_GridModel.moc"
