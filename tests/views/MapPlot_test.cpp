#include <gtest/gtest.h>

#include "ViewTests.h"
#include "views/MapPlot.h"

namespace kestrion {
namespace {

const QColor kBlue(0, 0, 255);
const QColor kRed(255, 0, 0);

// The plot at ratio 1 in black on white, with rings of 20 and 60 pixels and one of none.
class MapPlotTest : public ::testing::Test {
protected:
    MapPlotTest() { plot.Reset(1.0, {Qt::white, Qt::black}, {20, 0, 60}); }
    QColor At(int x, int y) const { return plot.Image().pixelColor(x, y); }

    QApplication& app = test::ViewApplication();
    CMapPlot plot;
};

TEST_F(MapPlotTest, EmptyCanvasHasItsOutlineAxesAndRings)
{
    ASSERT_EQ(plot.Image().size(), QSize(200, 200));
    // The outline, the axes, and rings of radius r from 100 - r to 100 + r - 1.
    for (const QPoint ink : {QPoint(0, 0), QPoint(199, 0), QPoint(0, 199), QPoint(199, 199), QPoint(57, 199),
                             QPoint(5, 100), QPoint(100, 195), QPoint(80, 99), QPoint(119, 99), QPoint(40, 99),
                             QPoint(159, 99)}) {
        EXPECT_EQ(At(ink.x(), ink.y()), Qt::black) << ink.x() << "," << ink.y();
    }
    // A ring of 0 would stand at 99, 99.
    for (const QPoint paper : {QPoint(1, 1), QPoint(5, 99), QPoint(101, 195), QPoint(79, 99), QPoint(81, 99),
                               QPoint(120, 99), QPoint(39, 99), QPoint(160, 99), QPoint(99, 99)}) {
        EXPECT_EQ(At(paper.x(), paper.y()), Qt::white) << paper.x() << "," << paper.y();
    }
}

TEST_F(MapPlotTest, MeasuredPointsFadeAndTheOldestStaysBlue)
{
    plot.AddMeasured({100, 100});
    for (const QPoint dot : {QPoint(99, 99), QPoint(100, 99), QPoint(99, 100), QPoint(100, 100)}) {
        EXPECT_EQ(At(dot.x(), dot.y()), kRed);
    }
    EXPECT_EQ(At(101, 98), Qt::white);
    EXPECT_EQ(At(98, 101), Qt::white);

    const QColor fading[] = {{0, 0, 255},   {32, 0, 220}, {64, 0, 160}, {96, 0, 140},
                             {120, 0, 120}, {160, 0, 32}, {220, 0, 20}, {255, 0, 0}};
    for (int point = 1; point < 9; ++point) {
        plot.AddMeasured({100 + 10 * point, 50});
    }
    EXPECT_EQ(At(99, 99), kBlue);
    for (int point = 1; point < 9; ++point) {
        EXPECT_EQ(At(100 + 10 * point, 50), fading[point - 1]) << point;
    }
}

TEST_F(MapPlotTest, TruePositionsStayAndClearingEmptiesTheCanvas)
{
    const QImage empty = plot.Image();
    plot.AddMeasured({30, 30});
    plot.AddTrue({30, 30});
    EXPECT_EQ(At(30, 30), Qt::white);  // the circle covers the point, until the next redraws it
    for (int point = 0; point < 9; ++point) {
        plot.AddMeasured({30 + point, 35});
    }
    for (const QPoint circle : {QPoint(28, 30), QPoint(31, 30), QPoint(30, 28), QPoint(30, 31)}) {
        EXPECT_EQ(At(circle.x(), circle.y()), kRed) << circle.x() << "," << circle.y();
    }
    EXPECT_EQ(At(29, 29), kBlue);
    EXPECT_EQ(At(32, 30), Qt::white);

    plot.Clear();
    EXPECT_EQ(plot.Image(), empty);
    EXPECT_EQ(plot.Newest(), std::nullopt);
}

TEST_F(MapPlotTest, ANewPixelRatioKeepsTheTrackAndTheCanvasSharp)
{
    plot.AddTrue({30, 30});
    for (int point = 0; point < 9; ++point) {
        plot.AddMeasured({50 + 10 * point, 150});
    }
    plot.ChangeRatio(2.0);
    ASSERT_EQ(plot.Image().size(), QSize(400, 400));
    EXPECT_EQ(plot.Image().devicePixelRatio(), 2.0);
    EXPECT_EQ(At(2 * 28, 2 * 30 + 1), kRed);       // the true position, scaled over
    EXPECT_EQ(At(2 * 50 - 1, 2 * 150 - 1), kBlue);  // gone from the recent points, scaled over
    EXPECT_EQ(At(2 * 130, 2 * 150), kRed);           // the newest, drawn again
    EXPECT_EQ(At(2 * 100 + 5, 2 * 50), Qt::white);   // beside the vertical axis

    CMapPlot fresh;
    fresh.Reset(2.0, {Qt::white, Qt::black}, {20, 0, 60});
    plot.Clear();
    EXPECT_EQ(plot.Image(), fresh.Image());
}

}  // namespace
}  // namespace kestrion
