#include "app/PlaybackPosition.h"

#include <gtest/gtest.h>

namespace kestrion {
namespace {

using Unit = ReplayPosition::Unit;

TEST(PlaybackPosition, RecordingTimeShowsMinutesAndHoursWhenTheTotalHasThem)
{
    EXPECT_EQ(PlaybackPositionText({Unit::Hundredths, 0, 6000}), "0:00 / 1:00");
    EXPECT_EQ(PlaybackPositionText({Unit::Hundredths, 6599, 60000}), "1:05 / 10:00");
    EXPECT_EQ(PlaybackPositionText({Unit::Hundredths, 223000, 8640000}), "0:37:10 / 24:00:00");
    EXPECT_EQ(PlaybackPositionText({Unit::Bytes, 12000, 48000}), "12000 / 48000 bytes");
}

TEST(PlaybackPosition, TheStatusTextsNameTheFileWithoutItsFolder)
{
    EXPECT_EQ(PlayingStatusText("/data/day/rec.bin", {Unit::Hundredths, 75400, 1440000}), "Playing rec.bin 12:34 / 4:00:00");
    EXPECT_EQ(PlayingStatusText("rec.bin", {Unit::Hundredths, 360000, 1440000}), "Playing rec.bin 1:00:00 / 4:00:00");
    EXPECT_EQ(PlayingStatusText("a/b.nmea", {Unit::Bytes, 12000, 48000}), "Playing b.nmea 12000 / 48000 bytes");
    EXPECT_EQ(PlayedToEndText("/data/rec.bin"), "rec.bin played to its end");
    EXPECT_EQ(RecordingStatusText("/media/usb/2024-05-01.bin"), "Recording to 2024-05-01.bin");
}

TEST(PlaybackPosition, TheSliderCoversTheRecordingAndAnEmptyOneStaysAtTheStart)
{
    EXPECT_EQ(SliderStepOf({Unit::Bytes, 0, 0}), 0);
    EXPECT_EQ(SliderStepOf({Unit::Bytes, 24000, 48000}), kSliderSteps / 2);
    EXPECT_EQ(SliderStepOf({Unit::Bytes, 50000, 48000}), kSliderSteps);
    EXPECT_EQ(PositionOfStep(kSliderSteps / 4, 48000), 12000);
    EXPECT_EQ(PositionOfStep(kSliderSteps + 5, 48000), 48000);
    EXPECT_EQ(PositionOfStep(-1, 48000), 0);
    // A day at 5 Hz in hundredths: no overflow.
    EXPECT_EQ(PositionOfStep(kSliderSteps, int64_t{8640000}), 8640000);
}

}  // namespace
}  // namespace kestrion
