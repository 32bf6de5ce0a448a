#pragma once
// The texts of the map view's status bar: the fix block of a measured navigation record, and
// the position block of any navigation record.
#include <string>

#include "views/MapGeometry.h"

namespace kestrion {

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

}  // namespace kestrion
