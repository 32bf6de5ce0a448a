#include "platform/TimerSchedule.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace kestrion {
namespace {

using Firing = std::pair<unsigned, int64_t>;  // id, due time

// Fires every timer due by limitMs as an on-time loop would, its clock at each due time.
std::vector<Firing> FireUntil(CTimerSchedule& schedule, int64_t limitMs)
{
    std::vector<Firing> firings;
    while (schedule.NextDueMs() && *schedule.NextDueMs() <= limitMs) {
        const int64_t due = *schedule.NextDueMs();
        firings.emplace_back(schedule.Fire(due), due);
    }
    return firings;
}

TEST(TimerSchedule, EqualDueTimesFireInStartOrder)
{
    CTimerSchedule schedule;
    schedule.Start(7, 30, 0);
    schedule.Start(3, 20, 0);
    schedule.Start(5, 60, 0);
    EXPECT_EQ(FireUntil(schedule, 60),
              (std::vector<Firing>{{3, 20}, {7, 30}, {3, 40}, {7, 60}, {3, 60}, {5, 60}}));
}

TEST(TimerSchedule, RestartReplacesAndCountsAsANewStart)
{
    CTimerSchedule schedule;
    schedule.Start(1, 100, 0);
    schedule.Start(2, 100, 0);
    schedule.Start(1, 100, 0);
    schedule.Start(3, 500, 0);
    schedule.Stop(3);
    schedule.Stop(9);
    EXPECT_EQ(FireUntil(schedule, 100), (std::vector<Firing>{{2, 100}, {1, 100}}));
    schedule.Stop(1);
    schedule.Stop(2);
    EXPECT_TRUE(schedule.Empty());
    EXPECT_FALSE(schedule.NextDueMs().has_value());
}

TEST(TimerSchedule, ShortPeriodsAreDueAtOnceButRepeatNoFasterThanTheMinimum)
{
    CTimerSchedule schedule;
    schedule.Start(1, 0, 500);
    schedule.Start(2, -40, 500);
    schedule.Start(3, 4, 500);
    EXPECT_EQ(FireUntil(schedule, 513),
              (std::vector<Firing>{{1, 500}, {2, 500}, {3, 504}, {1, 510}, {2, 510}}));
}

TEST(TimerSchedule, LateFiringSkipsMissedTicks)
{
    CTimerSchedule schedule;
    schedule.Start(1, 100, 0);
    schedule.Start(2, 100, 50);
    ASSERT_EQ(schedule.Fire(430), 1U);  // due at 100, fired 330 ms late
    EXPECT_EQ(schedule.NextDueMs(), 150);
    ASSERT_EQ(schedule.Fire(430), 2U);
    EXPECT_EQ(FireUntil(schedule, 640), (std::vector<Firing>{{1, 530}, {2, 530}, {1, 630}, {2, 630}}));
}

TEST(TimerSchedule, FiringWithinThePeriodKeepsTheGrid)
{
    CTimerSchedule schedule;
    schedule.Start(1, 100, 0);
    schedule.Fire(190);
    EXPECT_EQ(schedule.NextDueMs(), 200);
}

}  // namespace
}  // namespace kestrion
