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

TEST(GpsFromUtc, GoesBackToTheSameUtcAcrossLeapSecondEras)
{
    struct Case {
        int year, month, day;
        int64_t millisecond;
    };
    for (const Case c : {Case{1980, 1, 6, 0}, Case{2005, 12, 31, 86399000}, Case{2012, 3, 22, 40977000},
                         Case{2022, 3, 29, 2312000}, Case{2026, 12, 10, 61234560}}) {
        const GpsTime gps = GpsFromUtc(c.year, c.month, c.day, c.millisecond);
        const UtcStamp back = UtcFromGps(gps.week, gps.towHundredths);
        EXPECT_EQ(back.time.year, c.year);
        EXPECT_EQ(back.time.month, c.month);
        EXPECT_EQ(back.time.day, c.day);
        EXPECT_EQ(((back.time.hour * 60 + back.time.minute) * 60 + back.time.second) * 1000 + back.hundredths * 10,
                  c.millisecond);
    }
    // 2017 on, GPS runs 18 s ahead of UTC.
    const GpsTime gps = GpsFromUtc(2022, 3, 29, 0);
    const GpsTime midnight = GpsFromUtc(2022, 3, 27, 0);  // the Sunday that starts the week
    EXPECT_EQ(gps.week, midnight.week);
    EXPECT_EQ(gps.towHundredths, 2 * 86400 * 100 + 1800);
}

}  // namespace
}  // namespace kestrion
