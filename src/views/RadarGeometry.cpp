#include "views/RadarGeometry.h"

#include <algorithm>
#include <cmath>
#include <span>
#include <utility>

#include "protocol/TextFormatter.h"
#include "geo/Geodetic.h"

namespace kestrion {
namespace {

constexpr double kRadiansPerAzimuthUnit = 0.026179938783333336;  // 1.5 degrees
constexpr double kEighthMetre = 0.125;
constexpr double kBarbSpread = 0.05;  // radians either side of the course
constexpr int kBarbLength = 5;
constexpr int kMarkHalf = 4;
constexpr uint8_t kDgpsOn = 0x80;  // mode 1
constexpr int kFirstSbasId = 100;

// Far points stay far outside any window but within an int.
int ToPixel(double value)
{
    constexpr double kFar = 1e6;
    return static_cast<int>(std::isnan(value) ? 0.0 : std::clamp(value, -kFar, kFar));
}

GeodeticPosition PositionOf(const NavBlock& nav)
{
    return EcefToGeodetic(nav.x, nav.y, nav.z);
}

std::array<PlotLine, 3> CourseArrow(const CRadarGeometry& geometry, const Course& course, double rotation)
{
    const PlotPoint tip = geometry.ToScreen(course.length, course.heading, rotation);
    const int barb = course.length > kBarbLength ? course.length - kBarbLength : 0;
    return {PlotLine{geometry.Centre(), tip},
            PlotLine{tip, geometry.ToScreen(barb, course.heading + kBarbSpread, rotation)},
            PlotLine{tip, geometry.ToScreen(barb, course.heading - kBarbSpread, rotation)}};
}

// The true position on the local plane of the measured one; the outer circle is the outer
// circle position in metres.
std::array<PlotLine, 2> TrueMark(const CRadarGeometry& geometry, const RadarScene& scene, const CSettings& settings,
                                 double rotation)
{
    const NorthEast offset = LocalOffset(PositionOf(scene.nav), PositionOf(*scene.truth));
    const double pixels = std::hypot(offset.north, offset.east) / settings.radarPositionRadius * geometry.Radius();
    const auto [x, y] = geometry.ToScreen(pixels, std::atan2(offset.east, offset.north), rotation);
    return {PlotLine{{x - kMarkHalf, y - kMarkHalf}, {x + kMarkHalf, y + kMarkHalf}},
            PlotLine{{x - kMarkHalf, y + kMarkHalf}, {x + kMarkHalf, y - kMarkHalf}}};
}

bool InFix(uint8_t svId, const NavBlock& nav)
{
    const uint8_t* first = nav.svIds;
    const uint8_t* last = first + std::min<size_t>(nav.svCount, kChannels);
    return std::find(first, last, svId) != last;
}

}  // namespace

CRadarGeometry::CRadarGeometry(int width, int height)
    : m_side(std::min(width, height)),
      m_radius(std::max(0, m_side - 2 * kMargin) / 2),
      m_quarter(std::max(0, m_side - 2 * kMargin) / 4)
{
}

PlotPoint CRadarGeometry::ToScreen(double distance, double angle, double rotation) const
{
    const PlotPoint centre = Centre();
    return {ToPixel(centre.x + distance * std::sin(angle + rotation)),
            ToPixel(centre.y - distance * std::cos(angle + rotation))};
}

Course CourseOf(const NavBlock& nav, double outerVelocity, int radius)
{
    const NorthEast velocity = NorthEastOf(PositionOf(nav), nav.vx, nav.vy, nav.vz);
    const double length = std::hypot(velocity.north, velocity.east) * kEighthMetre / outerVelocity * radius;
    // Compared before truncating so that an endless length (no outer velocity) is caught too.
    const bool beyond = !(length < radius + 1.0);
    return {std::atan2(velocity.east, velocity.north), beyond ? radius + 10 : static_cast<int>(length)};
}

Rgb SatelliteColour(const TrackerChannel& channel, const NavBlock& nav)
{
    if (std::ranges::all_of(channel.cno, [](uint8_t cno) { return cno == 0; })) {
        return kUnlockedRed;
    }
    if (InFix(channel.svId, nav)) {
        return kFixGreen;
    }
    if (channel.svId >= kFirstSbasId && (nav.mode1 & kDgpsOn) != 0) {
        return kCyan;
    }
    return kTrackedBlue;
}

SatelliteSymbol SymbolAt(PlotPoint at, Rgb colour, std::string label)
{
    const auto [x, y] = at;
    SatelliteSymbol symbol;
    symbol.colour = colour;
    symbol.body = label.size() < 3 ? PlotRect{x - 8, y - 8, x + 8, y + 8} : PlotRect{x - 10, y - 7, x + 10, y + 7};
    symbol.arms = {PlotLine{{x + 7, y}, {x + 14, y}}, PlotLine{{x - 7, y}, {x - 14, y}}};
    for (size_t panel = 0; panel < symbol.panels.size(); ++panel) {
        const int side = panel == 0 ? 1 : -1;  // right, then left
        const int inner = x + side * 11, outer = x + side * 14;
        if (colour == kUnlockedRed) {
            symbol.panels[panel] = {{inner, y - 11}, {outer, y - 7}, {outer, y + 7}, {inner, y + 11}};
        } else {
            symbol.panels[panel] = {{outer, y - 9}, {outer, y + 9}};
        }
    }
    symbol.labelAt = {label.size() > 2 ? x - 9 : x - 6, y - 7};
    symbol.label = std::move(label);
    return symbol;
}

RadarPlot PlotOf(const CRadarGeometry& geometry, const RadarScene& scene, const CSettings& settings)
{
    const int radius = geometry.Radius();
    const Course course = CourseOf(scene.nav, settings.radarVelocityRadius, radius);
    const double rotation = settings.radarOrientation == 1 ? -course.heading : 0.0;

    RadarPlot plot;
    plot.arrow = CourseArrow(geometry, course, rotation);
    if (scene.truth) {
        plot.trueMark = TrueMark(geometry, scene, settings, rotation);
    }
    plot.north = geometry.ToScreen(radius, 0.0, rotation);

    const int channels = std::min<int>(scene.tracker.channelCount, kChannels);
    for (const TrackerChannel& channel : std::span(scene.tracker.channels, channels)) {
        if (channel.svId == 0) {
            continue;
        }
        const int distance = static_cast<int>((1.0 - channel.elevation * 0.5 / 90.0) * radius);
        const PlotPoint at = geometry.ToScreen(distance, channel.azimuth * kRadiansPerAzimuthUnit, rotation);
        plot.satellites.push_back(
            SymbolAt(at, SatelliteColour(channel, scene.nav), FormatText("%2d", {channel.svId})));
    }
    return plot;
}

}  // namespace kestrion
