#include "platform/LoopTimers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <thread>
#include <utility>
#include <vector>

namespace kestrion {
namespace {

using Firing = std::pair<unsigned, int64_t>;  // system id, elapsed ms at dispatch
constexpr std::time_t kWallStart = 1700000000;

struct CRecordingDispatch : ITimerDispatch {
    explicit CRecordingDispatch(CLoopTimers& loopTimers) : timers(loopTimers) { timers.SetDispatch(*this); }
    void Dispatch(unsigned systemTimerId) override
    {
        firings.emplace_back(systemTimerId, timers.ElapsedMs());
        if (systemTimerId == stopId) {
            timers.Stop(stopId);
        }
    }
    CLoopTimers& timers;
    std::vector<Firing> firings;
    unsigned stopId = 0;
};

TEST(LoopTimersVirtual, ClockJumpsFromTimerToTimer)
{
    CLoopTimers timers(CLoopTimers::Mode::Virtual, kWallStart);
    CRecordingDispatch dispatch(timers);
    EXPECT_EQ(timers.Start(1, 1000), 1U);
    EXPECT_EQ(timers.Start(2, 1500), 2U);
    EXPECT_EQ(timers.Start(0, 10), 0U);
    std::atomic<bool> stop {true};
    EXPECT_FALSE(timers.RunNext(3000, &stop));  // a raised stop flag fires nothing
    EXPECT_EQ(timers.ElapsedMs(), 0);
    while (timers.RunNext(3000)) {
    }
    EXPECT_EQ(dispatch.firings, (std::vector<Firing>{{1, 1000}, {2, 1500}, {1, 2000}, {1, 3000}, {2, 3000}}));

    EXPECT_FALSE(timers.RunNext(3999));
    EXPECT_EQ(timers.ElapsedMs(), 3999);
    EXPECT_EQ(timers.Now(), kWallStart + 3);
    timers.Stop(1);
    timers.Start(2, 0);
    dispatch.stopId = 2;
    EXPECT_TRUE(timers.RunNext(3999));
    EXPECT_EQ(dispatch.firings.back(), Firing(2, 3999));
    EXPECT_FALSE(timers.HasTimers());
}

TEST(LoopTimersReal, TimersFireInDueOrderUntilTheLimitOrTheStopFlag)
{
    CLoopTimers timers(CLoopTimers::Mode::Real, kWallStart);
    CRecordingDispatch dispatch(timers);
    timers.Start(1, 5);
    timers.Start(2, 60);
    while (timers.RunNext(200)) {
    }
    ASSERT_FALSE(dispatch.firings.empty());
    EXPECT_EQ(dispatch.firings.front().first, 1U);
    EXPECT_NE(std::ranges::find(dispatch.firings, 2U, &Firing::first), dispatch.firings.end());
    EXPECT_GE(timers.ElapsedMs(), 200);

    timers.Stop(1);
    timers.Start(2, 60000);
    dispatch.firings.clear();
    std::atomic<bool> stop {false};
    std::thread stopper([&stop] {
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        stop = true;
    });
    EXPECT_FALSE(timers.RunNext(120000, &stop));
    stopper.join();
    EXPECT_TRUE(dispatch.firings.empty());
}

}  // namespace
}  // namespace kestrion
