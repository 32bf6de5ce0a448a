#pragma once
// GPS time as UTC with the leap seconds in force at the date.
#include <cstdint>
#include <string>

#include "geo/GpsTime.h"

namespace kestrion {

struct UtcStamp {
    UtcTime time;  // second 60 during an inserted leap second
    int hundredths;
};

// GPS minus UTC, in seconds, at `gpsSeconds` after the GPS epoch: 0 before 1981-07-01, 18 from
// 2017-01-01 on.
int LeapSecondsAt(int64_t gpsSeconds);

// The UTC time of a GPS week (full week number, not wrapped at 1024) and time of week.
UtcStamp UtcFromGps(uint16_t week, uint32_t towHundredths);

// The GPS time of a UTC date and millisecond of the day (86400000 and on inside a leap second).
GpsTime GpsFromUtc(int year, int month, int day, int64_t millisecondOfDay);

// "2017-01-01T00:00:00.00Z".
std::string IsoText(const UtcStamp& stamp);

}  // namespace kestrion
