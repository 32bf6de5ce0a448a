#pragma once
// The receiver's NMEA output for one second: GGA, RMC, GSA and GSV sentences, each "$", body,
// "*hh", CR LF.
#include <string>
#include <string_view>
#include <vector>

#include "ReceiverState.h"

namespace kestrion {

inline constexpr double kGeoidSeparation = 47.6;  // metres, ellipsoid above mean sea level

std::string ReceiverSentence(std::string_view body);

std::vector<std::string> NmeaSentences(const ReceiverSecond& second);

}  // namespace kestrion
