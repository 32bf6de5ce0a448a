#include <cmath>

#include <gtest/gtest.h>

#include "views/Geodetic.h"

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

}  // namespace
}  // namespace kestrion
