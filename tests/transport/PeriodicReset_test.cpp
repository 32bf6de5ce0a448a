#include "transport/PeriodicReset.h"

#include <gtest/gtest.h>

namespace kestrion {
namespace {

constexpr std::time_t kSunday = 1699142400;  // Sun Nov  5 00:00:00 2023 UTC, GPS week 2287

TEST(InitValuesOf, TimeComesFromTheStoreOrThePcClockAndAFactoryResetCarriesNoMessageFlags)
{
    struct Case {
        int useDosTime;
        std::time_t now;
        int resetMode;
        int raw, debug;
        uint16_t week;
        uint32_t tow;
        uint8_t flags;
    };
    const Case cases[] = {
        {0, kSunday, 2, 0, 0, 1100, 34560000, 0x03},  // the stored time, already in 10 ms units
        {1, kSunday - 1, 3, 0, 1, 2286, 60479900, 0x24},
        {1, kSunday, 3, 1, 0, 2287, 0, 0x14},  // Sunday starts the new week
        {1, kSunday + 3 * 86400 + 3661, 1, 1, 1, 2287, 26286100, 0x32},
        {0, kSunday, 4, 1, 1, 1100, 34560000, 0x08},
    };
    for (const Case& c : cases) {
        Settings settings;
        settings.initX = -2682000;
        settings.initY = 4306000;
        settings.initZ = -1;
        settings.initClock = 96000;
        settings.initWeek = 1100;
        settings.initTow = 34560000;
        settings.channels = 8;
        settings.useDosTime = c.useDosTime;
        settings.resetMode = c.resetMode;
        settings.enableRawTrackMessages = c.raw;
        settings.enableDebugMessages = c.debug;
        const InitValues values = InitValuesOf(settings, c.now);
        EXPECT_EQ(values.week, c.week) << c.now;
        EXPECT_EQ(values.towHundredths, c.tow) << c.now;
        EXPECT_EQ(values.resetFlags, c.flags) << c.resetMode;
        EXPECT_EQ(values.x, -2682000);
        EXPECT_EQ(values.y, 4306000);
        EXPECT_EQ(values.z, -1);
        EXPECT_EQ(values.clock, 96000);
        EXPECT_EQ(values.channels, 8);
    }
}

}  // namespace
}  // namespace kestrion
