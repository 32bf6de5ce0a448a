#pragma once
// GPS week and time of week: as UTC calendar time, and counted on.
#include <cstdint>
#include <ctime>

namespace kestrion {

// GPS week and time of week (10 ms units).
struct GpsTime {
    uint16_t week;
    uint32_t towHundredths;
};

inline constexpr uint32_t kGpsWeekHundredths = 60480000;  // a real week, 1/100 s
inline constexpr int kGpsLeapSeconds = 13;                // GPS - UTC in 1999..2005

struct UtcTime {
    int year, month, day;
    int hour, minute, second;
};

UtcTime GpsToUtc(uint16_t week, uint32_t towHundredths);

// The calendar time `seconds` UTC seconds (leap seconds not counted) after the GPS epoch,
// 1980-01-06 00:00:00.
UtcTime UtcAt(int64_t seconds);

// The GPS week and time of week of a UTC time, counted from 1980-01-06 00:00 with Sunday as
// day 0; no leap seconds.
GpsTime GpsTimeOf(std::time_t utc);

// The GPS time `seconds` after the start, into the following weeks.
GpsTime GpsTimeAfter(GpsTime start, int seconds);

}  // namespace kestrion
