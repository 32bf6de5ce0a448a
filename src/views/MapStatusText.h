#pragma once
// The texts of the map view's status bar: the fix block of a measured epoch, and the position
// block of any epoch with a position.
#include <string>

#include "views/MapGeometry.h"

namespace kestrion {

struct ReceiverEpoch;

struct MapFixTexts {
    std::string time, week, validity, dop, mode, fix, svs;
};

struct MapPositionTexts {
    // Text is in Latin-1: the heading ends in a degree sign.
    std::string latitude, longitude, altitude, heading, speed;
};

// The generation names the fix mode.
MapFixTexts FixTextsOf(const NavBlock& nav, int generation);
MapPositionTexts PositionTextsOf(const MapPosition& position);

// Binary epochs read their navigation block as above. Other epochs give the GPS time of week
// (else the UTC time of day), the week when known, the fix mode's name, the HDOP, the count
// and the RINEX names of the satellites used; validity is the binary protocol's alone.
MapFixTexts FixTextsOf(const ReceiverEpoch& epoch, int generation);
// Blank heading and speed when the source gives none. The epoch has a position.
MapPositionTexts PositionTextsOf(const ReceiverEpoch& epoch);

}  // namespace kestrion
