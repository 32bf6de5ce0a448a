#include "geo/GpsUtc.h"

#include <gtest/gtest.h>

namespace kestrion {
namespace {

constexpr int64_t kWeek = 604800;

TEST(GpsUtc, LeapSecondsStepAtTheirUtcMidnights)
{
    // Week 1930 begins at 2017-01-01 00:00:00 GPS, 17 s before 2016 ends in UTC.
    EXPECT_EQ(IsoText(UtcFromGps(1930, 0)), "2016-12-31T23:59:43.00Z");
    EXPECT_EQ(IsoText(UtcFromGps(1930, 1650)), "2016-12-31T23:59:59.50Z");
    EXPECT_EQ(IsoText(UtcFromGps(1930, 1725)), "2016-12-31T23:59:60.25Z");  // the inserted second
    EXPECT_EQ(IsoText(UtcFromGps(1930, 1800)), "2017-01-01T00:00:00.00Z");
    EXPECT_EQ(LeapSecondsAt(1930 * kWeek + 17), 17);
    EXPECT_EQ(LeapSecondsAt(1930 * kWeek + 18), 18);

    // The first leap second: 1981-07-01 00:00:00 UTC, GPS second 46828800 + 1.
    EXPECT_EQ(LeapSecondsAt(0), 0);
    EXPECT_EQ(LeapSecondsAt(46828800), 0);
    EXPECT_EQ(LeapSecondsAt(46828801), 1);
    EXPECT_EQ(IsoText(UtcFromGps(0, 0)), "1980-01-06T00:00:00.00Z");
    EXPECT_EQ(IsoText(UtcFromGps(77, 259200 * 100)), "1981-06-30T23:59:60.00Z");
    EXPECT_EQ(LeapSecondsAt(2400 * kWeek), 18);  // none since
}

TEST(GpsUtc, AgreesWithTheSimulatorsFixedOffsetWhileThirteenSecondsHeld)
{
    // 1999-01-01 to 2005-12-31: the years the synthetic receiver plays in.
    for (uint16_t week = 991; week <= 1355; week += 7) {
        for (uint32_t tow : {0u, 22722000u, 60479900u}) {
            const UtcTime fixed = GpsToUtc(week, tow);
            const UtcTime table = UtcFromGps(week, tow).time;
            EXPECT_EQ(std::tuple(fixed.year, fixed.month, fixed.day, fixed.hour, fixed.minute, fixed.second),
                      std::tuple(table.year, table.month, table.day, table.hour, table.minute, table.second))
                << week << " " << tow;
        }
    }
}

}  // namespace
}  // namespace kestrion
