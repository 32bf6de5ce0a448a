#pragma once
// The receiver's NMEA output for one second: GGA, RMC, GSA and GSV sentences, each "$", body,
// "*hh", CR LF.
#include <string>
#include <vector>

#include "synth/ReceiverState.h"

namespace kestrion {

inline constexpr double kGeoidSeparation = 47.6;  // metres, ellipsoid above mean sea level

std::vector<std::string> NmeaSentences(const ReceiverSecond& second);

}  // namespace kestrion
