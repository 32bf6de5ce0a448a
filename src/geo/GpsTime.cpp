#include "geo/GpsTime.h"

namespace kestrion {
namespace {

constexpr int64_t kGpsEpochUnixDays = 3657;  // 1980-01-06

// Days since 1970-01-01 to the proleptic Gregorian date.
void CivilFromDays(int64_t days, int& year, int& month, int& day)
{
    days += 719468;
    const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const int64_t dayOfEra = days - era * 146097;
    const int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t monthIndex = (5 * dayOfYear + 2) / 153;
    day = static_cast<int>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
    month = static_cast<int>(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
    year = static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
}

}  // namespace

UtcTime GpsToUtc(uint16_t week, uint32_t towHundredths)
{
    return UtcAt(int64_t{week} * 604800 + towHundredths / 100 - kGpsLeapSeconds);
}

UtcTime UtcAt(int64_t seconds)
{
    const int64_t days = (seconds >= 0 ? seconds : seconds - 86399) / 86400;
    const int64_t secondOfDay = seconds - days * 86400;

    UtcTime utc{};
    CivilFromDays(kGpsEpochUnixDays + days, utc.year, utc.month, utc.day);
    utc.hour = static_cast<int>(secondOfDay / 3600);
    utc.minute = static_cast<int>(secondOfDay / 60 % 60);
    utc.second = static_cast<int>(secondOfDay % 60);
    return utc;
}

GpsTime GpsTimeOf(std::time_t utc)
{
    constexpr std::time_t kGpsEpoch = 315964800;  // 1980-01-06 00:00:00 UTC, a Sunday
    constexpr std::time_t kWeek = 7 * 86400;
    const std::time_t since = utc - kGpsEpoch;
    std::time_t week = since / kWeek;
    std::time_t second = since % kWeek;
    if (second < 0) {
        second += kWeek;
        --week;
    }
    return {static_cast<uint16_t>(week), static_cast<uint32_t>(second * 100)};
}

GpsTime GpsTimeAfter(GpsTime start, int seconds)
{
    const uint64_t total = uint64_t{start.towHundredths} + uint64_t(seconds) * 100;
    return {static_cast<uint16_t>(start.week + total / kGpsWeekHundredths),
            static_cast<uint32_t>(total % kGpsWeekHundredths)};
}

}  // namespace kestrion
