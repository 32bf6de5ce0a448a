#pragma once
// The position the accuracy figures are measured against: the matched truth record of each
// fix, a fixed point from the settings, or the running mean of the fixes.
#include <string>
#include <string_view>

#include "platform/Profile.h"
#include "geo/Geodesy.h"

namespace kestrion {

enum class ReferenceKind { Truth, Fixed, RunningMean };

struct AccuracyReference {
    ReferenceKind kind = ReferenceKind::RunningMean;
    GeodeticPoint fixed{};  // the fixed reference
};

// How the figures name their reference: "truth", "fixed reference", "running mean of the fixes".
std::string_view ReferenceKindText(ReferenceKind kind);

// The truth feed when one is in use; else the fixed point of section "Statistics" ("Ref Lat",
// "Ref Lon" in degrees, "Ref Alt" in metres, 0 when empty) when latitude and longitude are
// both given; else the running mean. A value that is not a number, or out of range, falls back
// to the running mean and says why in `problem`.
AccuracyReference LoadAccuracyReference(const CProfile& profile, bool truthInUse, std::string& problem);

// Stores a fixed point in section "Statistics", to nine decimals of a degree and centimetres.
void SaveAccuracyReference(const CProfile& profile, const GeodeticPoint& point);

}  // namespace kestrion
