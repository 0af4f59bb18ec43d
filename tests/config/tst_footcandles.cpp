#include "modOVMXConfig.h"

#include <QTest>

#include <cmath>

// The scale as double arithmetic with each operation rounded to double, which gives the
// same whole numbers as exact decimal arithmetic; an independent way to the whole table.
static int referenceFootCandles(int L)
{
    if (L < 0 || L > 240)
        return 1800;
    struct Segment {
        int last;
        double slope;
        int offset;
        double base;
    };
    static const Segment segments[] = {
        {75, 0.05, 0, 0},     {116, 0.15, 72, 4},  {137, 0.3, 116, 11},  {170, 0.68, 138, 18},
        {181, 1.25, 171, 40}, {190, 2.5, 182, 55}, {203, 3.4, 191, 80},  {218, 6.3, 204, 125},
        {228, 20, 219, 220},  {233, 50, 229, 450}, {237, 100, 234, 700}, {240, 200, 238, 1200},
    };
    for (const Segment &s : segments) {
        if (L <= s.last) {
            volatile double product = s.slope * (L - s.offset);
            volatile double sum = product + s.base;
            return static_cast<int>(std::floor(sum));
        }
    }
    return 1800;
}

class FootCandleTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void level_givesFootCandles_data();
    void level_givesFootCandles();
    void everyLevel_matchesDoubleArithmetic();
    void risingLevel_neverDecreases();
};

void FootCandleTest::level_givesFootCandles_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("footCandles");
    const int table[][2] = {
        {0, 0},
        {19, 0},
        {20, 1},
        {75, 3},
        {76, 4},
        {92, 7},
        {116, 10},
        {117, 11},
        {137, 17},
        {138, 18},
        {170, 39},
        {171, 40},
        {181, 52},
        {182, 55},
        {190, 75},
        {191, 80},
        {203, 120},
        {204, 125},
        {218, 213},
        {219, 220},
        {228, 400},
        {229, 450},
        {233, 650},
        {234, 700},
        {237, 1000},
        {238, 1200},
        {240, 1600},
        {241, 1800},
        {255, 1800},
        // Exact products: extended precision would give one less here.
        {112, 10},
        {126, 14},
        {136, 17},
        {196, 97},
        {201, 114},
        {214, 188},
        // Outside the scale.
        {-1, 1800},
        {-255, 1800},
        {-32768, 1800},
        {256, 1800},
        {32767, 1800},
    };
    for (const auto &row : table)
        QTest::addRow("level %d", row[0]) << row[0] << row[1];
}

void FootCandleTest::level_givesFootCandles()
{
    QFETCH(int, level);
    QFETCH(int, footCandles);
    QCOMPARE(modOVMXConfig::LevelToFootCandles(level), footCandles);
}

void FootCandleTest::everyLevel_matchesDoubleArithmetic()
{
    for (int level = -5; level <= 260; ++level)
        QCOMPARE(
            QStringLiteral("%1 -> %2").arg(level).arg(modOVMXConfig::LevelToFootCandles(level)),
            QStringLiteral("%1 -> %2").arg(level).arg(referenceFootCandles(level)));
}

void FootCandleTest::risingLevel_neverDecreases()
{
    for (int level = 1; level <= 255; ++level)
        QVERIFY2(modOVMXConfig::LevelToFootCandles(level) >=
                     modOVMXConfig::LevelToFootCandles(level - 1),
                 qPrintable(QString::number(level)));
}

QTEST_GUILESS_MAIN(FootCandleTest)
#include "tst_footcandles.moc"
