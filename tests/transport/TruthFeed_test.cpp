#include <gtest/gtest.h>

#include "support/PlaybackFixtures.h"
#include "transport/Feed.h"
#include "transport/FeedEvents.h"
#include "transport/SerialSource.h"

namespace kestrion {
namespace {

using namespace fakes;
using Texts = std::vector<std::string>;

// Truth lines at the given whole seconds from the offset.
std::string TruthLines(std::initializer_list<int> seconds)
{
    std::string lines;
    for (int second : seconds) {
        lines += std::to_string(second) + ",1,2,3,0,0,0\n";
    }
    return lines;
}

CMessageRecord Measured(uint8_t type, uint16_t week, uint32_t tow)
{
    CMessageRecord record;
    record.Reset(type);
    if (type <= 2) {
        record.nav.week = week;
        record.nav.tow = tow;
    } else {
        record.tracker.week = week;
        record.tracker.tow = tow;
    }
    return record;
}

struct TruthHarness {
    TruthHarness(std::string_view lines, int offset, const std::string& source = "TrueSource=0")
        : file(lines),
          ini("[Data Sources]\n" + source + "\nTrueFileName=" + file.Path() +
              "\nTrueWeekNo=1000\nTrueTOW=" + std::to_string(offset) + "\n")
    {
    }
    // The TOW of the match, or 0 for none.
    uint32_t Match(const CMessageRecord& measured)
    {
        const CMessageRecord* truth = feed.MatchTruth(measured);
        return truth != nullptr ? truth->Tow() : 0;
    }

    CTempFile file;
    CTempProfile ini;
    CProfile profile = ini.Profile();
    CFakeFeedServices services{profile};
    CTruthFeed feed{services.Feeds()};
};

TEST(TruthFeed, MatchesFromZeroToUnderTenSecondsLaterAndDiscardsTheRest)
{
    // Truth TOWs 99, 1099, 2199, 2299.
    TruthHarness h(TruthLines({0, 10, 21, 22}), 99);
    ASSERT_EQ(h.feed.Open(), 1);
    EXPECT_EQ(h.Match(Measured(2, 1000, 100)), 1099u);  // 99 is earlier; 1099 is 9.99 s later
    EXPECT_EQ(h.Match(Measured(2, 1000, 1199)), 0u);    // 2199 is 10 s later, 2299 11 s
    EXPECT_EQ(h.Match(Measured(2, 1000, 2299)), 0u);    // both were discarded
    // Read only by matching: the source was not started.
    EXPECT_EQ(h.services.dataActivity, 4u);
    EXPECT_EQ(h.services.timers.Running(), 0);
}

TEST(TruthFeed, ARewoundTruthFileMatchesAnEarlierMeasuredTimeAgain)
{
    TruthHarness h(TruthLines({0, 10, 20}), 100);
    ASSERT_EQ(h.feed.Open(), 1);
    EXPECT_EQ(h.Match(Measured(2, 1000, 2000)), 2100u);
    EXPECT_EQ(h.Match(Measured(2, 1000, 1000)), 0u);  // read past
    h.feed.Rewind();
    EXPECT_EQ(h.Match(Measured(2, 1000, 1000)), 1100u);
    EXPECT_EQ(h.Match(Measured(2, 1000, 2000)), 2100u);
    EXPECT_TRUE(h.services.boxes.empty());
}

TEST(TruthFeed, DifferentWeeksNeverMatch)
{
    // (1000, 100), then 604800 s later (1001, 100), then (1000, 200).
    TruthHarness h(TruthLines({1, 604800, 2}), 0);
    ASSERT_EQ(h.feed.Open(), 1);
    const CMessageRecord* truth = h.feed.MatchTruth(Measured(2, 1001, 100));
    ASSERT_NE(truth, nullptr);
    EXPECT_EQ(truth->Week(), 1001);
    EXPECT_EQ(h.Match(Measured(2, 999, 150)), 0u);
}

TEST(TruthFeed, ATrackerRecordReadsTheTruthFileToItsEnd)
{
    TruthHarness h(TruthLines({0, 1, 2}), 0);
    ASSERT_EQ(h.feed.Open(), 1);
    EXPECT_EQ(h.Match(Measured(4, 1000, 0)), 0u);
    EXPECT_EQ(h.Match(Measured(2, 1000, 0)), 0u);
    EXPECT_EQ(h.services.dataActivity, 3u);

    // Opening again replaces the exhausted source; truth lines also pair with truth records.
    ASSERT_EQ(h.feed.Open(), 1);
    EXPECT_EQ(h.Match(Measured(1, 1000, 50)), 100u);
}

TEST(TruthFeed, SourcesThatCannotOpenStillCountAsOpenButNeverMatch)
{
    TruthHarness serial("", 0, "TrueSource=1\nTrueSerialPort=COM3\nTrueSerialBaud=4800");
    ASSERT_EQ(serial.feed.Open(), 1);
    const auto* port = dynamic_cast<CSerialSource*>(serial.feed.Source());
    ASSERT_NE(port, nullptr);
    const SerialSettings& line = serial.services.noSerialDevices.asked.at(0);
    EXPECT_EQ(line.baud + line.dataBits + line.parity + line.stopBits, "");
    EXPECT_EQ(BoxTexts(serial.services), Texts{"No serial device in this test: /dev/ttyS2"});
    EXPECT_EQ(serial.Match(Measured(2, 1000, 0)), 0u);

    TruthHarness missing(TruthLines({0}), 0);
    std::filesystem::remove(missing.file.Path());
    ASSERT_EQ(missing.feed.Open(), 1);
    EXPECT_EQ(BoxTexts(missing.services),
              Texts{"Source file could not be opened: " + missing.file.Path() + ": No such file or directory"});
    EXPECT_EQ(missing.Match(Measured(2, 1000, 0)), 0u);

    // An unknown source warns, does not open and drops the earlier source.
    missing.services.boxes.clear();
    missing.profile.WriteInt("Data Sources", "TrueSource", 3);
    EXPECT_EQ(missing.feed.Open(), 0);
    EXPECT_EQ(missing.feed.Source(), nullptr);
    EXPECT_EQ(BoxTexts(missing.services), Texts{"Error: for truth data, check either file or serial"});
    EXPECT_EQ(missing.services.boxes.at(0).icon, BoxIcon::Warning);
}

}  // namespace
}  // namespace kestrion
