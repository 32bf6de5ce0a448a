#pragma once
// The fixes of a run as a track: GPX 1.1, KML, or comma-separated values with their errors.
// Heights are above the WGS-84 ellipsoid.
#include <span>
#include <string>
#include <string_view>

#include "evaluation/AccuracyStatistics.h"
#include "evaluation/Fix.h"

namespace kestrion {

// Fixes further apart than this start a new track segment.
inline constexpr int64_t kSegmentGapHundredths = 1000;

// Each writes the file and gives false, with "Cannot write <path>: <reason>", when it cannot.

// One track named `name`, one segment per run of fixes without a gap over 10 s (or a step back
// in time); UTC times with the leap seconds of the date.
bool WriteGpx(const std::string& path, std::span<const CFix> fixes, std::string_view name, std::string& problem);

// One placemark named `name` with a line string through the fixes.
bool WriteKml(const std::string& path, std::span<const CFix> fixes, std::string_view name, std::string& problem);

// A heading line, then one line per fix: UTC time, latitude, longitude, height, the east,
// north and up errors of the same index (empty when missing or not a number), position mode,
// satellites, DOP.
bool WriteFixCsv(const std::string& path, std::span<const CFix> fixes, std::span<const EnuError> errors,
                 std::string& problem);

}  // namespace kestrion
