#pragma once
// GPS week and time of week: as UTC calendar time, and counted on.
#include <cstdint>

#include "protocol/CommandPayload.h"

namespace kestrion {

inline constexpr uint32_t kGpsWeekHundredths = 60480000;  // a real week, 1/100 s
inline constexpr int kGpsLeapSeconds = 13;                // GPS - UTC in 1999..2005

struct UtcTime {
    int year, month, day;
    int hour, minute, second;
};

UtcTime GpsToUtc(uint16_t week, uint32_t towHundredths);

// The GPS time `seconds` after the start, into the following weeks.
GpsTime GpsTimeAfter(GpsTime start, int seconds);

}  // namespace kestrion
