#pragma once
// Earth-centred, earth-fixed positions as latitude, longitude and height on WGS-84.

namespace kestrion {

struct GeodeticPosition {
    double latitude;   // radians
    double longitude;  // radians
    double height;     // metres
};

inline constexpr double kDegreesPerRadian = 57.29577951308232;

// Three Newton steps from the eccentricity; on the polar axis the latitude is +-90 degrees and
// the longitude 0.
GeodeticPosition EcefToGeodetic(double x, double y, double z);

}  // namespace kestrion
