#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iterator>
#include <numbers>
#include <vector>

#include <gtest/gtest.h>

#include "views/RadarGeometry.h"

namespace kestrion {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr int32_t kEquator = 6378137;  // ECEF x of latitude 0, longitude 0: north is +z, east +y

// At latitude 0, longitude 0, moving with the given eighths of a metre per second.
NavBlock NavAt(int16_t north, int16_t east)
{
    NavBlock nav{};
    nav.x = kEquator;
    nav.vy = east;
    nav.vz = north;
    return nav;
}

Settings Radar(int orientation, double outerVelocity = 4.0, int outerPosition = 20)
{
    Settings settings;
    settings.radarOrientation = orientation;
    settings.radarVelocityRadius = outerVelocity;
    settings.radarPositionRadius = outerPosition;
    return settings;
}

TrackerChannel Channel(uint8_t svId, uint8_t azimuth, uint8_t elevation, uint8_t cno = 40)
{
    TrackerChannel channel{svId, azimuth, elevation, {}, {}, 0};
    std::fill(std::begin(channel.cno), std::end(channel.cno), cno);
    return channel;
}

TEST(RadarGeometry, TheSquareOfTheSmallerSideStandsInTheMiddleWithItsRingsAndTurnsClockwiseFromNorth)
{
    const CRadarGeometry g(400, 300);  // the square 50 pixels in from the left
    EXPECT_EQ(g.Radius(), 135);
    EXPECT_EQ(g.Corner(), (PlotPoint{50, 0}));
    EXPECT_EQ(g.Centre(), (PlotPoint{200, 150}));
    EXPECT_EQ(g.OuterCircle(), (PlotRect{65, 15, 335, 285}));
    // Rings where satellites at 0, 30 and 60 degrees stand: 135, 90 and 45 pixels out, each
    // labelled up and right of where it meets the diagonal.
    const auto rings = g.ElevationRings();
    EXPECT_EQ(std::vector<int>({rings[0].degrees, rings[1].degrees, rings[2].degrees}), std::vector<int>({0, 30, 60}));
    EXPECT_EQ(rings[0].circle, g.OuterCircle());
    EXPECT_EQ(rings[1].circle, (PlotRect{110, 60, 290, 240}));
    EXPECT_EQ(rings[2].circle, (PlotRect{155, 105, 245, 195}));
    EXPECT_EQ(rings[1].labelAt, (PlotPoint{263 + 2, 86 - 2}));  // 63.6 either way, truncated
    EXPECT_EQ(CRadarGeometry(301, 500).OuterCircle(), (PlotRect{15, 114, 286, 385}));  // 271 across
    EXPECT_EQ(CRadarGeometry(20, 20).Radius(), 0);

    EXPECT_EQ(g.ToScreen(100, kPi / 2, 0), (PlotPoint{300, 150}));
    EXPECT_EQ(g.ToScreen(100, kPi / 2, -kPi / 2), (PlotPoint{200, 50}));
    EXPECT_EQ(g.ToScreen(10, kPi / 4, 0), (PlotPoint{207, 142}));  // 7.07 either way, truncated
}

TEST(RadarGeometry, SymbolsGrowWithThePlotAndWithTheirLabels)
{
    EXPECT_EQ(CRadarGeometry(480, 480).SymbolScale(), 1.0);  // radius 225
    EXPECT_EQ(CRadarGeometry(300, 300).SymbolScale(), 1.0);  // never smaller than at radius 225
    EXPECT_DOUBLE_EQ(CRadarGeometry(1200, 930).SymbolScale(), 2.0);
    EXPECT_DOUBLE_EQ(CRadarGeometry(1200, 930).TextScale(), 2.0);
    // A font whose labels are 20 pixels wide needs a body of 24.
    EXPECT_DOUBLE_EQ(CRadarGeometry(480, 480, {20, 20}).SymbolScale(), 1.5);
    EXPECT_DOUBLE_EQ(CRadarGeometry(480, 480, {20, 20}).TextScale(), 1.0);
    const SatelliteSymbol big = SymbolAt({100, 100}, kFixGreen, "12", 2.0);
    EXPECT_EQ(big.body, (PlotRect{84, 84, 116, 116}));
    EXPECT_EQ(big.arms[0], (PlotLine{{114, 100}, {128, 100}}));
}

TEST(RadarGeometry, SpreadingMovesOnlyOverlappingSymbolsUntilNoneOverlaps)
{
    // A sky of twelve where three pairs nearly meet and three satellites stand on one point.
    const PlotPoint sky[] = {{100, 100}, {104, 102}, {200, 100}, {200, 112}, {300, 300}, {310, 300},
                             {150, 250}, {150, 250}, {150, 250}, {400, 50},  {50, 400},  {420, 420}};
    for (const double scale : {1.0, 1.6}) {
        std::vector<SatelliteSymbol> symbols;
        for (const PlotPoint at : sky) {
            symbols.push_back(SymbolAt(at, kTrackedBlue, "12", scale));
        }
        SpreadSymbols(symbols, scale);
        for (size_t first = 0; first < symbols.size(); ++first) {
            EXPECT_EQ(symbols[first].at, sky[first]);
            EXPECT_EQ(symbols[first].arms[0].from.x, symbols[first].centre.x + std::lround(7 * scale));
            for (size_t second = first + 1; second < symbols.size(); ++second) {
                const PlotPoint a = symbols[first].centre, b = symbols[second].centre;
                // Arms reach 14 across and panels 11 up and down.
                EXPECT_TRUE(std::abs(a.x - b.x) > 28 * scale || std::abs(a.y - b.y) > 22 * scale)
                    << scale << ": " << first << " and " << second;
            }
        }
        for (const size_t alone : {9u, 10u, 11u}) {
            EXPECT_EQ(symbols[alone].centre, sky[alone]) << scale;
        }
    }
}

TEST(RadarGeometry, TheArrowGrowsWithSpeedUpToTheOuterVelocityThenStopsOutside)
{
    const int r = 135;
    const Course east = CourseOf(NavAt(0, 8), 4.0, r);  // 1 m/s of 4
    EXPECT_NEAR(east.heading, kPi / 2, 1e-9);
    EXPECT_EQ(east.length, 33);
    EXPECT_NEAR(CourseOf(NavAt(-8, -8), 4.0, r).heading, -3 * kPi / 4, 1e-9);
    EXPECT_EQ(CourseOf(NavAt(32, 0), 4.0, r).length, r);  // exactly the outer velocity
    EXPECT_EQ(CourseOf(NavAt(33, 0), 4.0, r).length, r + 10);
    EXPECT_EQ(CourseOf(NavAt(1, 0), 0.0, r).length, r + 10);  // no outer velocity: always beyond

    const CRadarGeometry g(300, 300);
    const RadarPlot plot = PlotOf(g, RadarScene{NavAt(0, 8), {}, {}}, Radar(0));
    EXPECT_EQ(plot.arrow[1], (PlotLine{{183, 150}, g.ToScreen(28, kPi / 2 + 0.05, 0)}));
    EXPECT_EQ(plot.arrow[2], (PlotLine{{183, 150}, g.ToScreen(28, kPi / 2 - 0.05, 0)}));
    const RadarPlot slow = PlotOf(g, RadarScene{NavAt(0, 1), {}, {}}, Radar(0));  // 4 pixels
    EXPECT_EQ(slow.arrow[1].to, g.Centre());
}

TEST(RadarGeometry, SatelliteColoursFollowLockThenFixThenSbas)
{
    NavBlock nav{};
    nav.svCount = 2;
    nav.svIds[0] = 5;
    nav.svIds[1] = 120;
    nav.svIds[2] = 9;  // beyond the count: not in the fix
    EXPECT_EQ(SatelliteColour(Channel(5, 0, 0), nav), kFixGreen);
    EXPECT_EQ(SatelliteColour(Channel(5, 0, 0, 0), nav), kUnlockedRed);
    TrackerChannel oneSample = Channel(7, 0, 0, 0);
    oneSample.cno[9] = 1;
    EXPECT_EQ(SatelliteColour(oneSample, nav), kTrackedBlue);
    EXPECT_EQ(SatelliteColour(Channel(9, 0, 0), nav), kTrackedBlue);
    EXPECT_EQ(SatelliteColour(Channel(121, 0, 0), nav), kTrackedBlue);  // DGPS off
    nav.mode1 = 0x80;
    EXPECT_EQ(SatelliteColour(Channel(121, 0, 0), nav), kCyan);
    EXPECT_EQ(SatelliteColour(Channel(99, 0, 0), nav), kTrackedBlue);
    EXPECT_EQ(SatelliteColour(Channel(120, 0, 0), nav), kFixGreen);
}

TEST(RadarGeometry, SatellitesStandAtTheirAzimuthAndElevationWithTheirLabels)
{
    const CRadarGeometry g(300, 300);
    RadarScene scene{NavAt(0, 0), {}, {}};
    scene.tracker.channelCount = 5;
    scene.tracker.channels[0] = Channel(3, 77, 180);   // zenith
    scene.tracker.channels[1] = Channel(0, 60, 0);     // no satellite
    scene.tracker.channels[2] = Channel(12, 60, 0);    // east on the horizon
    scene.tracker.channels[3] = Channel(14, 0, 90);    // north at 45 degrees
    scene.tracker.channels[4] = Channel(133, 0, 200);  // 100 degrees: past the zenith, to the south
    scene.tracker.channels[5] = Channel(8, 0, 0);      // beyond the channel count
    const RadarPlot plot = PlotOf(g, scene, Radar(0));
    ASSERT_EQ(plot.satellites.size(), 4u);
    const auto centreOf = [](const SatelliteSymbol& s) { return PlotPoint{s.arms[0].from.x - 7, s.arms[0].from.y}; };
    EXPECT_EQ(centreOf(plot.satellites[0]), (PlotPoint{150, 150}));
    EXPECT_EQ(centreOf(plot.satellites[1]), (PlotPoint{285, 150}));
    EXPECT_EQ(centreOf(plot.satellites[2]), (PlotPoint{150, 83}));  // 67 pixels out
    EXPECT_EQ(centreOf(plot.satellites[3]), (PlotPoint{150, 165}));

    EXPECT_EQ(plot.satellites[0].label, " 3");
    EXPECT_EQ(plot.satellites[0].body, (PlotRect{142, 142, 158, 158}));
    EXPECT_EQ(plot.satellites[0].centre, (PlotPoint{150, 150}));  // the label is centred on it
    EXPECT_EQ(plot.satellites[3].label, "133");
    EXPECT_EQ(plot.satellites[3].body, (PlotRect{140, 158, 160, 172}));
    EXPECT_EQ(plot.satellites[3].at, (PlotPoint{150, 165}));

    scene.nav = NavAt(0, 8);  // heading up turns the satellites with the course
    EXPECT_EQ(centreOf(PlotOf(g, scene, Radar(1)).satellites[1]), (PlotPoint{150, 15}));
}

TEST(RadarGeometry, TheTrueMarkSitsAtItsOffsetScaledByTheOuterPosition)
{
    const CRadarGeometry g(300, 300);
    RadarScene scene{NavAt(0, 8), {}, {}};
    EXPECT_FALSE(PlotOf(g, scene, Radar(0)).trueMark);

    scene.truth = NavAt(0, 0);
    scene.truth->y = 10;  // 10 m east: half of 20 m, 67 pixels
    const auto markCentre = [&](const Settings& settings) {
        const RadarPlot plot = PlotOf(g, scene, settings);
        if (!plot.trueMark) {
            ADD_FAILURE() << "no true-position mark";
            return PlotPoint{};
        }
        const auto [first, second] = *plot.trueMark;
        EXPECT_EQ(first.to, (PlotPoint{first.from.x + 8, first.from.y + 8}));
        EXPECT_EQ(second, (PlotLine{{first.from.x, first.to.y}, {first.to.x, first.from.y}}));
        return PlotPoint{first.from.x + 4, first.from.y + 4};
    };
    const PlotPoint east = markCentre(Radar(0));
    EXPECT_NEAR(east.x, 217, 1);
    EXPECT_EQ(east.y, 150);
    const PlotPoint ahead = markCentre(Radar(1));  // travelling east, heading up: straight up
    EXPECT_EQ(ahead.x, 150);
    EXPECT_NEAR(ahead.y, 83, 1);
    EXPECT_NEAR(markCentre(Radar(0, 4.0, 40)).x, 183, 1);
}

}  // namespace
}  // namespace kestrion
