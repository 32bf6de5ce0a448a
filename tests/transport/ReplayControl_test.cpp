#include "transport/ReplayControl.h"

#include <gtest/gtest.h>

#include "support/PlaybackFixtures.h"
#include "RecordingFakes.h"
#include "transport/BinaryFileSource.h"
#include "transport/ReplaySlice.h"
#include "transport/TextFileSource.h"

namespace kestrion {
namespace {

using namespace fakes;

// Navigation lines from TOW 100, `step` hundredths apart, spanning `hundredths`.
std::string NavRecording(uint32_t hundredths, uint32_t step)
{
    std::string lines;
    for (uint32_t t = 0; t <= hundredths; t += step) {
        lines += NavLine(1000, 100 + t);
    }
    return lines;
}

IReplayControl& ControlOf(CMeasuredHarness& h)
{
    IReplayControl* control = h.feed.Source() != nullptr ? h.feed.Source()->Replay() : nullptr;
    EXPECT_NE(control, nullptr);
    return *control;
}

// The virtual clock: fires the playback timer until none runs and adds up the periods that ran.
int64_t PlayedMs(CMeasuredHarness& h)
{
    int64_t elapsed = 0;
    for (int n = h.services.timers.Of(kTickPlayback); n != 0; n = h.services.timers.Of(kTickPlayback)) {
        elapsed += h.services.timers.registrations.back();
        h.services.timers.Fire(n);
    }
    return elapsed;
}

TEST(ReplaySpeed, TextsAndPaceKeepTheRecordingTimeOverTheSpeed)
{
    EXPECT_EQ(ReplaySpeedFromText("0.25"), ReplaySpeed::Quarter);
    EXPECT_EQ(ReplaySpeedFromText("1/2"), ReplaySpeed::Half);
    EXPECT_EQ(ReplaySpeedFromText("16"), ReplaySpeed::Sixteen);
    EXPECT_EQ(ReplaySpeedFromText("max"), ReplaySpeed::Fastest);
    EXPECT_EQ(ReplaySpeedFromText("fixed"), ReplaySpeed::Fixed);
    for (const ReplaySpeed speed : kReplaySpeeds) {
        EXPECT_EQ(ReplaySpeedFromText(ReplaySpeedValue(speed)), speed);
    }
    EXPECT_EQ(ReplaySpeedValue(ReplaySpeed::Quarter), "0.25");
    EXPECT_FALSE(ReplaySpeedFromText("3"));
    EXPECT_FALSE(ReplaySpeedFromText(""));

    CReplayPace pace;
    EXPECT_EQ(pace.Next(1000), 1000);
    pace.SetSpeed(ReplaySpeed::Sixteen);
    EXPECT_EQ(pace.Next(1000) + pace.Next(1000), 125);  // 62 and 63
    pace.SetSpeed(ReplaySpeed::Quarter);
    EXPECT_EQ(pace.Next(333), 1332);
    pace.SetSpeed(ReplaySpeed::Fastest);
    EXPECT_EQ(pace.Next(1000), 0);
}

TEST(ReplayControl, A60SecondCsvLastsItsTimeOverTheSpeed)
{
    for (const auto& [speed, ms] : {std::pair{ReplaySpeed::Normal, 60000}, std::pair{ReplaySpeed::Four, 15000},
                                    std::pair{ReplaySpeed::Sixteen, 3750}, std::pair{ReplaySpeed::Quarter, 240000},
                                    std::pair{ReplaySpeed::Fastest, 0}}) {
        SCOPED_TRACE(std::string(ReplaySpeedText(speed)));
        CMeasuredHarness h("CSV", NavRecording(6000, 100));
        ASSERT_EQ(h.feed.Open(), 1);
        ControlOf(h).SetSpeed(speed);
        EXPECT_EQ(PlayedMs(h), ms);
        EXPECT_EQ(h.services.logged.size(), 61u);
        EXPECT_EQ(h.feed.Source(), nullptr);  // ended as at x1
    }
}

TEST(ReplayControl, PauseHoldsTheNextRecordAndAStepPlaysOneSecond)
{
    CMeasuredHarness h("CSV", NavRecording(1000, 20));  // 5 Hz for 10 s
    ASSERT_EQ(h.feed.Open(), 1);
    IReplayControl& control = ControlOf(h);
    control.StepSecond();  // playing: no step
    EXPECT_EQ(h.services.logged.size(), 1u);
    control.Pause();
    EXPECT_TRUE(control.Paused());
    EXPECT_EQ(h.services.timers.Running(), 0);

    control.StepSecond();
    EXPECT_EQ(h.services.logged.size(), 6u);  // TOW 120 to 200 after 100
    EXPECT_EQ(h.feed.Latest().Tow(), 200u);
    EXPECT_EQ(control.Position().at, 100);
    EXPECT_EQ(h.services.timers.Running(), 0);

    control.Resume();
    EXPECT_EQ(h.services.timers.registrations.back(), 200);
    EXPECT_EQ(PlayedMs(h), 45 * 200);  // TOW 220 to 1100
    EXPECT_EQ(h.services.logged.size(), 51u);
}

TEST(ReplayControl, SeekingACsvGoesToTheRecordingTimeAndComesAtOnce)
{
    CMeasuredHarness h("CSV", ";start\n" + NavRecording(6000, 100));
    ASSERT_EQ(h.feed.Open(), 1);
    IReplayControl& control = ControlOf(h);
    EXPECT_EQ(control.Position().unit, ReplayPosition::Unit::Hundredths);
    EXPECT_EQ(control.Position().at, 0);
    EXPECT_EQ(control.Position().total, 6000);

    ASSERT_TRUE(control.Seek(3050));  // between records: the one before
    EXPECT_EQ(control.Position().at, 3000);
    EXPECT_EQ(h.services.timers.registrations.back(), 0);
    h.services.timers.Fire(h.services.timers.Of(kTickPlayback));
    EXPECT_EQ(h.feed.Latest().Tow(), 3100u);
    EXPECT_EQ(h.services.timers.registrations.back(), 1000);

    control.Pause();
    ASSERT_TRUE(control.Seek(-5));  // back to the start, held while paused
    EXPECT_EQ(h.services.timers.Running(), 0);
    control.StepSecond();
    EXPECT_EQ(h.feed.Latest().Tow(), 200u);
    ASSERT_TRUE(control.Seek(999999));
    EXPECT_EQ(control.Position().at, 6000);
    control.Resume();
    EXPECT_EQ(PlayedMs(h), 0);
    EXPECT_EQ(h.feed.Latest().Tow(), 6100u);
    EXPECT_EQ(h.feed.Source(), nullptr);
}

TEST(ReplayControl, TheTruthRoleHasNoControls)
{
    CMeasuredHarness h("[Data Sources]\n");
    CTextFileSource truth(h.feed, h.services, h.services, h.services.timers, h.profile, h.file.Path());
    truth.Open(kRoleTruth, "");
    EXPECT_EQ(truth.Replay(), nullptr);
}

TEST(ReplayControl, ABinaryRecordingTicksFasterStepsAChunkAndSeeksByByte)
{
    const Bytes ack = Ack(0x84);
    std::string content;
    for (int i = 0; i < 250; ++i) {
        content.append(ack.begin(), ack.end());
    }
    CMeasuredHarness h("Binary", content);
    ASSERT_EQ(h.feed.Open(), 1);
    IReplayControl& control = ControlOf(h);
    EXPECT_EQ(control.Position().unit, ReplayPosition::Unit::Bytes);
    EXPECT_EQ(control.Position().total, 2500);

    control.SetSpeed(ReplaySpeed::Sixteen);  // two chunks every 125 ms
    EXPECT_EQ(h.services.timers.registrations, (std::vector<int>{1000, 125}));
    h.services.timers.Fire(h.services.timers.Of(kTickPlayback));
    EXPECT_EQ(h.services.logged.size(), 200u);
    EXPECT_EQ(control.Position().at, 2000);

    control.Pause();
    EXPECT_EQ(h.services.timers.Running(), 0);
    ASSERT_TRUE(control.Seek(1000));
    EXPECT_EQ(h.services.timers.Running(), 0);
    control.StepSecond();
    EXPECT_EQ(h.services.logged.size(), 300u);
    EXPECT_EQ(control.Position().at, 2000);

    control.SetSpeed(ReplaySpeed::Quarter);
    control.Resume();
    EXPECT_EQ(h.services.timers.registrations.back(), 4000);
    EXPECT_EQ(PlayedMs(h), 8000);  // the last 500 bytes, then the tick that finds none
    EXPECT_EQ(h.services.logged.size(), 350u);

    ASSERT_TRUE(control.Seek(0));  // playing again after the end
    EXPECT_EQ(h.services.timers.Running(), 1);
}

TEST(ReplayControl, ABinaryRecordingLastsItsReceiverTimeOverTheSpeed)
{
    for (const auto& [speed, ms] : {std::pair{ReplaySpeed::Normal, 60000}, std::pair{ReplaySpeed::Four, 15000},
                                    std::pair{ReplaySpeed::Sixteen, 3750}, std::pair{ReplaySpeed::Quarter, 240000},
                                    std::pair{ReplaySpeed::Fastest, 0}, std::pair{ReplaySpeed::Fixed, 4000}}) {
        SCOPED_TRACE(std::string(ReplaySpeedText(speed)));
        CMeasuredHarness h("Binary", NavSeconds(61));  // 2989 bytes: three chunks at the fixed rate
        ASSERT_EQ(h.feed.Open(), 1);
        IReplayControl& control = ControlOf(h);
        control.SetSpeed(speed);
        EXPECT_EQ(control.Position().unit, ReplayPosition::Unit::Hundredths);
        EXPECT_EQ(PlayedMs(h), ms);
        EXPECT_EQ(h.services.logged.size(), 61u);
        EXPECT_EQ(control.Position().at, 6000);
        EXPECT_EQ(control.Position().total, 6000);
        EXPECT_NE(h.feed.Source(), nullptr);  // a binary file stays open at its end
    }
}

TEST(ReplayControl, ABinaryRecordingStepsASecondAndSeeksByItsTime)
{
    CMeasuredHarness h("Binary", NavSeconds(51, 20));  // 5 Hz for 10 s
    ASSERT_EQ(h.feed.Open(), 1);
    IReplayControl& control = ControlOf(h);
    EXPECT_EQ(h.services.timers.registrations, std::vector<int>{0});  // the first at once
    h.services.timers.Fire(h.services.timers.Of(kTickPlayback));
    EXPECT_EQ(h.services.logged.size(), 1u);
    control.Pause();
    control.StepSecond();
    EXPECT_EQ(h.services.logged.size(), 6u);
    EXPECT_EQ(h.feed.Latest().Tow(), 10100u);
    EXPECT_EQ(control.Position().at, 100);
    EXPECT_EQ(h.services.timers.Running(), 0);
    control.Resume();
    EXPECT_EQ(h.services.timers.registrations.back(), 200);
    control.SetSpeed(ReplaySpeed::Four);  // the wait at the new speed
    EXPECT_EQ(h.services.timers.registrations.back(), 50);

    ASSERT_TRUE(control.Seek(550));  // between frames: the one before
    EXPECT_EQ(control.Position().at, 540);
    EXPECT_EQ(h.services.timers.registrations.back(), 0);
    h.services.timers.Fire(h.services.timers.Of(kTickPlayback));
    EXPECT_EQ(h.feed.Latest().Tow(), 10540u);
    control.Pause();
    ASSERT_TRUE(control.Seek(-5));
    EXPECT_EQ(h.services.timers.Running(), 0);
    control.StepSecond();
    EXPECT_EQ(h.feed.Latest().Tow(), 10000u);
    ASSERT_TRUE(control.Seek(999999));
    control.Resume();
    EXPECT_EQ(PlayedMs(h), 0);
    EXPECT_EQ(h.feed.Latest().Tow(), 11000u);
    EXPECT_EQ(control.Position().at, 1000);
}

TEST(ReplayControl, ATimeIndexPacesARecordingByItsArrivalAndCapsAGap)
{
    const std::string ack = Text(Ack(0x84));
    std::string acks;
    for (int i = 0; i < 60; ++i) {
        acks += ack;
    }
    // Acks 0 and 1 at the start, 2 at 0.3 s, 3 at 2.3 s, 4 a minute later, then 2 ms apart.
    std::vector<TimeIndexEntry> entries = {{0, 0}, {20, 300}, {30, 2300}, {40, 62300}};
    for (int i = 5; i < 60; ++i) {
        entries.push_back({i * 10, 62300 + (i - 4) * 2});
    }
    CMeasuredHarness h("Binary", acks);
    WriteText(TimeIndexPath(h.file.Path()), TimeIndexFile(entries));
    ASSERT_EQ(h.feed.Open(), 1);
    IReplayControl& control = ControlOf(h);
    EXPECT_EQ(control.Position().total, 300 / 10 + 2000 / 10 + CReplayTimeline::kMaxStepMs / 10 + 110 / 10);
    const int64_t played = PlayedMs(h);
    EXPECT_EQ(played, 300 + 2000 + CReplayTimeline::kMaxStepMs + 110);  // short waits add up
    EXPECT_EQ(std::vector<int>(h.services.timers.registrations.begin(), h.services.timers.registrations.begin() + 4),
              (std::vector<int>{0, 300, 2000, CReplayTimeline::kMaxStepMs}));
    EXPECT_LT(h.services.timers.registrations.size(), 20u);
    EXPECT_EQ(h.services.logged.size(), 60u);
}

TEST(ReplayControl, AnNmeaRecordingPlaysByItsTimesOfDay)
{
    std::string stream;
    for (int second = 0; second < 10; ++second) {
        stream += Sentence("GPGGA,1200" + std::to_string(10 + second) + ".00,,,,,0,00,,,M,,M,,");
        stream += Sentence("GPGSV,1,1,00");
    }
    CMeasuredHarness h("Binary", stream);
    ASSERT_EQ(h.feed.Open(), 1);
    EXPECT_EQ(ControlOf(h).Position().total, 900);
    EXPECT_EQ(PlayedMs(h), 9000);
}


TEST(ReplaySlice, EndsAtItsAmountOfWorkOrItsShareOfTheClock)
{
    int64_t now = 5000;
    const CReplaySlice slice(100, [&now] { return now; });
    EXPECT_FALSE(slice.Spent(99));
    EXPECT_TRUE(slice.Spent(100));
    now += CReplaySlice::kSliceMs - 1;
    EXPECT_FALSE(slice.Spent(0));
    now += 1;
    EXPECT_TRUE(slice.Spent(0));
}

// As fast as possible, every tick plays a bounded slice and registers the next one at once
// (period 0, the next turn of the loop), so the window answers between slices and no loop
// waits for a timer's repeat.
TEST(ReplayControl, AsFastAsPossibleEachTickPlaysASliceAndTheNextComesAtTheNextTurn)
{
    const std::string ack = Text(Ack(0x84));
    std::string acks;
    for (int i = 0; i < 150000; ++i) {
        acks += ack;  // 1.5 MB without any time in it
    }
    constexpr int64_t kNavBytes = 49;
    struct Case {
        const char* name;
        const char* type;
        std::string content;
        size_t records;
        size_t mostInATick;
    };
    const Case cases[] = {
        {"untimed binary", "Binary", acks, 150000,
         static_cast<size_t>((CBinaryFileSource::kFastestBytes + CBinaryFileSource::kChunkSize) / 10)},
        {"timed binary", "Binary", NavSeconds(30000), 30000,
         static_cast<size_t>(CBinaryFileSource::kFastestBytes / kNavBytes + 2)},
        {"csv", "CSV", NavRecording(900000, 100), 9001, static_cast<size_t>(CTextFileSource::kFastestRecords)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CMeasuredHarness h(c.type, c.content);
        ASSERT_EQ(h.feed.Open(), 1);
        ControlOf(h).SetSpeed(ReplaySpeed::Fastest);
        size_t ticks = 0;
        for (int n = h.services.timers.Of(kTickPlayback); n != 0; n = h.services.timers.Of(kTickPlayback)) {
            ASSERT_EQ(h.services.timers.registrations.back(), 0);
            const size_t registered = h.services.timers.registrations.size();
            const size_t before = h.services.logged.size();
            h.services.timers.Fire(n);
            ++ticks;
            EXPECT_LE(h.services.logged.size() - before, c.mostInATick) << "tick " << ticks;
            if (h.services.timers.Of(kTickPlayback) != 0) {
                EXPECT_EQ(h.services.timers.registrations.size(), registered + 1) << "tick " << ticks;
            }
        }
        EXPECT_GE(ticks, 2u);
        EXPECT_EQ(h.services.logged.size(), c.records);
    }
}

}  // namespace
}  // namespace kestrion
