#include "geo/GpsUtc.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace kestrion {
namespace {

struct LeapStep {
    int year, month;  // the offset holds from the first of this month, 00:00:00 UTC
    int offset;       // GPS - UTC from then on
};

// Every leap second since the GPS epoch (IERS bulletins; none announced after 2016-12-31).
constexpr std::array<LeapStep, 18> kLeapSteps = {{
    {1981, 7, 1},  {1982, 7, 2},  {1983, 7, 3},  {1985, 7, 4},  {1988, 1, 5},  {1990, 1, 6},
    {1991, 1, 7},  {1992, 7, 8},  {1993, 7, 9},  {1994, 7, 10}, {1996, 1, 11}, {1997, 7, 12},
    {1999, 1, 13}, {2006, 1, 14}, {2009, 1, 15}, {2012, 7, 16}, {2015, 7, 17}, {2017, 1, 18},
}};

// Days from the GPS epoch (1980-01-06) to the first of the month.
constexpr int64_t DaysToMonth(int year, int month)
{
    const int y = month <= 2 ? year - 1 : year;
    const int era = y / 400;
    const int yearOfEra = y - era * 400;
    const int dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5;
    const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return int64_t{era} * 146097 + dayOfEra - 719468 - 3657;
}

// The GPS second at which each offset starts: the UTC midnight plus the new offset.
constexpr std::array<int64_t, kLeapSteps.size()> StepStarts()
{
    std::array<int64_t, kLeapSteps.size()> starts{};
    for (size_t i = 0; i < kLeapSteps.size(); ++i) {
        starts[i] = DaysToMonth(kLeapSteps[i].year, kLeapSteps[i].month) * 86400 + kLeapSteps[i].offset;
    }
    return starts;
}

constexpr std::array<int64_t, kLeapSteps.size()> kStepStarts = StepStarts();
static_assert(DaysToMonth(1980, 1) == -5);

}  // namespace

int LeapSecondsAt(int64_t gpsSeconds)
{
    const auto after = std::upper_bound(kStepStarts.begin(), kStepStarts.end(), gpsSeconds);
    return after == kStepStarts.begin() ? 0 : kLeapSteps[static_cast<size_t>(after - kStepStarts.begin() - 1)].offset;
}

UtcStamp UtcFromGps(uint16_t week, uint32_t towHundredths)
{
    const int64_t gps = int64_t{week} * 604800 + towHundredths / 100;
    const int offset = LeapSecondsAt(gps);
    // The second before an offset starts is the inserted 23:59:60 of the day before.
    const bool inserted = LeapSecondsAt(gps + 1) != offset;
    UtcStamp stamp{UtcAt(gps - offset - (inserted ? 1 : 0)), static_cast<int>(towHundredths % 100)};
    if (inserted) {
        stamp.time.second = 60;
    }
    return stamp;
}

GpsTime GpsFromUtc(int year, int month, int day, int64_t millisecondOfDay)
{
    const int64_t utc = (DaysToMonth(year, month) + day - 1) * 86400 + millisecondOfDay / 1000;
    const int64_t gps = utc + LeapSecondsAt(utc + LeapSecondsAt(utc));
    const int64_t hundredths = gps * 100 + millisecondOfDay % 1000 / 10;
    constexpr int64_t kWeek = int64_t{kGpsWeekHundredths};
    if (hundredths < 0) {
        return {0, 0};
    }
    return {static_cast<uint16_t>(hundredths / kWeek), static_cast<uint32_t>(hundredths % kWeek)};
}

std::string IsoText(const UtcStamp& stamp)
{
    char text[32];
    const UtcTime& t = stamp.time;
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d.%02dZ", t.year, t.month, t.day, t.hour, t.minute,
                  t.second, stamp.hundredths);
    return text;
}

}  // namespace kestrion
