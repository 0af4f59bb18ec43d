#include "GridModel.h"

#include <QTest>

class tst_GridModel : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void rects_followGridLayout_data();
    void rects_followGridLayout();
    void cellVisible_hidesDiagonalAndCoveredCells_data();
    void cellVisible_hidesDiagonalAndCoveredCells();
    void sectionColour_followsSection_data();
    void sectionColour_followsSection();
    void hover_litsHeadingsOfCellOnly_data();
    void hover_litsHeadingsOfCellOnly();
    void cellAt_point_findsVisibleCell_data();
    void cellAt_point_findsVisibleCell();
    void neighbour_step_skipsHiddenCells_data();
    void neighbour_step_skipsHiddenCells();
};

void tst_GridModel::rects_followGridLayout_data()
{
    QTest::addColumn<QRect>("actual");
    QTest::addColumn<QRect>("expected");
    QTest::newRow("first relay cell") << GridModel::cellRect(0) << QRect(56, 128, 41, 17);
    QTest::newRow("relay 4") << GridModel::cellRect(95) << QRect(976, 176, 41, 17);
    QTest::newRow("first disable") << GridModel::cellRect(97) << QRect(96, 208, 41, 17);
    QTest::newRow("last disable") << GridModel::cellRect(670) << QRect(936, 576, 41, 17);
    QTest::newRow("dimmer 4 in 16") << GridModel::cellRect(759) << QRect(656, 656, 41, 17);
    QTest::newRow("tracking pc 1") << GridModel::cellRect(688) << QRect(696, 608, 161, 17);
    QTest::newRow("tracking dim 4") << GridModel::cellRect(764) << QRect(856, 656, 161, 17);
    QTest::newRow("device 0") << GridModel::deviceRect(0) << QRect(56, 80, 241, 17);
    QTest::newRow("input 23") << GridModel::inputRect(23) << QRect(976, 96, 41, 17);
    QTest::newRow("row TB01-1") << GridModel::outputRect(4) << QRect(8, 208, 49, 17);
    QTest::newRow("row Dimmer 4") << GridModel::outputRect(31) << QRect(8, 656, 49, 17);
    QTest::newRow("caption tracking") << GridModel::captionRect(3) << QRect(696, 592, 321, 15);
    QTest::newRow("filler 23") << GridModel::fillerRect(23) << QRect(977, 577, 39, 15);
}

void tst_GridModel::rects_followGridLayout()
{
    QFETCH(QRect, actual);
    QTEST(actual, "expected");
}

void tst_GridModel::cellVisible_hidesDiagonalAndCoveredCells_data()
{
    QTest::addColumn<int>("cell");
    QTest::addColumn<bool>("visible");
    for (int k : {96, 121, 671, 689, 691, 693, 767})
        QTest::addRow("hidden %d", k) << k << false;
    for (int k : {95, 97, 120, 670, 687, 688, 692, 764})
        QTest::addRow("visible %d", k) << k << true;
}

void tst_GridModel::cellVisible_hidesDiagonalAndCoveredCells()
{
    QFETCH(int, cell);
    QTEST(GridModel::cellVisible(cell), "visible");
    int count = 0;
    for (int k = 0; k < GridModel::CellCount; ++k)
        count += GridModel::cellVisible(k) ? 1 : 0;
    QCOMPARE(count, 768 - 24 - 24);
}

void tst_GridModel::sectionColour_followsSection_data()
{
    QTest::addColumn<int>("cell");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("relay") << 95 << QColor(224, 224, 224);
    QTest::newRow("disable first") << 97 << QColor(192, 255, 192);
    QTest::newRow("dimmer") << 672 << QColor(255, 255, 128);
    QTest::newRow("tracking") << 740 << QColor(192, 255, 255);
}

void tst_GridModel::sectionColour_followsSection()
{
    QFETCH(int, cell);
    QTEST(GridModel().cellColour(cell), "colour");
}

void tst_GridModel::hover_litsHeadingsOfCellOnly_data()
{
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("second");
    QTest::addColumn<int>("clears");     // ClearHL calls after the moves
    QTest::addColumn<QList<int>>("lit"); // device, input, row; -1: none
    QTest::newRow("down a column") << 5 << 29 << 0 << QList<int>{0, 5, 1};
    QTest::newRow("tracking: photocell, no input") << 20 << 692 << 0 << QList<int>{4, -1, 28};
    QTest::newRow("outside the grid") << -1 << 768 << 0 << QList<int>{-1, -1, -1};
    QTest::newRow("cleared twice") << 5 << 300 << 2 << QList<int>{-1, -1, -1};
}

void tst_GridModel::hover_litsHeadingsOfCellOnly()
{
    QFETCH(int, first);
    QFETCH(int, second);
    QFETCH(int, clears);
    QFETCH(QList<int>, lit);
    GridModel model;
    model.hover(first);
    model.hover(second);
    for (int n = 0; n < clears; ++n)
        model.ClearHL();
    const bool active = lit[2] >= 0;
    QCOMPARE(model.HLActive(), active);
    QCOMPARE(model.HLIndex(), active ? second : -1);
    const auto colour = [](bool on) {
        return on ? GridModel::HeadingHighlight : GridModel::HeadingColour;
    };
    for (int n = 0; n < GridModel::DeviceCount; ++n)
        QCOMPARE(model.deviceColour(n), colour(n == lit[0]));
    for (int i = 0; i < GridModel::InputCount; ++i)
        QCOMPARE(model.inputColour(i), colour(i == lit[1]));
    for (int q = 0; q < GridModel::RowCount; ++q)
        QCOMPARE(model.outputColour(q), colour(q == lit[2]));
    if (second >= 0 && second < GridModel::CellCount)
        QCOMPARE(model.cellColour(second),
                 active ? GridModel::UnderMouse : GridModel::sectionColour(second));
    if (first >= 0)
        QCOMPARE(model.cellColour(first), GridModel::sectionColour(first));
}

void tst_GridModel::cellAt_point_findsVisibleCell_data()
{
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<int>("cell");
    QTest::newRow("shared border goes to the later cell") << QPoint(96, 135) << 1;
    QTest::newRow("shared row border goes to the lower cell") << QPoint(70, 144) << 24;
    QTest::newRow("diagonal cell under its filler") << QPoint(76, 216) << -1;
    QTest::newRow("left edge of the diagonal is its neighbour's") << QPoint(96, 230) << 120;
    QTest::newRow("tracking cell middle") << QPoint(780, 615) << 688;
    QTest::newRow("row heading") << QPoint(20, 130) << -1;
    QTest::newRow("right of the grid") << QPoint(1020, 300) << -1;
}

void tst_GridModel::cellAt_point_findsVisibleCell()
{
    QFETCH(QPoint, point);
    QTEST(GridModel::cellAt(point), "cell");
}

void tst_GridModel::neighbour_step_skipsHiddenCells_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("dx");
    QTest::addColumn<int>("dy");
    QTest::addColumn<int>("to");
    QTest::newRow("left edge stays") << 0 << -1 << 0 << 0;
    QTest::newRow("relay down past the first diagonal") << 72 << 0 << 1 << 120;
    QTest::newRow("down over the diagonal") << 197 << 0 << 1 << 245;
    QTest::newRow("right over the diagonal") << 120 << 1 << 0 << 122;
    QTest::newRow("left of the first diagonal stays") << 97 << -1 << 0 << 97;
    QTest::newRow("across to photocell 2 tracking") << 688 << 1 << 0 << 692;
    QTest::newRow("back to photocell 1 tracking") << 692 << -1 << 0 << 688;
    QTest::newRow("down onto covered column") << 666 << 0 << 1 << 688;
    QTest::newRow("bottom edge stays") << 764 << 0 << 1 << 764;
}

void tst_GridModel::neighbour_step_skipsHiddenCells()
{
    QFETCH(int, from);
    QFETCH(int, dx);
    QFETCH(int, dy);
    QTEST(GridModel::neighbour(from, dx, dy), "to");
}

QTEST_APPLESS_MAIN(tst_GridModel)
#include "tst_GridModel.moc"
