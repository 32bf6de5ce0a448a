#pragma once
// Fixes at given east/north/up offsets from a point, for the evaluation tests.
#include <cmath>

#include "evaluation/Fix.h"
#include "geo/Geodesy.h"
#include "geo/Geodetic.h"

namespace kestrion::fakes {

inline constexpr GeodeticPoint kSite{51.4779, -0.0015, 45.0};

inline Fix FixAt(const GeodeticPoint& site, double east, double north, double up, uint32_t tow = 0)
{
    const EcefVector origin = GeodeticToEcef(site);
    const EcefVector offset = LocalToEcef(site, east, north, up);
    Fix fix;
    fix.week = 1250;
    fix.tow = tow;
    fix.x = origin.x + offset.x;
    fix.y = origin.y + offset.y;
    fix.z = origin.z + offset.z;
    const GeodeticPosition at = EcefToGeodetic(fix.x, fix.y, fix.z);
    fix.latitude = at.latitude * kDegreesPerRadian;
    fix.longitude = at.longitude * kDegreesPerRadian;
    fix.height = at.height;
    fix.mode = 4;
    fix.svCount = 7;
    fix.dop = 1.2;
    return fix;
}

}  // namespace kestrion::fakes
