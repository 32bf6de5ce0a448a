#include "transport/RandomSource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "support/FeedFakes.h"
#include "protocol/Layout.h"
#include "transport/Feed.h"
#include "transport/FeedEvents.h"
#include "transport/StdRandom.h"

namespace kestrion {
namespace {

// Keeps a copy of every record, so the tests do not depend on the feed's own handling.
class CCopyingFeed : public CFeed {
public:
    using CFeed::CFeed;
    int AcceptRecord(const CMessageRecord* record) override
    {
        records.push_back(*record);
        return 1;
    }
    std::vector<CMessageRecord> records;
};

// An R for which (R - 1) * k / 32767 is `value`; a 1..n draw of v takes RFor(n, v - 1).
int RFor(int k, int value) { return 1 + (value * 32767 + k - 1) / k; }

std::string TrackerText(int counter)
{
    return "Data packet for randomly generated tracking data (" + std::to_string(counter) + ").";
}

class RandomSourceTest : public ::testing::Test {
protected:
    const std::vector<CMessageRecord>& Step()
    {
        feed.records.clear();
        EXPECT_EQ(source.ReadRecord(), nullptr);
        return feed.records;
    }
    // SV ID, azimuth 10, elevation 10, the 1..4 draw; with signal ten C/N0 values and the state.
    void ScriptChannel(int svId, int signalDraw, std::vector<int> cnos = {}, int state = 0)
    {
        std::vector<int>& values = services.generator.values;
        values.insert(values.end(), {RFor(33, svId), RFor(240, 9), RFor(240, 9), RFor(4, signalDraw - 1)});
        for (int cno : cnos) {
            values.push_back(RFor(60, cno - 1));
        }
        if (!cnos.empty()) {
            values.push_back(RFor(255, state - 1));
        }
    }

    const CProfile profile{"random-source-unused.ini"};
    fakes::CFakeFeedServices services{profile};
    CCopyingFeed feed{services.Feeds()};
    CRandomSource source{feed, services, services.timers, services.random, services.generator};
};

TEST_F(RandomSourceTest, FirstTickDeliversFourRecordsEachAfterItsActivityEvent)
{
    std::vector<size_t> deliveredAtActivity;
    services.onDataActivity = [&] { deliveredAtActivity.push_back(feed.records.size()); };
    const auto& records = Step();
    EXPECT_TRUE(services.events.empty());
    ASSERT_EQ(records.size(), 4u);
    EXPECT_EQ(deliveredAtActivity, (std::vector<size_t>{0, 1, 2, 3}));

    EXPECT_EQ(std::tie(records[0].type, records[0].tracker.mid, records[0].tracker.channelCount),
              std::tuple(4, 4, 12));
    EXPECT_EQ(std::tie(records[1].type, records[1].nav.mid), std::tuple(2, 2));
    for (const CMessageRecord& timed : {records[0], records[1]}) {
        EXPECT_EQ(timed.Week(), 1);
        EXPECT_EQ(timed.Tow(), 60u);
    }
    EXPECT_EQ(std::tie(records[2].type, records[3].type, records[3].rawTrack.bytes[0]),
              std::tuple(255, 5, 5));

    EXPECT_EQ(records[0].Text(), TrackerText(1));
    EXPECT_EQ(records[1].Text(), "Data packet for randomly generated navigation data (1).");
    const std::string_view debug = "Data packet for randomly generated debug data (1).\nNewline1 (1)\nNewline2 (1)";
    EXPECT_EQ(records[2].Text(), debug);
    EXPECT_EQ(records[3].Text(), debug);
}

TEST_F(RandomSourceTest, ChannelsDropToEightFromTick21AndReturnToTwelveAfterTheCounterWraps)
{
    const std::vector<int> channelsAtTick = {12, 12, 12, 12, 12, 11, 11, 11, 11, 11, 10, 10, 10,
                                             10, 10, 9,  9,  9,  9,  9,  8,  8,  8,  8,  8};
    for (size_t tick = 1; tick <= channelsAtTick.size(); ++tick) {
        const auto& records = Step();
        EXPECT_EQ(records[0].tracker.channelCount, channelsAtTick[tick - 1]) << tick;
        EXPECT_EQ(records[1].Tow(), 10u + 50u * tick);
    }

    services.random.tickCounter = 100'000'000;
    EXPECT_EQ(Step()[0].Text(), TrackerText(100'000'001));
    const auto& records = Step();
    EXPECT_EQ(records[0].Text(), TrackerText(0));
    EXPECT_EQ(records[0].tracker.channelCount, 12);
}

TEST_F(RandomSourceTest, OnlyChannelsWithSignalJoinTheFixAndOthersKeepTheirAverage)
{
    ScriptChannel(5, 1, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, 7);
    const std::vector<int> noSv = {0, RFor(240, 9), RFor(240, 9)};  // no 1..4 draw follows
    services.generator.values.insert(services.generator.values.end(), noSv.begin(), noSv.end());
    ScriptChannel(9, 2);
    ScriptChannel(32, 4, {60, 60, 60, 60, 60, 60, 60, 60, 60, 59}, 255);
    services.generator.fallback = 0;  // SV 0 on the other channels
    auto records = Step();
    const TrackerChannel* channels = records[0].tracker.channels;
    EXPECT_EQ(std::tie(channels[0].averageCno, channels[0].cno[9], channels[0].state),
              std::tuple(5, 10, 7));  // 5.5 truncated
    EXPECT_EQ(std::tie(channels[1].svId, channels[1].azimuth, channels[1].state), std::tuple(0, 10, 0));
    EXPECT_EQ(std::tie(channels[2].svId, channels[2].cno[0], channels[2].state), std::tuple(9, 0, 0));
    EXPECT_EQ(std::tie(channels[3].averageCno, channels[3].state), std::tuple(59, 255));
    const NavBlock& nav = records[1].nav;
    EXPECT_EQ(std::vector<int>(nav.svIds, nav.svIds + nav.svCount), (std::vector<int>{5, 32}));

    records = Step();  // no signal anywhere
    channels = records[0].tracker.channels;
    EXPECT_EQ(std::tie(channels[0].cno[9], channels[0].averageCno), std::tuple(0, 5));
    EXPECT_EQ(std::tie(records[1].nav.svCount, records[1].nav.svIds[0]), std::tuple(0, 0));
}

TEST_F(RandomSourceTest, DrawsAtTheEndsOfRStayInsideTheRanges)
{
    for (const int r : {0, 1, 32767}) {
        const bool top = r == 32767;
        services.generator.fallback = r;
        const auto& records = Step();
        const TrackerChannel& channel = records[0].tracker.channels[11];
        EXPECT_EQ(std::tie(channel.svId, channel.azimuth, channel.elevation, channel.averageCno,
                           channel.state),
                  top ? std::tuple(32, 240, 240, 60, 255) : std::tuple(0, 1, 1, 0, 0)) << r;
        const NavBlock& nav = records[1].nav;
        EXPECT_EQ(std::tie(nav.x, nav.vy, nav.dop, nav.mode1),
                  top ? std::tuple(-2689284 + 199, -32, 50, 5) : std::tuple(-2689284, 31, 1, 0)) << r;
        EXPECT_EQ(records[3].rawTrack.bytes[44], top ? 60 : 1) << r;
    }
}

TEST_F(RandomSourceTest, RawTrackCountsThroughItsFieldsAroundTheRandomSignalLevels)
{
    services.generator.values.assign(12 * 3 + 8, 0);  // SV 0 channels, then the navigation draws
    for (int i = 0; i < 10; ++i) {
        services.generator.values.push_back(RFor(60, i * 5));
    }
    const uint8_t* block = Step()[3].rawTrack.bytes;
    EXPECT_EQ(std::tuple(BlockValue<int32_t>(block, 1), BlockValue<int16_t>(block, 5),
                         BlockValue<int32_t>(block, 9), BlockValue<int32_t>(block, 29),
                         BlockValue<int16_t>(block, 33)),
              std::tuple(1, 2, 4, 10, 11));
    EXPECT_EQ(std::tuple(block[45], block[46], BlockValue<int16_t>(block, 47),
                         BlockValue<int16_t>(block, 49)),
              std::tuple(12, 13, 14, 15));
    EXPECT_EQ(std::vector<int>(block + 35, block + 45),
              (std::vector<int>{1, 6, 11, 16, 21, 26, 31, 36, 41, 46}));
}

TEST_F(RandomSourceTest, StartsOnceForTheMeasuredRoleAndRestartsContinueTheProgramWideState)
{
    source.Open(kRoleTruth, "");
    source.Start();
    EXPECT_EQ(services.timers.Running(), 0);
    source.Open(kRoleMeasured, "");
    source.Start();
    source.Start();
    ASSERT_EQ(services.timers.registrations, std::vector<int>{1000});
    EXPECT_EQ(services.timers.entries[0].tickCode, kTickPlayback);
    services.timers.Fire(services.timers.Of(kTickPlayback));
    source.Restart();
    EXPECT_EQ(services.timers.Running(), 1);
    services.timers.Fire(services.timers.Of(kTickPlayback));
    EXPECT_EQ(feed.records.at(4).Text(), TrackerText(2));
    EXPECT_EQ(source.Close(), 1);
    EXPECT_EQ(std::tuple(services.timers.Of(kTickPlayback), services.timers.Running()), std::tuple(0, 0));

    CRandomSource next(feed, services, services.timers, services.random, services.generator);
    next.ReadRecord();
    EXPECT_EQ(feed.records.at(8).Text(), TrackerText(3));
    EXPECT_EQ(feed.records.at(8).Tow(), 160u);
}

TEST(StdRandomTest, SeededSequencesRepeatAndReachBothEnds)
{
    CStdRandom first(7);
    CStdRandom second(7);
    int lowest = 32767;
    int highest = 0;
    for (int i = 0; i < 1'000'000; ++i) {
        const int value = first.Next();
        ASSERT_EQ(value, second.Next());
        lowest = std::min(lowest, value);
        highest = std::max(highest, value);
    }
    EXPECT_EQ(std::tuple(lowest, highest), std::tuple(0, 32767));
}

}  // namespace
}  // namespace kestrion
