#pragma once
// The receiver's NMEA output for one second: GGA, RMC, GSA and GSV sentences, each "$", body,
// "*hh", CR LF.
#include <span>
#include <string>
#include <vector>

#include "synth/GnssSky.h"
#include "synth/ReceiverState.h"

namespace kestrion {

inline constexpr double kGeoidSeparation = 47.6;  // metres, ellipsoid above mean sea level

std::vector<std::string> NmeaSentences(const ReceiverSecond& second);

// The NMEA 4.11 output of a receiver of several systems for one second: GNGGA, GNRMC, GNGNS,
// a GNGSA per system, each system's GSV group and GNGST. `satellites` are those of `systems`.
std::vector<std::string> MultiGnssSentences(const ReceiverSecond& second, std::span<const GnssSatellite> satellites,
                                            std::span<const SkySystem> systems);

}  // namespace kestrion
