#include "platform/LoopTimers.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <thread>
#include <utility>
#include <vector>

namespace kestrion {
namespace {

using Firing = std::pair<unsigned, int64_t>;  // system id, elapsed ms at dispatch

class CRecordingDispatch : public ITimerDispatch {
public:
    explicit CRecordingDispatch(CLoopTimers& timers) : m_timers(timers) { timers.SetDispatch(*this); }

    void Dispatch(unsigned systemTimerId) override
    {
        firings.emplace_back(systemTimerId, m_timers.ElapsedMs());
        if (onDispatch) {
            onDispatch(systemTimerId);
        }
    }
    size_t Count(unsigned id) const
    {
        size_t count = 0;
        for (const Firing& firing : firings) {
            count += firing.first == id ? 1 : 0;
        }
        return count;
    }

    std::vector<Firing> firings;
    std::function<void(unsigned)> onDispatch;

private:
    CLoopTimers& m_timers;
};

constexpr std::time_t kStartWallTime = 1700000000;

TEST(LoopTimersVirtual, FiresInTimeOrderAndAdvancesTheClock)
{
    CLoopTimers timers(CLoopTimers::Mode::Virtual, kStartWallTime);
    CRecordingDispatch dispatch(timers);
    EXPECT_EQ(timers.Start(1, 1000), 1U);
    EXPECT_EQ(timers.Start(2, 1500), 2U);

    EXPECT_TRUE(timers.RunNext(10000));
    EXPECT_EQ(timers.Now(), kStartWallTime + 1);
    while (timers.RunNext(3000)) {
    }
    EXPECT_EQ(dispatch.firings, (std::vector<Firing>{{1, 1000}, {2, 1500}, {1, 2000}, {1, 3000}, {2, 3000}}));
    EXPECT_EQ(timers.ElapsedMs(), 3000);

    EXPECT_FALSE(timers.RunNext(3999));
    EXPECT_EQ(timers.ElapsedMs(), 3999);
    EXPECT_EQ(timers.Now(), kStartWallTime + 3);
    EXPECT_FALSE(timers.RunNext(100));  // a limit in the past leaves the clock alone
    EXPECT_EQ(timers.ElapsedMs(), 3999);
    EXPECT_TRUE(timers.HasTimers());
}

TEST(LoopTimersVirtual, ZeroPeriodFiresAtOnceThenAtTheMinimumRepeat)
{
    CLoopTimers timers(CLoopTimers::Mode::Virtual, kStartWallTime);
    CRecordingDispatch dispatch(timers);
    ASSERT_FALSE(timers.RunNext(250));
    timers.Start(4, 0);
    while (timers.RunNext(270)) {
    }
    EXPECT_EQ(dispatch.firings, (std::vector<Firing>{{4, 250}, {4, 260}, {4, 270}}));
}

TEST(LoopTimersVirtual, StopAndRestartTakeEffectFromInsideTheDispatch)
{
    CLoopTimers timers(CLoopTimers::Mode::Virtual, kStartWallTime);
    CRecordingDispatch dispatch(timers);
    timers.Start(1, 100);
    timers.Start(2, 100);
    dispatch.onDispatch = [&timers, &dispatch](unsigned id) {
        if (id == 1) {
            timers.Stop(1);
        } else if (dispatch.Count(2) == 1) {
            timers.Start(2, 30);
        }
    };
    while (timers.RunNext(200)) {
    }
    EXPECT_EQ(dispatch.firings, (std::vector<Firing>{{1, 100}, {2, 100}, {2, 130}, {2, 160}, {2, 190}}));

    timers.Stop(2);
    EXPECT_FALSE(timers.HasTimers());
    EXPECT_EQ(timers.Start(0, 100), 0U);
    EXPECT_FALSE(timers.HasTimers());
}

TEST(LoopTimersVirtual, RaisedStopFlagFiresNothing)
{
    CLoopTimers timers(CLoopTimers::Mode::Virtual, kStartWallTime);
    CRecordingDispatch dispatch(timers);
    timers.Start(1, 100);
    std::atomic<bool> stop{true};
    EXPECT_FALSE(timers.RunNext(1000, &stop));
    EXPECT_TRUE(dispatch.firings.empty());
    EXPECT_EQ(timers.ElapsedMs(), 0);
    stop = false;
    EXPECT_TRUE(timers.RunNext(1000, &stop));
}

TEST(LoopTimersReal, ShortTimersFireInOrderUntilTheLimit)
{
    CLoopTimers timers(CLoopTimers::Mode::Real, kStartWallTime);
    CRecordingDispatch dispatch(timers);
    timers.Start(1, 5);
    timers.Start(2, 60);
    constexpr int64_t kLimitMs = 200;
    while (timers.RunNext(kLimitMs)) {
    }
    ASSERT_FALSE(dispatch.firings.empty());
    EXPECT_EQ(dispatch.firings.front().first, 1U);
    EXPECT_GE(dispatch.Count(2), 1U);
    // Never more often than the schedule allows, however late the loop ran.
    EXPECT_LE(dispatch.Count(1), 1 + (kLimitMs - 5) / CTimerSchedule::kMinimumRepeatMs);
    EXPECT_LE(dispatch.Count(2), static_cast<size_t>(kLimitMs / 60));
    for (size_t i = 1; i < dispatch.firings.size(); ++i) {
        EXPECT_LE(dispatch.firings[i - 1].second, dispatch.firings[i].second);
    }
    EXPECT_GE(timers.ElapsedMs(), kLimitMs);
}

TEST(LoopTimersReal, StopFlagEndsTheWait)
{
    CLoopTimers timers(CLoopTimers::Mode::Real, kStartWallTime);
    CRecordingDispatch dispatch(timers);
    timers.Start(1, 60000);
    std::atomic<bool> stop{false};
    std::thread stopper([&stop] {
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        stop = true;
    });
    EXPECT_FALSE(timers.RunNext(120000, &stop));
    stopper.join();
    EXPECT_TRUE(dispatch.firings.empty());
    EXPECT_TRUE(timers.HasTimers());
}

}  // namespace
}  // namespace kestrion
