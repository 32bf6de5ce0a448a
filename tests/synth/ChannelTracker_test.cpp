#include "synth/ChannelTracker.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kestrion {
namespace {

using Sky = std::array<SkySatellite, kSkyChannels>;

constexpr TrackingRules kRules{.trackElevation = 8.0,
                               .lockSeconds = 4,
                               .cnoHorizon = 31.0,
                               .cnoZenith = 17.0,
                               .cnoSwing = 0.0,
                               .cnoNoise = 0.7,
                               .acquisitionCno = true};

// Every satellite under the horizon, channel n holding SV n + 1.
Sky SkyBelow()
{
    Sky sky{};
    for (int i = 0; i < kSkyChannels; ++i) {
        sky[i] = {static_cast<uint8_t>(i + 1), 30.0 * i, -10.0, 0};
    }
    return sky;
}

Sky With(Sky sky, int channel, double elevation)
{
    sky[channel].elevation = elevation;
    return sky;
}

struct Receiver {
    explicit Receiver(const TrackingRules& rules) : tracker(rules) {}

    ReceiverSecond Step(const Sky& sky)
    {
        ReceiverSecond now;
        tracker.Track(second++, sky, now.channels, random);
        return now;
    }

    CChannelTracker tracker;
    CSampleRandom random{1};
    int second = 0;
};

TEST(ChannelTracker, PowerUpLocksAreInTheFixAtOnceLaterOnesAfterTheLockTime)
{
    Receiver rx(kRules);
    const Sky low = With(With(SkyBelow(), 0, 45.0), 1, 7.9);
    ReceiverSecond now = rx.Step(low);
    EXPECT_TRUE(now.channels[0].inFix);
    EXPECT_EQ(now.channels[0].state, kStateTracked);
    EXPECT_EQ(now.channels[1].prn, 2) << "assigned above the horizon";
    EXPECT_EQ(now.channels[1].cno, (std::array<uint8_t, 10>{})) << "not tracked below the tracking elevation";
    EXPECT_EQ(now.channels[2].prn, 0) << "not assigned under the horizon";
    EXPECT_TRUE(rx.tracker.TakeEvents().empty()) << "the locks at power-up are not told";

    rx.Step(low);
    const Sky risen = With(low, 1, 20.0);
    now = rx.Step(risen);
    EXPECT_EQ(now.channels[1].state, kStateAcquired);
    const std::vector<std::string> events = rx.tracker.TakeEvents();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0], "Acq SV02: Cno " + std::to_string(now.channels[1].cno[0]) + ", El 20.0");
    for (int wait = 1; wait < kRules.lockSeconds; ++wait) {
        EXPECT_FALSE(rx.Step(risen).channels[1].inFix) << wait;
    }
    now = rx.Step(risen);
    EXPECT_EQ(now.channels[1].state, kStateTracked);
    EXPECT_EQ(now.FixCount(), 2);
}

TEST(ChannelTracker, TellsALossBelowTheTrackingElevationAndLocksAnewAfterIt)
{
    Receiver rx(kRules);
    const Sky high = With(SkyBelow(), 3, 30.0);
    rx.Step(high);
    const ChannelReport lost = rx.Step(With(high, 3, 7.5)).channels[3];
    EXPECT_FALSE(lost.inFix);
    EXPECT_EQ(lost.state, 0);
    EXPECT_EQ(rx.tracker.TakeEvents(), std::vector<std::string>{"Lost SV04 at El 7"});

    rx.Step(With(high, 3, 7.0));
    EXPECT_TRUE(rx.tracker.TakeEvents().empty()) << "a loss is told once";
    EXPECT_FALSE(rx.Step(high).channels[3].inFix) << "a new lock waits for the lock time";
    EXPECT_EQ(rx.tracker.TakeEvents().size(), 1u);
}

TEST(ChannelTracker, ARestartLocksOnToNothingBeforeItsEnd)
{
    TrackingRules rules = kRules;
    rules.acquisitionCno = false;
    Receiver rx(rules);
    const Sky sky = With(SkyBelow(), 5, 45.0);
    rx.Step(sky);
    EXPECT_EQ(rx.tracker.TakeEvents(), std::vector<std::string>{"Acq SV06: El 45.0"});

    rx.tracker.Restart(rx.second + 3);
    for (int i = 0; i < 3; ++i) {
        const ChannelReport searching = rx.Step(sky).channels[5];
        EXPECT_EQ(searching.prn, 6);
        EXPECT_EQ(searching.state, 0) << i;
    }
    EXPECT_TRUE(rx.tracker.TakeEvents().empty());
    EXPECT_EQ(rx.Step(sky).channels[5].state, kStateAcquired);
    EXPECT_EQ(rx.tracker.TakeEvents(), std::vector<std::string>{"Acq SV06: El 45.0"});
}

TEST(ChannelTracker, CnoRisesWithElevationAndStaysWithinTheReceiversRange)
{
    struct Case {
        double horizon, swing;
        int low, high;  // the C/N0 at the zenith
    };
    for (const Case& c : {Case{31.0, 0.0, 48, 48}, Case{31.0, 1.2, 47, 49}, Case{50.0, 0.0, 55, 55},
                          Case{-10.0, 0.0, 20, 20}}) {
        TrackingRules rules = kRules;
        rules.cnoHorizon = c.horizon;
        rules.cnoSwing = c.swing;
        rules.cnoNoise = 0.0;
        Receiver rx(rules);
        for (int second = 0; second < 30; ++second) {
            const auto report = rx.Step(With(SkyBelow(), 7, 90.0));
            for (uint8_t cno : report.channels[7].cno) {
                EXPECT_GE(cno, c.low) << c.horizon << " " << second;
                EXPECT_LE(cno, c.high) << c.horizon << " " << second;
            }
        }
    }
}

}  // namespace
}  // namespace kestrion
