#include "views/RadarGeometry.h"

#include <algorithm>
#include <cmath>
#include <span>
#include <utility>

#include "epoch/BinaryEpochAssembler.h"
#include "geo/Geodetic.h"
#include "protocol/MessageLayouts.h"

namespace kestrion {
namespace {

constexpr double kRadiansPerAzimuthUnit = 0.026179938783333336;  // fields::kAzimuth's unit
constexpr double kBarbSpread = 0.05;  // radians either side of the course
constexpr int kBarbLength = 5;
constexpr int kMarkHalf = 4;
constexpr uint8_t kDgpsOn = 0x80;  // mode 1
constexpr double kRadiansPerDegree = 1.0 / kDegreesPerRadian;
constexpr double kQuarterTurn = 90.0 * kRadiansPerDegree;
constexpr int kRingLabelGap = 2;  // between a circle and its label
constexpr int kLegendMargin = 4;  // from the client's edges

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

GeodeticPosition PositionOf(const EpochPosition& position)
{
    const double height = position.heightEllipsoid.value_or(position.altitudeMsl.value_or(0.0));
    return {position.latitude * kRadiansPerDegree, position.longitude * kRadiansPerDegree, height};
}

// Binary epochs keep their ECEF positions as the protocol gave them.
std::optional<GeodeticPosition> PositionOf(const ReceiverEpoch& epoch)
{
    if (epoch.binaryNav) {
        return PositionOf(*epoch.binaryNav);
    }
    if (epoch.position) {
        return PositionOf(*epoch.position);
    }
    return std::nullopt;
}

// The true position on the local plane of the measured one; the outer circle is the outer
// circle position in metres.
std::optional<std::array<PlotLine, 2>> TrueMark(const CRadarGeometry& geometry, const RadarEpochScene& scene,
                                                const Settings& settings, double rotation)
{
    const auto measured = PositionOf(scene.measured);
    const auto truth = scene.truth ? PositionOf(*scene.truth) : std::nullopt;
    if (!measured || !truth) {
        return std::nullopt;
    }
    const NorthEast offset = LocalOffset(*measured, *truth);
    const double pixels = std::hypot(offset.north, offset.east) / settings.radarPositionRadius * geometry.Radius();
    const auto [x, y] = geometry.ToScreen(pixels, std::atan2(offset.east, offset.north), rotation);
    return std::array{PlotLine{{x - kMarkHalf, y - kMarkHalf}, {x + kMarkHalf, y + kMarkHalf}},
                      PlotLine{{x - kMarkHalf, y + kMarkHalf}, {x + kMarkHalf, y - kMarkHalf}}};
}

bool Unlocked(const SatelliteView& satellite, ReceiverEpoch::Source source)
{
    if (source == ReceiverEpoch::Source::Binary) {
        return std::ranges::all_of(satellite.observations, [](const SignalObservation& signal) {
            return std::ranges::all_of(signal.samples, [](uint8_t cno) { return cno == 0; });
        });
    }
    return satellite.BestCn0().value_or(0) <= 0;
}

bool Differential(const ReceiverEpoch& epoch)
{
    return epoch.binaryNav ? (epoch.binaryNav->mode1 & kDgpsOn) != 0 : epoch.fix == FixMode::Dgps;
}

}  // namespace

CRadarGeometry::CRadarGeometry(int width, int height, SymbolText text)
    : m_width(width),
      m_height(height),
      m_side(std::min(width, height)),
      m_left((width - m_side) / 2),
      m_top((height - m_side) / 2),
      m_radius(std::max(0, m_side - 2 * kMargin) / 2),
      m_textScale(std::max(1.0, static_cast<double>(m_radius) / kSymbolRadius)),
      // Two characters fit the round body of 16 pixels, three the oval one of 20.
      m_symbolScale(m_textScale * std::max({1.0, (text.narrow + 4) / 16.0, (text.wide + 4) / 20.0}))
{
}

std::array<ElevationRing, 3> CRadarGeometry::ElevationRings() const
{
    std::array<ElevationRing, 3> rings{};
    const PlotPoint centre = Centre();
    for (size_t ring = 0; ring < rings.size(); ++ring) {
        const int degrees = 30 * static_cast<int>(ring);
        // As far out as a satellite at that elevation.
        const int radius = static_cast<int>((1.0 - degrees / 90.0) * m_radius);
        const PlotPoint on = ToScreen(radius, kQuarterTurn / 2, 0.0);
        rings[ring] = {degrees,
                       ring == 0 ? OuterCircle()
                                 : PlotRect{centre.x - radius, centre.y - radius, centre.x + radius, centre.y + radius},
                       {on.x + kRingLabelGap, on.y - kRingLabelGap}};
    }
    return rings;
}

std::vector<LegendEntry> RadarLegend(const CRadarGeometry& geometry, int lineHeight)
{
    static constexpr std::pair<Rgb, const char*> kMeanings[] = {
        {kFixGreen, "Used in fix"}, {kTrackedBlue, "Tracked"}, {kCyan, "SBAS (DGPS)"}, {kUnlockedRed, "Not locked"}};
    const int pitch = lineHeight + 2;
    const int swatch = std::max(4, lineHeight * 2 / 3);
    std::vector<LegendEntry> legend;
    int middle = geometry.Height() - kLegendMargin - pitch * static_cast<int>(std::size(kMeanings)) + pitch / 2;
    for (const auto& [colour, text] : kMeanings) {
        const int left = kLegendMargin;
        const int top = middle - swatch / 2;
        legend.push_back({colour, text, {left, top, left + swatch, top + swatch}, {left + swatch + swatch / 2, middle}});
        middle += pitch;
    }
    return legend;
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
    const double length =
        fields::kNavVelocity[0].Scaled(std::hypot(velocity.north, velocity.east)) / outerVelocity * radius;
    // Compared before truncating so that an endless length (no outer velocity) is caught too.
    const bool beyond = !(length < radius + 1.0);
    return {std::atan2(velocity.east, velocity.north), beyond ? radius + 10 : static_cast<int>(length)};
}

Course CourseOf(const ReceiverEpoch& epoch, double outerVelocity, int radius)
{
    if (epoch.binaryNav) {
        return CourseOf(*epoch.binaryNav, outerVelocity, radius);
    }
    const double speed = epoch.velocity.groundSpeed.value_or(0.0);
    const double length = speed / outerVelocity * radius;
    const bool beyond = !(length < radius + 1.0);
    return {epoch.velocity.course.value_or(0.0) * kRadiansPerDegree,
            beyond ? radius + 10 : static_cast<int>(length)};
}

Rgb SatelliteColour(const TrackerChannel& channel, const NavBlock& nav)
{
    if (std::ranges::all_of(channel.cno, [](uint8_t cno) { return cno == 0; })) {
        return kUnlockedRed;
    }
    const uint8_t* first = nav.svIds;
    const uint8_t* last = first + std::min<size_t>(nav.svCount, kChannels);
    if (std::find(first, last, channel.svId) != last) {
        return kFixGreen;
    }
    if (BinarySatellite(channel.svId).value_or(SatelliteId{}).system == GnssSystem::Sbas &&
        (nav.mode1 & kDgpsOn) != 0) {
        return kCyan;
    }
    return kTrackedBlue;
}

Rgb SatelliteColour(const SatelliteView& satellite, const ReceiverEpoch& epoch)
{
    if (Unlocked(satellite, epoch.source)) {
        return kUnlockedRed;
    }
    if (satellite.used) {
        return kFixGreen;
    }
    if (satellite.id.system == GnssSystem::Sbas && Differential(epoch)) {
        return kCyan;
    }
    return kTrackedBlue;
}

SatelliteSymbol SymbolAt(PlotPoint at, Rgb colour, std::string label, double scale)
{
    const auto px = [scale](int pixels) { return static_cast<int>(std::lround(pixels * scale)); };
    const auto [x, y] = at;
    SatelliteSymbol symbol;
    symbol.colour = colour;
    symbol.at = symbol.centre = at;
    symbol.body = label.size() < 3 ? PlotRect{x - px(8), y - px(8), x + px(8), y + px(8)}
                                   : PlotRect{x - px(10), y - px(7), x + px(10), y + px(7)};
    symbol.arms = {PlotLine{{x + px(7), y}, {x + px(14), y}}, PlotLine{{x - px(7), y}, {x - px(14), y}}};
    for (size_t panel = 0; panel < symbol.panels.size(); ++panel) {
        const int side = panel == 0 ? 1 : -1;  // right, then left
        const int inner = x + side * px(11), outer = x + side * px(14);
        if (colour == kUnlockedRed) {
            symbol.panels[panel] = {{inner, y - px(11)}, {outer, y - px(7)}, {outer, y + px(7)}, {inner, y + px(11)}};
        } else {
            symbol.panels[panel] = {{outer, y - px(9)}, {outer, y + px(9)}};
        }
    }
    symbol.label = std::move(label);
    return symbol;
}

void SpreadSymbols(std::vector<SatelliteSymbol>& symbols, double scale)
{
    // A symbol reaches 14 pixels across and 11 up and down from its centre; one more keeps a gap.
    const double across = 2 * 15 * scale, down = 2 * 12 * scale;
    struct Centre {
        double x, y;
    };
    std::vector<Centre> centres;
    centres.reserve(symbols.size());
    for (const SatelliteSymbol& symbol : symbols) {
        centres.push_back({static_cast<double>(symbol.at.x), static_cast<double>(symbol.at.y)});
    }
    constexpr int kRounds = 200;
    for (int round = 0; round < kRounds; ++round) {
        bool moved = false;
        for (size_t first = 0; first < centres.size(); ++first) {
            for (size_t second = first + 1; second < centres.size(); ++second) {
                Centre& a = centres[first];
                Centre& b = centres[second];
                const double dx = b.x - a.x, dy = b.y - a.y;
                const double overlapX = across - std::fabs(dx), overlapY = down - std::fabs(dy);
                if (overlapX <= 0 || overlapY <= 0) {
                    continue;
                }
                // Apart the shorter way, half each; the later one goes down or right when they meet.
                moved = true;
                if (overlapY <= overlapX) {
                    const double push = (dy < 0 ? -1 : 1) * (overlapY / 2 + 0.5);
                    a.y -= push;
                    b.y += push;
                } else {
                    const double push = (dx < 0 ? -1 : 1) * (overlapX / 2 + 0.5);
                    a.x -= push;
                    b.x += push;
                }
            }
        }
        if (!moved) {
            break;
        }
    }
    for (size_t index = 0; index < symbols.size(); ++index) {
        SatelliteSymbol& symbol = symbols[index];
        const PlotPoint centre{ToPixel(std::round(centres[index].x)), ToPixel(std::round(centres[index].y))};
        if (centre != symbol.centre) {
            const PlotPoint at = symbol.at;
            symbol = SymbolAt(centre, symbol.colour, std::move(symbol.label), scale);
            symbol.at = at;
        }
    }
}

RadarPlot PlotOf(const CRadarGeometry& geometry, const RadarScene& scene, const Settings& settings)
{
    RadarEpochScene epochs{EpochFromBinary(scene.nav, &scene.tracker, false), std::nullopt};
    if (scene.truth) {
        epochs.truth = EpochFromBinary(*scene.truth, nullptr, true);
    }
    return PlotOf(geometry, epochs, settings);
}

RadarPlot PlotOf(const CRadarGeometry& geometry, const RadarEpochScene& scene, const Settings& settings)
{
    const int radius = geometry.Radius();
    const Course course = CourseOf(scene.measured, settings.radarVelocityRadius, radius);
    const double rotation = settings.radarOrientation == 1 ? -course.heading : 0.0;

    RadarPlot plot;
    plot.arrow = CourseArrow(geometry, course, rotation);
    plot.trueMark = TrueMark(geometry, scene, settings, rotation);
    plot.north = geometry.ToScreen(radius, 0.0, rotation);
    for (size_t letter = 0; letter < plot.eastSouthWest.size(); ++letter) {
        plot.eastSouthWest[letter] = geometry.ToScreen(radius, (letter + 1.0) * kQuarterTurn, rotation);
    }

    plot.satellites.reserve(scene.measured.satellites.size());
    for (const SatelliteView& satellite : scene.measured.satellites) {
        if (!satellite.Placed()) {
            continue;
        }
        // Through the binary protocol's azimuth unit, which its azimuths are exact in.
        const int distance = static_cast<int>((1.0 - *satellite.elevation / 90.0) * radius);
        const double angle = fields::kAzimuth.Unscaled(*satellite.azimuth) * kRadiansPerAzimuthUnit;
        const PlotPoint at = geometry.ToScreen(distance, angle, rotation);
        plot.satellites.push_back(SymbolAt(at, SatelliteColour(satellite, scene.measured),
                                           SatelliteLabel(satellite.id), geometry.SymbolScale()));
    }
    return plot;
}

}  // namespace kestrion
