#pragma once
// One receiver epoch as one JSON object on one line, for scripts.
#include <string>

#include "epoch/ReceiverEpoch.h"

namespace kestrion {

// {"time":..., "fix":..., "lat":..., "lon":..., "alt":..., "speed":..., "course":..., "hdop":...,
// "vdop":..., "pdop":..., "used":..., "satellites":[...]} and "err" when the receiver estimated
// its errors; unknown values are null. No line end.
std::string EpochJsonLine(const ReceiverEpoch& epoch);

}  // namespace kestrion
