#include "views/MapGeometry.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "epoch/ReceiverEpoch.h"
#include "protocol/MessageLayouts.h"

namespace kestrion {
namespace {

// Far pans stay within an int.
constexpr double kFarPixels = 1e7;

constexpr std::array<Rgb, kRecentPoints> kFadingColours = {{
    kOldPointColour, {32, 0, 220}, {64, 0, 160}, {96, 0, 140}, {120, 0, 120}, {160, 0, 32}, {220, 0, 20}, {255, 0, 0},
}};

// The origin pixel plus a truncated offset, onto a canvas `size` pixels across. Compared as a
// double so that positions far away (or an unusable scale) never overflow an int.
int CanvasCoordinate(int origin, double offset, int size)
{
    const double value = origin + std::trunc(offset);
    if (!(value >= 1.0)) {
        return 0;
    }
    const int last = size - 1;
    return value >= last ? last : static_cast<int>(value);
}

int ScrollMaximum(int client, int canvas = kCanvasSize)
{
    return std::max(0, canvas - client);
}

struct AxisPlacement {
    int start, scrollMaximum;
};

AxisPlacement PlaceAxis(int client, int scroll, std::optional<int> followed, int canvas)
{
    if (followed) {
        return {client / 2 - *followed, 0};
    }
    const int maximum = ScrollMaximum(client, canvas);
    if (maximum == 0) {
        return {client / 2 - canvas / 2, 0};
    }
    return {-std::clamp(scroll, 0, maximum), maximum};
}

// The 1, 2 or 5 times a power of ten nearest below (or at) `value`.
double StepAtOrBelow(double value)
{
    const double decade = std::pow(10.0, std::floor(std::log10(value)));
    for (const double step : {5.0, 2.0, 1.0}) {
        if (step * decade <= value * (1 + 1e-9)) {
            return step * decade;
        }
    }
    return decade;
}

// The wheel's steps between the smallest and the largest scale.
std::vector<double> ZoomSteps()
{
    std::vector<double> steps{kSmallestScale};
    for (double decade = 0.1; decade < kLargestScale * 10; decade *= 10) {
        for (const double step : {1.0, 2.0, 5.0}) {
            const double scale = std::round(step * decade * 100) / 100;
            if (scale > kSmallestScale && scale <= kLargestScale) {
                steps.push_back(scale);
            }
        }
    }
    return steps;
}

// Course and speed from an earth-centred velocity in the navigation message's counts.
void SetCourseAndSpeed(MapPosition& position, const GeodeticPosition& at, double vx, double vy, double vz)
{
    const NorthEast velocity = NorthEastOf(at, vx, vy, vz);
    // Adding 0 turns negative zeros into zeros: a receiver standing still heads 0, not 180 or -0.
    double course = std::atan2(velocity.east + 0.0, velocity.north + 0.0) * kDegreesPerRadian;
    if (course < 0.0) {
        course += 360.0;
    }
    position.course = course;
    position.speed =
        fields::kNavVelocity[0].Scaled(std::sqrt(velocity.north * velocity.north + velocity.east * velocity.east));
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

GroundPoint GroundOf(const MapFrame& frame, const MapPosition& position)
{
    return {position.metresPerDegreeOfLongitude * (position.longitude - frame.longitude),
            (position.latitude - frame.latitude) * kMetresPerDegree};
}

CanvasFrame SizedFrame(CanvasFrame frame, int clientWidth, int clientHeight)
{
    frame.width = std::max(kCanvasSize, clientWidth);
    frame.height = std::max(kCanvasSize, clientHeight);
    return frame;
}

CanvasFrame FollowingFrame(CanvasFrame frame, int clientWidth, int clientHeight, GroundPoint newest)
{
    frame = SizedFrame(frame, clientWidth * 3 / 2, clientHeight * 3 / 2);
    const double right = (newest.east - frame.centre.east) * frame.pixelsPerMetre;
    const double down = (frame.centre.north - newest.north) * frame.pixelsPerMetre;
    if (!(std::fabs(right) <= clientWidth / 4) || !(std::fabs(down) <= clientHeight / 4)) {
        frame.centre = newest;
    }
    return frame;
}

CanvasPoint OriginPixel(const CanvasFrame& frame)
{
    const auto offset = [&frame](double metres) {
        const double pixels = std::round(metres * frame.pixelsPerMetre);
        return std::isnan(pixels) ? 0 : static_cast<int>(std::clamp(pixels, -kFarPixels, kFarPixels));
    };
    return {frame.width / 2 - offset(frame.centre.east), frame.height / 2 + offset(frame.centre.north)};
}

CanvasPoint CanvasPointOf(const CanvasFrame& frame, GroundPoint ground)
{
    const CanvasPoint origin = OriginPixel(frame);
    const double north = frame.pixelsPerMetre * ground.north;
    return {CanvasCoordinate(origin.x, frame.pixelsPerMetre * ground.east, frame.width),
            CanvasCoordinate(origin.y, -std::trunc(north), frame.height)};
}

GroundPoint GroundAt(const CanvasFrame& frame, double x, double y)
{
    return {frame.centre.east + (x - frame.width / 2) / frame.pixelsPerMetre,
            frame.centre.north - (y - frame.height / 2) / frame.pixelsPerMetre};
}

int RingRadiusPixels(int metres, double pixelsPerMetre, double reach)
{
    const double pixels = std::trunc(metres * pixelsPerMetre);
    return pixels > 0.0 && pixels <= reach ? static_cast<int>(pixels) : 0;
}

double CanvasReach(const CanvasFrame& frame)
{
    const CanvasPoint origin = OriginPixel(frame);
    const double across = std::max(origin.x, frame.width - origin.x);
    const double down = std::max(origin.y, frame.height - origin.y);
    // The smallest canvas keeps the reach it always had: a little more than its corners.
    return std::max(std::hypot(across, down), kSmallestCanvasReach);
}

std::string DistanceText(int metres)
{
    constexpr int kMetresPerKilometre = 1000;
    if (metres >= kMetresPerKilometre && metres % kMetresPerKilometre == 0) {
        return std::to_string(metres / kMetresPerKilometre) + " km";
    }
    return std::to_string(metres) + " m";
}

std::vector<RingLabel> RingLabelsOf(const CanvasFrame& frame, const std::array<int, 3>& ringMetres, int lineHeight)
{
    constexpr int kGap = 2;  // from the axis and from the ring
    std::array<int, 3> widestFirst = ringMetres;
    std::ranges::sort(widestFirst, std::greater<>());
    const CanvasPoint origin = OriginPixel(frame);
    const double reach = CanvasReach(frame);
    std::vector<RingLabel> labels;
    int lastRadius = 0;
    for (const int metres : widestFirst) {
        const int radius = RingRadiusPixels(metres, frame.pixelsPerMetre, reach);
        if (radius == 0 || (!labels.empty() && lastRadius - radius < lineHeight)) {
            continue;
        }
        labels.push_back({metres, {origin.x + kGap + 1, origin.y - radius - kGap}});
        lastRadius = radius;
    }
    return labels;
}

ScaleBar ScaleBarOf(double pixelsPerMetre, int width)
{
    constexpr int kShortest = 40;
    if (!(pixelsPerMetre > 0.0) || std::isinf(pixelsPerMetre)) {
        return {};
    }
    const int longest = std::max(width / 4, kShortest);
    const double metres = std::max(1.0, StepAtOrBelow(longest / pixelsPerMetre));
    return {static_cast<int>(metres), static_cast<int>(std::lround(metres * pixelsPerMetre))};
}

double ZoomedScale(double scale, int steps)
{
    static const std::vector<double> kSteps = ZoomSteps();
    if (!(scale >= kSmallestScale)) {
        scale = kSmallestScale;
    }
    scale = std::min(scale, kLargestScale);
    constexpr double kSame = 1e-9;
    for (; steps > 0; --steps) {  // closer: the next step below
        const auto below =
            std::find_if(kSteps.rbegin(), kSteps.rend(), [scale](double step) { return step < scale * (1 - kSame); });
        scale = below == kSteps.rend() ? kSmallestScale : *below;
    }
    for (; steps < 0; ++steps) {  // farther: the next step above
        const auto above = std::ranges::find_if(kSteps, [scale](double step) { return step > scale * (1 + kSame); });
        scale = above == kSteps.end() ? kLargestScale : *above;
    }
    return scale;
}

GroundPoint ZoomedCentre(const CanvasFrame& frame, double pixelsPerMetre, double x, double y)
{
    const GroundPoint held = GroundAt(frame, x, y);
    return {held.east - (x - frame.width / 2) / pixelsPerMetre, held.north + (y - frame.height / 2) / pixelsPerMetre};
}

GroundPoint PannedCentre(const CanvasFrame& frame, int dx, int dy)
{
    return {frame.centre.east - dx / frame.pixelsPerMetre, frame.centre.north + dy / frame.pixelsPerMetre};
}

Rgb RecentColour(int index, int count)
{
    return kFadingColours[static_cast<size_t>(kRecentPoints - count + index)];
}

CanvasPlacement PlaceCanvas(int width, int height, int scrollX, int scrollY, std::optional<CanvasPoint> followed,
                            int canvasWidth, int canvasHeight)
{
    const AxisPlacement x =
        PlaceAxis(width, scrollX, followed ? std::optional(followed->x) : std::nullopt, canvasWidth);
    const AxisPlacement y =
        PlaceAxis(height, scrollY, followed ? std::optional(followed->y) : std::nullopt, canvasHeight);
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
