#include "evaluation/TrackExport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>
#include <vector>

#include "support/TempFolder.h"
#include "EvaluationFixes.h"

namespace kestrion {
namespace {

using fakes::FixAt;
using fakes::kSite;

struct ReadPoint {
    double lat, lon, ele;
    std::string time;
};

// The track segments of a GPX text, as a reader of the format sees them.
std::vector<std::vector<ReadPoint>> ReadGpxSegments(const std::string& text)
{
    std::vector<std::vector<ReadPoint>> segments;
    const std::regex segment("<trkseg>([^]*?)</trkseg>");
    const std::regex point("<trkpt lat=\"([-0-9.]+)\" lon=\"([-0-9.]+)\"><ele>([-0-9.]+)</ele><time>([^<]+)</time>");
    for (std::sregex_iterator s(text.begin(), text.end(), segment), end; s != end; ++s) {
        const std::string body = (*s)[1];
        auto& points = segments.emplace_back();
        for (std::sregex_iterator p(body.begin(), body.end(), point); p != end; ++p) {
            points.push_back({std::stod((*p)[1]), std::stod((*p)[2]), std::stod((*p)[3]), (*p)[4]});
        }
    }
    return segments;
}

// Whether xmllint finds the file well-formed; skips the test when the tool is missing.
bool WellFormed(const std::filesystem::path& path)
{
    if (std::system("command -v xmllint >/dev/null 2>&1") != 0) {
        return true;
    }
    return std::system(("xmllint --noout '" + path.string() + "'").c_str()) == 0;
}

// Ten fixes a second apart, a gap of 11 s, five more; then a step back in time.
std::vector<Fix> TrackWithGaps()
{
    std::vector<Fix> fixes;
    for (int i = 0; i < 10; ++i) {
        fixes.push_back(FixAt(kSite, i * 1.5, i * -0.5, i * 0.1, 22722000 + i * 100));
    }
    for (int i = 0; i < 5; ++i) {
        fixes.push_back(FixAt(kSite, 20.0 + i, 0.0, 0.0, 22722000 + 2000 + i * 100));
    }
    fixes.push_back(FixAt(kSite, 0.0, 0.0, 0.0, 22722000));
    return fixes;
}

TEST(TrackExport, GpxReadsBackWithItsSegmentsPositionsAndUtcTimes)
{
    CTempFolder folder;
    const auto path = folder.Path() / "track.gpx";
    const std::vector<Fix> fixes = TrackWithGaps();
    std::string problem;
    ASSERT_TRUE(WriteGpx(path.string(), fixes, "night <A&B> \"run\"", problem)) << problem;
    EXPECT_TRUE(WellFormed(path));

    const std::string text = ReadText(path);
    EXPECT_NE(text.find("<name>night &lt;A&amp;B&gt; &quot;run&quot;</name>"), std::string::npos);
    const auto segments = ReadGpxSegments(text);
    ASSERT_EQ(segments.size(), 3u);
    EXPECT_EQ(segments[0].size(), 10u);  // 10 s apart is no gap
    EXPECT_EQ(segments[1].size(), 5u);
    EXPECT_EQ(segments[2].size(), 1u);
    const ReadPoint& read = segments[1][2];
    const Fix& written = fixes[12];
    EXPECT_NEAR(read.lat, written.latitude, 1e-8);
    EXPECT_NEAR(read.lon, written.longitude, 1e-8);
    EXPECT_NEAR(read.ele, written.height, 0.01);
    EXPECT_EQ(segments[0][0].time, "2003-12-23T15:06:47.00Z");  // week 1250, 13 leap seconds
    EXPECT_EQ(read.time, "2003-12-23T15:07:09.00Z");
}

TEST(TrackExport, GpxWithoutFixesIsAnEmptyTrack)
{
    CTempFolder folder;
    const auto path = folder.Path() / "empty.gpx";
    std::string problem;
    ASSERT_TRUE(WriteGpx(path.string(), std::span<const Fix>(), "empty", problem));
    EXPECT_TRUE(WellFormed(path));
    EXPECT_TRUE(ReadGpxSegments(ReadText(path)).empty());
}

TEST(TrackExport, KmlIsOneLineStringOfLongitudeLatitudeHeight)
{
    CTempFolder folder;
    const auto path = folder.Path() / "track.kml";
    const std::vector<Fix> fixes = TrackWithGaps();
    std::string problem;
    ASSERT_TRUE(WriteKml(path.string(), fixes, "a\x01<b>", problem)) << problem;
    EXPECT_TRUE(WellFormed(path));
    const std::string text = ReadText(path);
    EXPECT_NE(text.find("<name>a?&lt;b&gt;</name>"), std::string::npos);
    const std::regex coordinate("\n    (-?[0-9.]+),(-?[0-9.]+),(-?[0-9.]+)");
    std::vector<double> longitudes;
    for (std::sregex_iterator c(text.begin(), text.end(), coordinate), end; c != end; ++c) {
        longitudes.push_back(std::stod((*c)[1]));
    }
    ASSERT_EQ(longitudes.size(), fixes.size());
    EXPECT_NEAR(longitudes[3], fixes[3].longitude, 1e-8);
}

TEST(TrackExport, CsvHasOneLinePerFixWithItsErrors)
{
    CTempFolder folder;
    const auto path = folder.Path() / "fixes.csv";
    const std::vector<Fix> fixes = {FixAt(kSite, 0, 0, 0, 100), FixAt(kSite, 1, 2, 3, 200)};
    const std::vector<EnuError> errors = {{0.5f, -1.25f, 2.0f}, {1.0f, 2.0f, 3.0f}};
    std::string problem;
    ASSERT_TRUE(WriteFixCsv(path.string(), fixes, errors, problem)) << problem;
    const std::string text = ReadText(path);
    const std::string expected =
        "time,lat,lon,alt,e,n,u,mode,svs,dop\n"
        "2003-12-20T23:59:48.00Z,51.47790000,-0.00150000,45.00,0.500,-1.250,2.000,4,7,1.2\n";
    EXPECT_EQ(text.substr(0, expected.size()), expected);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 3);
}

TEST(TrackExport, AFileThatCannotBeWrittenIsNamedWithTheReason)
{
    std::string problem;
    EXPECT_FALSE(WriteGpx("/nonexistent/track.gpx", std::span<const Fix>(), "x", problem));
    EXPECT_EQ(problem, "Cannot write /nonexistent/track.gpx: No such file or directory");
    if (std::filesystem::exists("/dev/full")) {
        const std::vector<Fix> fixes(2000, FixAt(kSite, 0, 0, 0));
        EXPECT_FALSE(WriteKml("/dev/full", fixes, "x", problem));
        EXPECT_EQ(problem, "Cannot write /dev/full: No space left on device");
    }
}

}  // namespace
}  // namespace kestrion
