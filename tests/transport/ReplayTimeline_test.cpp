#include "transport/ReplayTimeline.h"

#include <gtest/gtest.h>

#include "support/TempFolder.h"
#include "RecordingFakes.h"
#include "transport/StreamTimeScan.h"
#include "transport/TimeIndex.h"

namespace kestrion {
namespace {

using namespace fakes;
using Point = CReplayTimeline::Point;
using Points = std::vector<std::pair<int64_t, int64_t>>;  // ms, offset

Points PointsOf(const CReplayTimeline& timeline)
{
    Points points;
    for (const Point& point : timeline.Points()) {
        points.emplace_back(point.ms, point.offset);
    }
    return points;
}

// Scanned whole, and one byte at a time: a push scanner gives the same either way.
Points Scanned(const std::string& stream)
{
    CReplayTimeline whole, bytewise;
    CStreamTimeScan(whole).Accept(std::span(reinterpret_cast<const uint8_t*>(stream.data()), stream.size()));
    CStreamTimeScan scan(bytewise);
    for (const char c : stream) {
        const auto byte = static_cast<uint8_t>(c);
        scan.Accept(std::span(&byte, 1));
    }
    EXPECT_EQ(PointsOf(whole), PointsOf(bytewise));
    return PointsOf(whole);
}

TEST(StreamTimeScan, BinaryTimesMarkTheFrameThatCarriesThem)
{
    const std::string nav0 = "xx" + Text(NavFrame(1000, 10000));  // 2 + 49 bytes
    const std::string tracker0 = Text(TrackerFrame(1000, 10000));  // 16 bytes
    const std::string ack = Text(Ack(0x84));
    Bytes bad = NavFrame(1000, 10050);
    bad[10] ^= 1;  // checksum: no time
    const std::string stream = nav0 + tracker0 + ack + Text(bad) + Text(NavFrame(1000, 10100)) + ack +
                               Text(TrackerFrame(1000, 10250));
    const int64_t second = int64_t(nav0.size() + tracker0.size() + ack.size() + bad.size());
    EXPECT_EQ(Scanned(stream), (Points{{0, 0}, {1000, second}, {2500, second + 49 + 10}}));
}

TEST(StreamTimeScan, NmeaTimesOfDayCrossMidnightAndBadSentencesAreLeftOut)
{
    std::string broken = Sentence("GPGGA,120000.00,,,,,0,00,,,M,,M,,");
    broken[broken.size() - 3] = '0';  // wrong checksum
    const std::string first = Sentence("GPGGA,235959.00,,,,,0,00,,,M,,M,,") + Sentence("GPGSV,1,1,00");
    const std::string second = Sentence("GNRMC,000000.50,V,,,,,,,010124,,,N") + broken;
    const std::string third = Sentence("GPGLL,,,,,000001.50,V,N");
    const std::string stream = first + second + third + Sentence("GPZDA,000002.500,01,01,2024,00,00") +
                               Sentence("PSRF,000100.00") + Sentence("GPGGA,99xx00,,");
    EXPECT_EQ(Scanned(stream), (Points{{0, 0},
                                       {1500, int64_t(first.size())},
                                       {2500, int64_t(first.size() + second.size())},
                                       {3500, int64_t(first.size() + second.size() + third.size())}}));
}

TEST(ReplayTimeline, AJumpWaitsAtMostTheCapAndAClockThatGoesBackTakesNoTime)
{
    CReplayTimeline timeline;
    timeline.Mark(0, CReplayTimeline::Clock::Gps, 1000);
    timeline.Mark(10, CReplayTimeline::Clock::Gps, 1000 + 3600 * 1000);  // an hour's gap
    timeline.Mark(20, CReplayTimeline::Clock::Gps, 500);                  // a reset
    timeline.Mark(30, CReplayTimeline::Clock::Gps, 1500);
    EXPECT_EQ(PointsOf(timeline), (Points{{0, 0}, {CReplayTimeline::kMaxStepMs, 10}, {CReplayTimeline::kMaxStepMs + 1000, 30}}));

    // The week rollover of a binary stream.
    const std::string rollover = Text(NavFrame(1023, 60479900)) + Text(NavFrame(0, 0)) + Text(NavFrame(0, 100));
    EXPECT_EQ(Scanned(rollover), (Points{{0, 0}, {1000, 98}}));
}

TEST(ReplayTimeline, AProtocolSwitchGoesOnWhereTheBinaryTimeLeftOff)
{
    const std::string binary = Text(NavFrame(1000, 10000)) + Text(NavFrame(1000, 10100));
    const std::string nmea0 = Sentence("GPGGA,080000.00,,,,,0,00,,,M,,M,,");
    const std::string stream = binary + nmea0 + Sentence("GPGGA,080001.00,,,,,0,00,,,M,,M,,");
    EXPECT_EQ(Scanned(stream), (Points{{0, 0}, {1000, 49}, {2000, int64_t(binary.size() + nmea0.size())}}));
}

class TimeIndexFiles : public ::testing::Test {
protected:
    std::string Write(const std::string& name, const std::string& content)
    {
        const std::string path = (folder.Path() / name).string();
        WriteText(path, content);
        return path;
    }
    CTempFolder folder;
};

TEST_F(TimeIndexFiles, EntriesAreReadUpToTheFirstFault)
{
    const std::vector<TimeIndexEntry> good = {{0, 0}, {40, 15}, {100, 1015}};
    const std::string file = TimeIndexFile(good);
    const auto read = [&](const std::string& content, int64_t dataSize) {
        const TimeIndex index = ReadTimeIndex(Write("index", content), dataSize);
        return std::pair(index.entries.size(), index.faulty);
    };
    EXPECT_EQ(ReadTimeIndex(Write("index", file), 101).entries.back().ms, 1015);
    EXPECT_EQ(read(file, 101), std::pair(size_t{3}, false));
    EXPECT_EQ(read(file.substr(0, file.size() - 5), 101), std::pair(size_t{2}, false));  // cut off by a kill
    EXPECT_EQ(read(file, 100), std::pair(size_t{2}, true));                              // past the data
    EXPECT_EQ(read(file, 0), std::pair(size_t{0}, true));                                // no data at all
    EXPECT_EQ(read(file, -1), std::pair(size_t{0}, true));
    EXPECT_EQ(read(TimeIndexFile({{0, 0}, {40, 15}, {30, 20}}), 101), std::pair(size_t{2}, true));
    EXPECT_EQ(read(TimeIndexFile({{0, 0}, {40, 15}, {50, 10}}), 101), std::pair(size_t{2}, true));
    EXPECT_EQ(read("KSTTIME2" + file.substr(8), 101), std::pair(size_t{0}, true));
    EXPECT_EQ(read("KSTT", 101), std::pair(size_t{0}, true));
    const TimeIndex missing = ReadTimeIndex((folder.Path() / "none").string(), 101);
    EXPECT_TRUE(missing.entries.empty());
    EXPECT_FALSE(missing.faulty);
    EXPECT_TRUE(ReadTimeIndex(folder.Path().string(), 101).entries.empty());  // a folder
}

TEST_F(TimeIndexFiles, ARecordingPlaysByItsWholeIndexElseByItsStream)
{
    const std::string stream = NavSeconds(3);  // 0, 1 and 2 s at offsets 0, 49 and 98
    const std::string path = Write("rec.bin", stream);
    const CReplayTimeline scanned = CReplayTimeline::Load(path);
    EXPECT_EQ(scanned.From(), CReplayTimeline::Origin::Stream);
    EXPECT_EQ(scanned.TotalMs(), 2000);

    Write("rec.bin.times", TimeIndexFile({{0, 0}, {49, 300}, {98, 700}}));
    const CReplayTimeline indexed = CReplayTimeline::Load(path);
    EXPECT_EQ(indexed.From(), CReplayTimeline::Origin::Index);
    EXPECT_EQ(PointsOf(indexed), (Points{{0, 0}, {300, 49}, {700, 98}}));

    Write("rec.bin.times", TimeIndexFile({{0, 0}, {49, 300}, {200, 700}}));  // past the data
    EXPECT_EQ(CReplayTimeline::Load(path).From(), CReplayTimeline::Origin::Stream);

    const std::string acks = Write("acks.bin", Text(Ack(0x84)) + Text(Ack(0x84)) + Text(Ack(0x84)));
    EXPECT_FALSE(CReplayTimeline::Load(acks).Timed());
    Write("acks.bin.times", TimeIndexFile({{0, 0}, {10, 300}, {5, 700}}));  // backwards: its valid part
    EXPECT_EQ(PointsOf(CReplayTimeline::Load(acks)), (Points{{0, 0}, {300, 10}}));
    EXPECT_FALSE(CReplayTimeline::Load((folder.Path() / "none").string()).Timed());
}

}  // namespace
}  // namespace kestrion
