#pragma once
// Earth-centred, earth-fixed positions as latitude, longitude and height on WGS-84, and the
// local north and east directions at such a position.

namespace kestrion {

struct GeodeticPosition {
    double latitude;   // radians
    double longitude;  // radians
    double height;     // metres
};

struct NorthEast {
    double north;
    double east;
};

// The WGS-84 ellipsoid.
inline constexpr double kWgs84SemiMajorAxis = 6378137.0;
inline constexpr double kWgs84EccentricitySquared = 0.0066943799901413165;

inline constexpr double kDegreesPerRadian = 57.29577951308232;
// Metres per degree of latitude; of longitude, this times the cosine of the latitude.
inline constexpr double kMetresPerDegree = 111199.233;

// Three Newton steps from the eccentricity; on the polar axis the latitude is +-90 degrees and
// the longitude 0.
GeodeticPosition EcefToGeodetic(double x, double y, double z);

// The north and east components of an earth-centred vector at the position, in its units.
NorthEast NorthEastOf(const GeodeticPosition& at, double x, double y, double z);

// The up component of an earth-centred vector at the position, in its units.
double UpOf(const GeodeticPosition& at, double x, double y, double z);

// Metres north and east from `from` to `to` on the local plane at `from`.
NorthEast LocalOffset(const GeodeticPosition& from, const GeodeticPosition& to);

}  // namespace kestrion
