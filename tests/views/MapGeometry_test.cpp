#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "protocol/MessageBlocks.h"
#include "views/MapGeometry.h"

namespace kestrion {
namespace {

constexpr int32_t kEquatorRadius = 6378137;

// A position at the given offsets in metres from latitude and longitude 0.
MapPosition Near(double northMetres, double eastMetres)
{
    MapPosition position{};
    position.latitude = northMetres / kMetresPerDegree;
    position.longitude = eastMetres / kMetresPerDegree;
    position.metresPerDegreeOfLongitude = kMetresPerDegree;
    return position;
}

// On the smallest canvas, around the frame's origin.
CanvasPoint CanvasPointOf(const MapFrame& frame, const MapPosition& position)
{
    CanvasFrame canvas;
    canvas.pixelsPerMetre = frame.pixelsPerMetre;
    return CanvasPointOf(canvas, GroundOf(frame, position));
}

// The stored points, oldest first, with their colours.
std::vector<std::pair<CanvasPoint, Rgb>> StoredOf(const CRecentPoints<CanvasPoint>& points)
{
    std::vector<std::pair<CanvasPoint, Rgb>> stored;
    for (int index = 0; index < points.Count(); ++index) {
        stored.emplace_back(points.At(index), points.ColourAt(index));
    }
    return stored;
}

TEST(MapGeometry, PlotsAroundTheOriginPixelAndClampsToTheBorder)
{
    const MapFrame frame{2.0, 0.0, 0.0};  // 0.5 m per pixel
    EXPECT_EQ(CanvasPointOf(frame, Near(0, 0)), (CanvasPoint{100, 100}));
    EXPECT_EQ(CanvasPointOf(frame, Near(10.1, 0)), (CanvasPoint{100, 80}));
    EXPECT_EQ(CanvasPointOf(frame, Near(-10.2, 10.2)), (CanvasPoint{120, 120}));  // truncated toward zero
    // Offsets of -99 and 98 pixels stay; -100 and 99 reach the border.
    EXPECT_EQ(CanvasPointOf(frame, Near(49.7, -49.7)), (CanvasPoint{1, 1}));
    EXPECT_EQ(CanvasPointOf(frame, Near(-49.25, 49.25)), (CanvasPoint{198, 198}));
    EXPECT_EQ(CanvasPointOf(frame, Near(50.2, -50.2)), (CanvasPoint{0, 0}));
    EXPECT_EQ(CanvasPointOf(frame, Near(-49.7, 49.7)), (CanvasPoint{199, 199}));

    // With the origin at 0, 0 a position near Munich lies far north-east.
    MapPosition munich{48.137, 11.575, 520.0, 0.0, 0.0, 0.0};
    munich.metresPerDegreeOfLongitude = std::cos(munich.latitude / kDegreesPerRadian) * kMetresPerDegree;
    EXPECT_EQ(CanvasPointOf(frame, munich), (CanvasPoint{199, 0}));
    EXPECT_EQ(CanvasPointOf({2.0, 48.137, 11.575}, munich), (CanvasPoint{100, 100}));
    EXPECT_EQ(CanvasPointOf({2.0, 49.0, 12.0}, munich), (CanvasPoint{0, 199}));
    // A scale of 0 (an edited settings file) must not overflow.
    EXPECT_EQ(CanvasPointOf({std::numeric_limits<double>::infinity(), 0.0, 0.0}, Near(0, 0)), (CanvasPoint{0, 0}));
}

TEST(MapGeometry, TakesPositionCourseAndSpeedFromTheRecord)
{
    struct Case {
        int16_t vx, vy, vz;  // 1/8 m/s; at latitude and longitude 0, y is east and z north
        double course, speed;
    };
    const Case cases[] = {{0, 0, 8, 0.0, 1.0}, {0, 8, 0, 90.0, 1.0},  {0, 0, -8, 180.0, 1.0},
                          {0, -8, 0, 270.0, 1.0}, {0, -6, 8, 323.130102354156, 1.25},
                          {800, 0, 0, 0.0, 0.0}};  // straight up: no course
    for (const Case& c : cases) {
        NavBlock nav{};
        nav.x = kEquatorRadius;
        nav.vx = c.vx;
        nav.vy = c.vy;
        nav.vz = c.vz;
        const MapPosition position = MapPositionOf(nav);
        EXPECT_NEAR(position.course, c.course, 1e-9) << c.vx << " " << c.vy << " " << c.vz;
        EXPECT_NEAR(position.speed, c.speed, 1e-9);
        EXPECT_NEAR(position.metresPerDegreeOfLongitude, kMetresPerDegree, 1e-6);
    }

    // Standing still where the east and north parts come out as negative zeros heads 0.
    NavBlock still{};
    still.x = -4510024;
    still.y = 4510024;
    const MapPosition standing = MapPositionOf(still);
    EXPECT_NEAR(standing.longitude, 135.0, 1e-3);
    EXPECT_FALSE(std::signbit(standing.course));
    EXPECT_EQ(standing.course, 0.0);
}

TEST(MapGeometry, RecentPointsKeepTheNewestEightFadingToRed)
{
    constexpr Rgb kFading[] = {{0, 0, 255},   {32, 0, 220}, {64, 0, 160}, {96, 0, 140},
                               {120, 0, 120}, {160, 0, 32}, {220, 0, 20}, {255, 0, 0}};
    CRecentPoints<CanvasPoint> points;
    EXPECT_EQ(points.Newest(), std::nullopt);
    using Stored = std::vector<std::pair<CanvasPoint, Rgb>>;
    for (int i = 0; i < 3; ++i) {
        points.Add({i, 0});
    }
    EXPECT_EQ(StoredOf(points), (Stored{{{0, 0}, kFading[5]}, {{1, 0}, kFading[6]}, {{2, 0}, kFading[7]}}));
    Stored expected;
    for (int i = 3; i < 11; ++i) {
        points.Add({i, 0});
        expected.push_back({{i, 0}, kFading[i - 3]});
    }
    EXPECT_EQ(StoredOf(points), expected);
    EXPECT_EQ(points.Newest(), (CanvasPoint{10, 0}));

    points.Clear();
    points.Add({7, 7});
    EXPECT_EQ(StoredOf(points), (Stored{{{7, 7}, kFading[7]}}));
}

TEST(MapGeometry, RingRadiiInWholePixels)
{
    EXPECT_EQ(RingRadiusPixels(10, 2.0), 20);
    EXPECT_EQ(RingRadiusPixels(15, 0.3), 4);
    EXPECT_EQ(RingRadiusPixels(60, 2.0), 120);  // partly on the canvas
    EXPECT_EQ(RingRadiusPixels(0, 2.0), 0);
    EXPECT_EQ(RingRadiusPixels(3, 0.1), 0);     // under a pixel
    EXPECT_EQ(RingRadiusPixels(-10, 2.0), 0);
    EXPECT_EQ(RingRadiusPixels(100000, 4.0), 0);  // wholly outside the canvas
}

TEST(MapGeometry, CanvasIsCentredInALargeClientAndScrolledInASmallOne)
{
    const CanvasPlacement large = PlaceCanvas(401, 300, 30, 30, std::nullopt);
    EXPECT_EQ(std::vector<int>({large.left, large.top, large.scrollWidth, large.scrollHeight}),
              std::vector<int>({100, 50, 0, 0}));
    const CanvasPlacement small = PlaceCanvas(150, 120, 10, 500, std::nullopt);
    EXPECT_EQ(std::vector<int>({small.left, small.top, small.scrollWidth, small.scrollHeight}),
              std::vector<int>({-10, -80, 50, 80}));
    // Following a point puts it in the middle, however small the client.
    const CanvasPlacement followed = PlaceCanvas(400, 100, 10, 10, CanvasPoint{30, 190});
    EXPECT_EQ(std::vector<int>({followed.left, followed.top, followed.scrollWidth, followed.scrollHeight}),
              std::vector<int>({170, -140, 0, 0}));

    // A resize keeps the canvas coordinate in the middle: the origin when nothing scrolled.
    EXPECT_EQ(KeptScroll(300, 0, 0, 150), 25);
    EXPECT_EQ(KeptScroll(150, 40, 50, 100), 65);
    EXPECT_EQ(KeptScroll(150, 0, 50, 100), 25);
    EXPECT_EQ(KeptScroll(150, 40, 50, 10), 110);
    EXPECT_EQ(KeptScroll(150, 40, 50, 250), 0);
    EXPECT_EQ(KeptScroll(150, 50, 50, 150), 50);
}

TEST(MapGeometry, CepCirclesInWholePixelsAndTheOriginToItsSixDecimals)
{
    EXPECT_EQ(CepCirclesOf(2.6, 7.9, 2.0), (CepCircles{5, 15}));
    EXPECT_EQ(CepCirclesOf(0.2, 0, 2.0), (CepCircles{0, 0}));      // under a pixel: none
    EXPECT_EQ(CepCirclesOf(100, 1000, 2.0), (CepCircles{200, 0}));  // beyond the canvas: none
    const MapFrame frame{2.0, 47.376887, 8.541694};
    EXPECT_TRUE(IsMapOrigin(frame, 47.3768871234, 8.5416944321));
    EXPECT_FALSE(IsMapOrigin(frame, 47.376888, 8.541694));
    EXPECT_FALSE(IsMapOrigin(frame, 47.376887, -8.541694));
}

TEST(MapGeometry, ALargerCanvasShowsMoreGroundAtTheSameScaleAndPansWithItsMiddle)
{
    CanvasFrame frame = SizedFrame({}, 150, 640);  // never narrower than 200
    EXPECT_EQ(std::vector<int>({frame.width, frame.height}), std::vector<int>({200, 640}));
    frame = SizedFrame(frame, 801, 600);
    EXPECT_EQ(OriginPixel(frame), (CanvasPoint{400, 300}));
    EXPECT_EQ(CanvasPointOf(frame, {100, 0}), (CanvasPoint{600, 300}));  // off the smallest canvas, on this one
    EXPECT_EQ(CanvasPointOf(frame, {-10.2, -10.2}), (CanvasPoint{380, 320}));
    EXPECT_EQ(CanvasPointOf(frame, {200, 150}), (CanvasPoint{800, 0}));  // the last column, the first row
    EXPECT_EQ(CanvasPointOf(frame, {-199.5, -149.7}), (CanvasPoint{1, 599}));

    // The middle 50 m east: the origin 100 pixels left of it, the ground where the pixels say.
    frame.centre = {50, 0};
    EXPECT_EQ(OriginPixel(frame), (CanvasPoint{300, 300}));
    EXPECT_EQ(CanvasPointOf(frame, {50, 10}), (CanvasPoint{400, 280}));
    EXPECT_EQ(GroundAt(frame, 400, 280), (GroundPoint{50, 10}));
    // Dragging the ground right and down by 40 and 20 pixels brings what was west and north.
    EXPECT_EQ(PannedCentre(frame, 40, 20), (GroundPoint{30, 10}));
    // Following: half as large again as the area; the middle stays until the newest point is
    // more than a quarter of the area away, then moves to it.
    const CanvasFrame following = FollowingFrame(frame, 400, 300, {50 + 50, -37.5});  // 100 and 75 pixels
    EXPECT_EQ(std::vector<int>({following.width, following.height}), std::vector<int>({600, 450}));
    EXPECT_EQ(following.centre, frame.centre);
    EXPECT_EQ(FollowingFrame(frame, 400, 300, {50, -38}).centre, (GroundPoint{50, -38}));
    // Rings count as none when they pass outside every corner, as seen from the panned origin.
    EXPECT_EQ(RingRadiusPixels(250, 2.0, CanvasReach(frame)), 500);  // the far corners are 584 away
    EXPECT_EQ(RingRadiusPixels(300, 2.0, CanvasReach(frame)), 0);
}

TEST(MapGeometry, TheWheelStepsThroughOneTwoFiveAndKeepsTheGroundUnderTheMouse)
{
    EXPECT_EQ(ZoomedScale(0.5, 1), 0.25);
    EXPECT_EQ(ZoomedScale(0.25, 3), 0.25);  // no closer than the Preferences take
    EXPECT_EQ(ZoomedScale(0.25, -1), 0.5);
    EXPECT_EQ(ZoomedScale(0.5, -3), 5.0);
    EXPECT_EQ(ZoomedScale(1.25, 1), 1.0);  // from between two steps to the next one
    EXPECT_EQ(ZoomedScale(1.25, -1), 2.0);
    EXPECT_EQ(ZoomedScale(5000, -2), 10000.0);
    EXPECT_EQ(ZoomedScale(0.0, -1), 0.5);  // an unusable setting starts from the closest

    CanvasFrame frame = SizedFrame({}, 600, 400);
    frame.centre = {12, -7};
    const GroundPoint held = GroundAt(frame, 450, 120);
    CanvasFrame zoomed = frame;
    zoomed.pixelsPerMetre = 0.5;
    zoomed.centre = ZoomedCentre(frame, zoomed.pixelsPerMetre, 450, 120);
    EXPECT_NEAR(GroundAt(zoomed, 450, 120).east, held.east, 1e-9);
    EXPECT_NEAR(GroundAt(zoomed, 450, 120).north, held.north, 1e-9);
    EXPECT_EQ(ZoomedCentre(frame, 4.0, 300, 200), frame.centre);  // about the middle: it stays
}

TEST(MapGeometry, ScaleBarAndRingLabelsInMetresOrKilometres)
{
    EXPECT_EQ(ScaleBarOf(2.0, 640), (ScaleBar{50, 100}));  // up to 160 pixels: 80 m, so 50
    EXPECT_EQ(ScaleBarOf(0.2, 640), (ScaleBar{500, 100}));
    EXPECT_EQ(ScaleBarOf(0.2, 100), (ScaleBar{200, 40}));  // never under 40 pixels: 200 m
    EXPECT_EQ(ScaleBarOf(1e-4, 200), (ScaleBar{500000, 50}));
    EXPECT_EQ(ScaleBarOf(0.0, 640), ScaleBar{});
    EXPECT_EQ(DistanceText(20), "20 m");
    EXPECT_EQ(DistanceText(1500), "1500 m");
    EXPECT_EQ(DistanceText(2000), "2 km");

    CanvasFrame frame = SizedFrame({}, 400, 400);
    frame.pixelsPerMetre = 0.2;  // rings of 100, 200 and 400 m: 20, 40 and 80 pixels
    EXPECT_EQ(RingLabelsOf(frame, {100, 200, 400}, 15),
              (std::vector<RingLabel>{{400, {203, 200 - 80 - 2}}, {200, {203, 200 - 40 - 2}}, {100, {203, 200 - 20 - 2}}}));
    // The widest first; with lines of 21, 100 m is less than a line below 200 m: left out.
    EXPECT_EQ(RingLabelsOf(frame, {100, 200, 400}, 21),
              (std::vector<RingLabel>{{400, {203, 200 - 80 - 2}}, {200, {203, 200 - 40 - 2}}}));
    EXPECT_EQ(RingLabelsOf(frame, {100, 0, 400}, 21).size(), 2u);
    EXPECT_TRUE(RingLabelsOf(frame, {0, 0, 0}, 15).empty());
}

}  // namespace
}  // namespace kestrion
