#include <cmath>

#include <gtest/gtest.h>

#include "geo/Geodetic.h"

namespace kestrion {
namespace {

TEST(Geodetic, GivesBackThePositionAnEcefPointWasMadeFrom)
{
    constexpr double a = 6378137.0, e2 = 0.0066943799901413165;
    const double cases[][3] = {{45, 10, 100},     {-33.85, 151.21, 58}, {0, 0, 0},          {0, -179.5, 0},
                               {89.9, -120, 3000}, {-60, -75, -20},      {12.5, 77.6, 20000}};
    for (const auto& [latitude, longitude, height] : cases) {
        const double phi = latitude / kDegreesPerRadian, lambda = longitude / kDegreesPerRadian;
        const double n = a / std::sqrt(1 - e2 * std::sin(phi) * std::sin(phi));
        const GeodeticPosition p = EcefToGeodetic((n + height) * std::cos(phi) * std::cos(lambda),
                                                  (n + height) * std::cos(phi) * std::sin(lambda),
                                                  (n * (1 - e2) + height) * std::sin(phi));
        EXPECT_NEAR(p.latitude * kDegreesPerRadian, latitude, 1e-9);
        EXPECT_NEAR(p.longitude * kDegreesPerRadian, longitude, 1e-9);
        EXPECT_NEAR(p.height, height, 1e-3);
    }
}

TEST(Geodetic, SplitsAVectorIntoNorthAndEastAndMeasuresOffsetsOnTheLocalPlane)
{
    // At latitude 0, longitude 90 degrees: north is +Z, east is -X.
    const GeodeticPosition at{0.0, 90.0 / kDegreesPerRadian, 0.0};
    const NorthEast up = NorthEastOf(at, 0, 0, 8);
    EXPECT_NEAR(up.north, 8, 1e-12);
    EXPECT_NEAR(up.east, 0, 1e-12);
    const NorthEast west = NorthEastOf(at, 5, 0, 0);
    EXPECT_NEAR(west.north, 0, 1e-12);
    EXPECT_NEAR(west.east, -5, 1e-12);

    // At 60 degrees north a degree of longitude is half a degree of latitude.
    const GeodeticPosition from{60.0 / kDegreesPerRadian, 10.0 / kDegreesPerRadian, 0.0};
    const GeodeticPosition to{60.001 / kDegreesPerRadian, 10.002 / kDegreesPerRadian, 0.0};
    const NorthEast offset = LocalOffset(from, to);
    EXPECT_NEAR(offset.north, 111.199233, 1e-6);
    EXPECT_NEAR(offset.east, 111.199233, 1e-6);
}

}  // namespace
}  // namespace kestrion
