#pragma once
// WGS-84 geodetic positions and local east/north/up offsets in earth-centred coordinates; the
// way back from earth-centred coordinates is in synth/Geodetic.h.
#include <numbers>

namespace kestrion {

constexpr double Radians(double degrees)
{
    return degrees * std::numbers::pi / 180.0;
}

struct GeodeticPoint {
    double latitude;   // degrees, north positive
    double longitude;  // degrees, east positive
    double height;     // metres above the ellipsoid
};

struct EcefVector {
    double x, y, z;  // metres or metres per second
};

EcefVector GeodeticToEcef(const GeodeticPoint& point);

// Moves the point by east/north/up metres.
GeodeticPoint OffsetLocal(const GeodeticPoint& point, double east, double north, double up);

// A local east/north/up vector at the point expressed in earth-centred axes.
EcefVector LocalToEcef(const GeodeticPoint& at, double east, double north, double up);

}  // namespace kestrion
