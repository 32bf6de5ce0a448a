#pragma once
// The fixes of a run as a track: GPX 1.1, KML, or comma-separated values with their errors.
// Heights are above the WGS-84 ellipsoid.
#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "evaluation/AccuracyStatistics.h"
#include "evaluation/Fix.h"

namespace kestrion {

// Fixes further apart than this start a new track segment.
inline constexpr int64_t kSegmentGapHundredths = 1000;

// The fixes to write, in order, each with its error (not a number when it has none): the
// sequence calls the visit for each and gives why it could not give them all, or nothing.
using FixVisit = std::function<void(const Fix& fix, const EnuError& error)>;
using FixSequence = std::function<std::string(const FixVisit& visit)>;

// Fixes in memory, with the errors of the same index (none past their end).
FixSequence SequenceOf(std::span<const Fix> fixes, std::span<const EnuError> errors = {});

// Each writes the file and gives false, with "Cannot write <path>: <reason>" (or the
// sequence's reason), when it cannot.

// One track named `name`, one segment per run of fixes without a gap over 10 s (or a step back
// in time); UTC times with the leap seconds of the date.
bool WriteGpx(const std::string& path, const FixSequence& fixes, std::string_view name, std::string& problem);

// One placemark named `name` with a line string through the fixes.
bool WriteKml(const std::string& path, const FixSequence& fixes, std::string_view name, std::string& problem);

// A heading line, then one line per fix: UTC time, latitude, longitude, height, the east,
// north and up errors (empty when not a number), position mode, satellites, DOP.
bool WriteFixCsv(const std::string& path, const FixSequence& fixes, std::string& problem);

inline bool WriteGpx(const std::string& path, std::span<const Fix> fixes, std::string_view name, std::string& problem)
{
    return WriteGpx(path, SequenceOf(fixes), name, problem);
}

inline bool WriteKml(const std::string& path, std::span<const Fix> fixes, std::string_view name, std::string& problem)
{
    return WriteKml(path, SequenceOf(fixes), name, problem);
}

inline bool WriteFixCsv(const std::string& path, std::span<const Fix> fixes, std::span<const EnuError> errors,
                        std::string& problem)
{
    return WriteFixCsv(path, SequenceOf(fixes, errors), problem);
}

}  // namespace kestrion
