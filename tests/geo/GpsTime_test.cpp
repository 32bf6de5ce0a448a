#include "geo/GpsTime.h"

#include <gtest/gtest.h>

#include <array>
#include <tuple>

namespace kestrion {
namespace {

TEST(GpsTime, UtcIsTheCalendarTimeLessTheLeapSeconds)
{
    struct Case {
        uint16_t week;
        uint32_t tow;
        UtcTime utc;
    };
    for (const Case& c : {Case{1250, 22722000, {2003, 12, 23, 15, 6, 47}},
                          Case{1250, 500, {2003, 12, 20, 23, 59, 52}},  // back over midnight
                          Case{1260, 4321300, {2004, 2, 29, 12, 0, 0}},  // a leap day
                          Case{0, 0, {1980, 1, 5, 23, 59, 47}}}) {       // before the GPS epoch
        const UtcTime utc = GpsToUtc(c.week, c.tow);
        EXPECT_EQ((std::array{utc.year, utc.month, utc.day, utc.hour, utc.minute, utc.second}),
                  (std::array{c.utc.year, c.utc.month, c.utc.day, c.utc.hour, c.utc.minute, c.utc.second}))
            << c.week << " " << c.tow;
    }
}

TEST(GpsTime, CountsOnIntoTheNextWeek)
{
    const GpsTime last{1250, kGpsWeekHundredths - 100};
    for (const auto& [seconds, week, tow] : {std::tuple{0, 1250, kGpsWeekHundredths - 100},
                                             std::tuple{1, 1251, 0u}, std::tuple{2, 1251, 100u},
                                             std::tuple{604801, 1252, 0u}}) {
        const GpsTime after = GpsTimeAfter(last, seconds);
        EXPECT_EQ(after.week, week) << seconds;
        EXPECT_EQ(after.towHundredths, tow) << seconds;
    }
}

}  // namespace
}  // namespace kestrion
