#include "views/MapGeometry.h"

#include <algorithm>
#include <cmath>

#include "epoch/ReceiverEpoch.h"
#include "protocol/MessageBlocks.h"

namespace kestrion {
namespace {

constexpr double kVelocityUnit = 0.125;  // m/s
constexpr int kLastPixel = kCanvasSize - 1;
// A ring this wide passes wholly outside the canvas.
constexpr double kWidestVisibleRing = 150.0;

constexpr std::array<Rgb, CRecentPoints::kSlots> kFadingColours = {{
    {0, 0, 255}, {32, 0, 220}, {64, 0, 160}, {96, 0, 140}, {120, 0, 120}, {160, 0, 32}, {220, 0, 20}, {255, 0, 0},
}};

// The origin pixel plus a truncated offset, onto the canvas. Compared as a double so that
// positions far away (or an unusable scale) never overflow an int.
int CanvasCoordinate(double offset)
{
    const double value = kOriginPixel + std::trunc(offset);
    if (!(value >= 1.0)) {
        return 0;
    }
    return value >= kLastPixel ? kLastPixel : static_cast<int>(value);
}

int ScrollMaximum(int client)
{
    return std::max(0, kCanvasSize - client);
}

struct AxisPlacement {
    int start, scrollMaximum;
};

AxisPlacement PlaceAxis(int client, int scroll, std::optional<int> followed)
{
    if (followed) {
        return {client / 2 - *followed, 0};
    }
    const int maximum = ScrollMaximum(client);
    if (maximum == 0) {
        return {client / 2 - kOriginPixel, 0};
    }
    return {-std::clamp(scroll, 0, maximum), maximum};
}

// Course and speed from an earth-centred velocity in 1/8 m/s.
void SetCourseAndSpeed(MapPosition& position, const GeodeticPosition& at, double vx, double vy, double vz)
{
    const NorthEast velocity = NorthEastOf(at, vx, vy, vz);
    // Adding 0 turns negative zeros into zeros: a receiver standing still heads 0, not 180 or -0.
    double course = std::atan2(velocity.east + 0.0, velocity.north + 0.0) * kDegreesPerRadian;
    if (course < 0.0) {
        course += 360.0;
    }
    position.course = course;
    position.speed = std::sqrt(velocity.north * velocity.north + velocity.east * velocity.east) * kVelocityUnit;
}

}  // namespace

MapPosition MapPositionOf(const NavBlock& nav)
{
    const GeodeticPosition geodetic = EcefToGeodetic(nav.x, nav.y, nav.z);
    MapPosition position{};
    position.latitude = geodetic.latitude * kDegreesPerRadian;
    position.longitude = geodetic.longitude * kDegreesPerRadian;
    position.height = geodetic.height;
    position.metresPerDegreeOfLongitude = std::cos(geodetic.latitude) * kMetresPerDegree;
    SetCourseAndSpeed(position, geodetic, nav.vx, nav.vy, nav.vz);
    return position;
}

MapPosition MapPositionOf(const ReceiverEpoch& epoch)
{
    if (epoch.binaryNav) {
        return MapPositionOf(*epoch.binaryNav);
    }
    const EpochPosition& at = *epoch.position;
    MapPosition position{};
    position.latitude = at.latitude;
    position.longitude = at.longitude;
    position.height = at.heightEllipsoid.value_or(at.altitudeMsl.value_or(0.0));
    position.course = epoch.velocity.course.value_or(0.0);
    position.speed = epoch.velocity.groundSpeed.value_or(0.0);
    position.metresPerDegreeOfLongitude = std::cos(at.latitude / kDegreesPerRadian) * kMetresPerDegree;
    return position;
}

CanvasPoint CanvasPointOf(const MapFrame& frame, const MapPosition& position)
{
    const double east =
        frame.pixelsPerMetre * position.metresPerDegreeOfLongitude * (position.longitude - frame.longitude);
    const double north = frame.pixelsPerMetre * (position.latitude - frame.latitude) * kMetresPerDegree;
    return {CanvasCoordinate(east), CanvasCoordinate(-std::trunc(north))};
}

int RingRadiusPixels(int metres, double pixelsPerMetre)
{
    const double pixels = std::trunc(metres * pixelsPerMetre);
    return pixels > 0.0 && pixels <= kWidestVisibleRing ? static_cast<int>(pixels) : 0;
}

void CRecentPoints::Add(CanvasPoint point)
{
    m_points[m_next] = point;
    m_next = (m_next + 1) % kSlots;
    if (m_count == kSlots) {
        m_oldest = m_next;  // the oldest was just overwritten
    } else {
        ++m_count;
    }
}

Rgb CRecentPoints::ColourAt(int index) const
{
    return kFadingColours[kSlots - m_count + index];
}

std::optional<CanvasPoint> CRecentPoints::Newest() const
{
    if (m_count == 0) {
        return std::nullopt;
    }
    return At(m_count - 1);
}

CanvasPlacement PlaceCanvas(int width, int height, int scrollX, int scrollY, std::optional<CanvasPoint> followed)
{
    const AxisPlacement x = PlaceAxis(width, scrollX, followed ? std::optional(followed->x) : std::nullopt);
    const AxisPlacement y = PlaceAxis(height, scrollY, followed ? std::optional(followed->y) : std::nullopt);
    return {x.start, y.start, x.scrollMaximum, y.scrollMaximum};
}

int KeptScroll(int oldClient, int oldScroll, int oldMaximum, int client)
{
    const int middle = oldMaximum == 0 ? kOriginPixel : oldClient / 2 + oldScroll;
    return std::clamp(middle - client / 2, 0, ScrollMaximum(client));
}

CepCircles CepCirclesOf(double cep50Metres, double cep95Metres, double pixelsPerMetre)
{
    // Larger than the canvas is no circle to see: it would only cross the corners, or nothing.
    const auto pixels = [pixelsPerMetre](double metres) {
        const double radius = std::trunc(metres * pixelsPerMetre);
        return radius > 0 && radius <= 2 * kCanvasSize ? static_cast<int>(radius) : 0;
    };
    return {pixels(cep50Metres), pixels(cep95Metres)};
}

bool IsMapOrigin(const MapFrame& frame, double latitude, double longitude)
{
    constexpr double kHalfMicroDegree = 5e-7;
    return std::fabs(latitude - frame.latitude) <= kHalfMicroDegree &&
           std::fabs(longitude - frame.longitude) <= kHalfMicroDegree;
}

}  // namespace kestrion
