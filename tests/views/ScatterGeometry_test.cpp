#include "views/ScatterGeometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace kestrion {
namespace {

TEST(ScatterGeometry, RangesRoundUpToOneTwoOrFiveTimesAPowerOfTen)
{
    EXPECT_EQ(RoundRange(0), 1);
    EXPECT_EQ(RoundRange(std::numeric_limits<double>::quiet_NaN()), 1);
    EXPECT_DOUBLE_EQ(RoundRange(0.3), 0.5);
    EXPECT_EQ(RoundRange(1), 1);
    EXPECT_EQ(RoundRange(1.01), 2);
    EXPECT_EQ(RoundRange(2), 2);
    EXPECT_EQ(RoundRange(2.2), 5);
    EXPECT_EQ(RoundRange(7), 10);
    EXPECT_EQ(RoundRange(130), 200);
}

TEST(ScatterGeometry, TheSquareIsCentredInItsAreaAndHoldsTheCep95Circle)
{
    AccuracyFigures figures;
    figures.cep50 = 1.2;
    figures.cep95 = 3.9;  // held with room: 4.9 m, a range of 5 m
    const CScatterGeometry geometry(300, 0, 340, 480, ScatterHold(figures));
    EXPECT_EQ(geometry.HalfRange(), 5);
    EXPECT_EQ(geometry.Side(), 340 - 2 * CScatterGeometry::kMargin);
    EXPECT_EQ(geometry.Centre(), (ScatterPixel{470, 240}));
    const auto [left, top, right, bottom] = geometry.Square();
    EXPECT_EQ(right - left, geometry.Side());
    EXPECT_EQ(bottom - top, geometry.Side());
    EXPECT_LE(geometry.CircleOf(figures.cep95).radius, geometry.Side() / 2);
    EXPECT_NEAR(geometry.CircleOf(figures.cep50).radius, 1.2 * geometry.PixelsPerMetre(), 0.5);
    EXPECT_EQ(geometry.CircleOf(-1).radius, 0);
}

TEST(ScatterGeometry, EastGoesRightNorthGoesUpAndFarErrorsStandOnTheBorder)
{
    const CScatterGeometry geometry(0, 0, 248, 248, 10);  // side 200: 10 pixels a metre
    const ScatterPixel centre = geometry.Centre();
    EXPECT_EQ(geometry.PixelOf(0, 0), centre);
    EXPECT_EQ(geometry.PixelOf(3, 0), (ScatterPixel{centre.x + 30, centre.y}));
    EXPECT_EQ(geometry.PixelOf(0, 2), (ScatterPixel{centre.x, centre.y - 20}));
    EXPECT_EQ(geometry.PixelOf(-500, -500), (ScatterPixel{centre.x - 100, centre.y + 100}));
}

TEST(ScatterGeometry, EachPixelIsListedOnceAndErrorsWithoutTruthAreLeftOut)
{
    const CScatterGeometry geometry(0, 0, 248, 248, 10);
    const float none = std::numeric_limits<float>::quiet_NaN();
    const std::vector<EnuError> errors = {{1, 1, 0}, {1.01f, 0.99f, 5}, {none, none, none}, {-2, 0, 0}};
    const std::vector<ScatterPixel> pixels = geometry.PixelsOf(errors);
    ASSERT_EQ(pixels.size(), 2U);
    EXPECT_EQ(pixels[0], geometry.PixelOf(1, 1));
    EXPECT_EQ(pixels[1], geometry.PixelOf(-2, 0));
}

TEST(ScatterGeometry, TicksAtHalfAndWholeRangeOnBothSidesOfBothAxes)
{
    const CScatterGeometry geometry(0, 0, 248, 248, 5);
    const std::vector<ScatterTick> ticks = geometry.Ticks();
    ASSERT_EQ(ticks.size(), 8U);
    EXPECT_EQ(ticks.front().label, "2.5 m");
    EXPECT_EQ(ticks.front().at, geometry.PixelOf(2.5, 0));
    EXPECT_EQ(ticks.back().label, "5 m");
    EXPECT_EQ(ticks.back().at, geometry.PixelOf(0, -5));
}

TEST(ScatterGeometry, TheTextTakesAColumnOfAtMostHalfTheWidth)
{
    EXPECT_EQ(SplitStatistics(640).textWidth, kFiguresTextWidth);
    EXPECT_EQ(SplitStatistics(640).scatterLeft, kFiguresTextWidth);
    EXPECT_EQ(SplitStatistics(640).scatterWidth, 640 - kFiguresTextWidth);
    EXPECT_EQ(SplitStatistics(400).textWidth, 200);
    EXPECT_EQ(SplitStatistics(400).scatterWidth, 200);
}

}  // namespace
}  // namespace kestrion
