#include "geo/Geodetic.h"

#include <cmath>
#include <numbers>

namespace kestrion {

GeodeticPosition EcefToGeodetic(double x, double y, double z)
{
    constexpr double a = kWgs84SemiMajorAxis;
    constexpr double e2 = kWgs84EccentricitySquared;
    constexpr double e4 = e2 * e2;
    const double p2 = x * x + y * y;
    const double p = p2 / (a * a);
    const double q = (1.0 - e2) * z * z / (a * a);
    const double m = p + q - e4;

    double u = e2;
    for (int step = 0; step < 3; ++step) {
        const double f = m * u * u + 2.0 * q * u * u * u + q * u * u * u * u - 2.0 * e4 * u - e4;
        const double slope = 2.0 * m * u + 6.0 * q * u * u + 4.0 * q * u * u * u - 2.0 * e4;
        u -= f / slope;
    }
    const double k = 1.0 + u;

    GeodeticPosition position{};
    if (x == 0.0 && y == 0.0) {
        position.latitude = z >= 0.0 ? std::numbers::pi / 2 : -std::numbers::pi / 2;
        position.longitude = 0.0;
    } else {
        position.latitude = std::atan2(k * z, std::sqrt(p2));
        position.longitude = std::atan2(y, x);
    }
    position.height = a * std::sqrt(z * z / (a * a) + p / (k * k)) * (1.0 - u * (1.0 - e2) / e2);
    return position;
}

NorthEast NorthEastOf(const GeodeticPosition& at, double x, double y, double z)
{
    const double sinLat = std::sin(at.latitude), cosLat = std::cos(at.latitude);
    const double sinLon = std::sin(at.longitude), cosLon = std::cos(at.longitude);
    return {-sinLat * cosLon * x - sinLat * sinLon * y + cosLat * z, -sinLon * x + cosLon * y};
}

double UpOf(const GeodeticPosition& at, double x, double y, double z)
{
    const double cosLat = std::cos(at.latitude);
    return cosLat * std::cos(at.longitude) * x + cosLat * std::sin(at.longitude) * y + std::sin(at.latitude) * z;
}

NorthEast LocalOffset(const GeodeticPosition& from, const GeodeticPosition& to)
{
    const double north = (to.latitude - from.latitude) * kDegreesPerRadian * kMetresPerDegree;
    const double east =
        (to.longitude - from.longitude) * kDegreesPerRadian * std::cos(from.latitude) * kMetresPerDegree;
    return {north, east};
}

}  // namespace kestrion
