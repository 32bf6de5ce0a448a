#include "geo/Geodesy.h"

#include <gtest/gtest.h>

#include <cmath>

namespace kestrion {
namespace {

double Distance(const EcefVector& a, const EcefVector& b)
{
    return std::hypot(a.x - b.x, a.y - b.y, a.z - b.z);
}

TEST(Geodesy, PlacesTheEquatorAndThePoleOnTheEllipsoid)
{
    EXPECT_LT(Distance(GeodeticToEcef({0.0, 0.0, 0.0}), {6378137.0, 0.0, 0.0}), 1e-6);
    EXPECT_LT(Distance(GeodeticToEcef({0.0, 90.0, 100.0}), {0.0, 6378237.0, 0.0}), 1e-6);
    EXPECT_LT(Distance(GeodeticToEcef({90.0, 0.0, 0.0}), {0.0, 0.0, 6356752.314245}), 1e-6);
}

TEST(Geodesy, AnOffsetPointLiesWhereTheLocalVectorPoints)
{
    const GeodeticPoint munich{48.137430, 11.575490, 567.0};
    for (const EcefVector& enu : {EcefVector{300.0, 0.0, 0.0}, EcefVector{0.0, -300.0, 0.0},
                                  EcefVector{0.0, 0.0, 40.0}, EcefVector{120.0, 250.0, -15.0}}) {
        const EcefVector from = GeodeticToEcef(munich);
        const EcefVector to = GeodeticToEcef(OffsetLocal(munich, enu.x, enu.y, enu.z));
        const EcefVector step = LocalToEcef(munich, enu.x, enu.y, enu.z);
        // The local plane leaves the earth by d^2 / 2r, r the parallel's radius going east: about
        // 1 cm at 300 m here.
        EXPECT_LT(Distance({to.x - from.x, to.y - from.y, to.z - from.z}, step), 0.015)
            << enu.x << " " << enu.y << " " << enu.z;
        EXPECT_NEAR(std::hypot(step.x, step.y, step.z), std::hypot(enu.x, enu.y, enu.z), 1e-9);
    }
}

}  // namespace
}  // namespace kestrion
