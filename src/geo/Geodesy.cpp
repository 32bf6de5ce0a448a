#include "geo/Geodesy.h"

#include <cmath>
#include <numbers>

#include "geo/Geodetic.h"

namespace kestrion {
namespace {

constexpr double kSemiMajor = kWgs84SemiMajorAxis;
constexpr double kEccentricity2 = kWgs84EccentricitySquared;

// Prime vertical radius of curvature.
double PrimeVerticalRadius(double sinLat)
{
    return kSemiMajor / std::sqrt(1.0 - kEccentricity2 * sinLat * sinLat);
}

}  // namespace

EcefVector GeodeticToEcef(const GeodeticPoint& point)
{
    const double lat = Radians(point.latitude);
    const double lon = Radians(point.longitude);
    const double n = PrimeVerticalRadius(std::sin(lat));
    return {(n + point.height) * std::cos(lat) * std::cos(lon),
            (n + point.height) * std::cos(lat) * std::sin(lon),
            (n * (1.0 - kEccentricity2) + point.height) * std::sin(lat)};
}

GeodeticPoint OffsetLocal(const GeodeticPoint& point, double east, double north, double up)
{
    const double sinLat = std::sin(Radians(point.latitude));
    const double w2 = 1.0 - kEccentricity2 * sinLat * sinLat;
    const double meridian = kSemiMajor * (1.0 - kEccentricity2) / (w2 * std::sqrt(w2));
    const double prime = kSemiMajor / std::sqrt(w2);
    const double degrees = 180.0 / std::numbers::pi;
    return {point.latitude + north / (meridian + point.height) * degrees,
            point.longitude +
                east / ((prime + point.height) * std::cos(Radians(point.latitude))) * degrees,
            point.height + up};
}

EcefVector LocalToEcef(const GeodeticPoint& at, double east, double north, double up)
{
    const double sinLat = std::sin(Radians(at.latitude));
    const double cosLat = std::cos(Radians(at.latitude));
    const double sinLon = std::sin(Radians(at.longitude));
    const double cosLon = std::cos(Radians(at.longitude));
    return {-sinLon * east - sinLat * cosLon * north + cosLat * cosLon * up,
            cosLon * east - sinLat * sinLon * north + cosLat * sinLon * up,
            cosLat * north + sinLat * up};
}

}  // namespace kestrion
