#include "app/ExportTrack.h"

#include <gtest/gtest.h>

namespace kestrion {
namespace {

TEST(ExportTrack, TheExtensionChoosesTheFormatAndAnyOtherNameGetsGpx)
{
    EXPECT_EQ(TrackFormatOf("/tmp/drive.kml"), TrackFormat::Kml);
    EXPECT_EQ(TrackFormatOf("DRIVE.KML"), TrackFormat::Kml);
    EXPECT_EQ(TrackFormatOf("fixes.Csv"), TrackFormat::Csv);
    EXPECT_EQ(TrackFormatOf("drive.gpx"), TrackFormat::Gpx);
    EXPECT_EQ(TrackFormatOf("drive"), TrackFormat::Gpx);
    EXPECT_EQ(TrackFormatOf("kml"), TrackFormat::Gpx);
    EXPECT_EQ(TrackFormatOf("drive.kml.txt"), TrackFormat::Gpx);
}

}  // namespace
}  // namespace kestrion
