#include <algorithm>

#include <gtest/gtest.h>

#include "ViewTests.h"
#include "views/MapPlot.h"

namespace kestrion {
namespace {

const QColor kBlue(0, 0, 255);
const QColor kRed(255, 0, 0);

// The smallest canvas at a metre a pixel.
CanvasFrame MetreAPixel()
{
    CanvasFrame frame;
    frame.pixelsPerMetre = 1.0;
    return frame;
}

// The ground at a pixel of that canvas.
GroundPoint G(int x, int y)
{
    return {x - 100.0, 100.0 - y};
}

// The plot at ratio 1 in black on white, with rings of 20 and 60 pixels and one of none.
class MapPlotTest : public ::testing::Test {
protected:
    MapPlotTest() { plot.Reset(1.0, {Qt::white, Qt::black}, {20, 0, 60}, MetreAPixel()); }
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
    plot.AddMeasured(G(100, 100));
    for (const QPoint dot : {QPoint(99, 99), QPoint(100, 99), QPoint(99, 100), QPoint(100, 100)}) {
        EXPECT_EQ(At(dot.x(), dot.y()), kRed);
    }
    EXPECT_EQ(At(101, 98), Qt::white);
    EXPECT_EQ(At(98, 101), Qt::white);

    const QColor fading[] = {{0, 0, 255},   {32, 0, 220}, {64, 0, 160}, {96, 0, 140},
                             {120, 0, 120}, {160, 0, 32}, {220, 0, 20}, {255, 0, 0}};
    for (int point = 1; point < 9; ++point) {
        plot.AddMeasured(G(100 + 10 * point, 50));
    }
    EXPECT_EQ(At(99, 99), kBlue);
    for (int point = 1; point < 9; ++point) {
        EXPECT_EQ(At(100 + 10 * point, 50), fading[point - 1]) << point;
    }
}

TEST_F(MapPlotTest, TruePositionsStayAndClearingEmptiesTheCanvas)
{
    const QImage empty = plot.Image();
    plot.AddMeasured(G(30, 30));
    plot.AddTrue(G(30, 30));
    EXPECT_EQ(At(30, 30), Qt::white);  // the circle covers the point, until the next redraws it
    for (int point = 0; point < 9; ++point) {
        plot.AddMeasured(G(30 + point, 35));
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
    const auto plotTrack = [](CMapPlot& track) {
        track.AddTrue(G(30, 30));
        for (int point = 0; point < 9; ++point) {
            track.AddMeasured(G(50 + 10 * point, 150));
        }
    };
    plotTrack(plot);
    plot.ChangeRatio(2.0);
    ASSERT_EQ(plot.Image().size(), QSize(400, 400));
    EXPECT_EQ(plot.Image().devicePixelRatio(), 2.0);
    // Everything drawn again at the new ratio, as a plot made there draws it. (Smoothed edges
    // blend where points overlap, so only a plot drawn at once is the same to the pixel.)
    CMapPlot fresh;
    fresh.Reset(2.0, {Qt::white, Qt::black}, {20, 0, 60}, MetreAPixel());
    const QImage empty = fresh.Image();
    fresh.Clear();
    plotTrack(fresh);
    EXPECT_EQ(plot.Image(), fresh.Image());
    const auto reddest = [this](int x, int y) {  // smoothed edges are red only nearly
        int red = 0;
        for (const QPoint near : {QPoint(x - 1, y - 1), QPoint(x, y - 1), QPoint(x - 1, y), QPoint(x, y)}) {
            const QColor pixel = At(near.x(), near.y());
            red = std::max(red, pixel.green() < 60 && pixel.blue() < 60 ? pixel.red() : 0);
        }
        return red;
    };
    EXPECT_GT(reddest(2 * 130, 2 * 150), 200);     // the newest
    EXPECT_GT(reddest(2 * 28 + 1, 2 * 30), 200);   // the true position's circle
    EXPECT_EQ(At(2 * 100 + 5, 2 * 50), Qt::white);  // beside the vertical axis

    plot.Clear();
    EXPECT_EQ(plot.Image(), empty);
}

// Measured points on one pixel and apart, more than eight, and true positions over them.
void PlotDrive(CMapPlot& plot)
{
    for (int point = 0; point < 12; ++point) {
        plot.AddMeasured(G(30 + 3 * (point / 2), 40));
        if (point == 3 || point == 7) {
            plot.AddTrue(G(33 + point, 40));
        }
    }
    plot.AddTrue(G(44, 41));
}

TEST_F(MapPlotTest, AnotherScaleOrSizeDrawsTheTrackAgainAsItWasDrawnPointByPoint)
{
    plot.Image();  // drawn from here on point by point
    PlotDrive(plot);
    CMapPlot atOnce;  // drawn when shown
    atOnce.Reset(1.0, {Qt::white, Qt::black}, {20, 0, 60}, MetreAPixel());
    PlotDrive(atOnce);
    EXPECT_EQ(atOnce.Image(), plot.Image());

    // Zoomed out to 2 m a pixel on a larger canvas: the same track, nearer the origin.
    CanvasFrame zoomed = SizedFrame(MetreAPixel(), 300, 240);
    zoomed.pixelsPerMetre = 0.5;
    plot.SetFrame(zoomed);
    ASSERT_EQ(plot.Image().size(), QSize(300, 240));
    const CanvasPoint newest = CanvasPointOf(zoomed, G(45, 40));
    EXPECT_EQ(plot.Newest(), newest);
    EXPECT_EQ(newest, (CanvasPoint{150 - 27, 120 - 30}));
    EXPECT_EQ(At(newest.x, newest.y), kRed);
    EXPECT_EQ(At(150 - 35, 120 - 30), kBlue);  // the first points, gone from the recent ones

    plot.SetFrame(MetreAPixel());
    EXPECT_EQ(plot.Image(), atOnce.Image());
}

}  // namespace
}  // namespace kestrion
