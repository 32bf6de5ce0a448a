#include "platform/TimerSchedule.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace kestrion {
namespace {

using Firing = std::pair<unsigned, int64_t>;  // id, due time

// Fires every timer due by limitMs as an on-time loop would.
std::vector<Firing> FireUntil(CTimerSchedule& schedule, int64_t limitMs)
{
    std::vector<Firing> firings;
    while (schedule.NextDueMs() && *schedule.NextDueMs() <= limitMs) {
        const int64_t due = *schedule.NextDueMs();
        firings.emplace_back(schedule.Fire(due), due);
    }
    return firings;
}

TEST(TimerSchedule, DueTimeOrderWithTiesInStartOrderAndRestartAsANewStart)
{
    CTimerSchedule schedule;
    schedule.Start(7, 30, 0);
    schedule.Start(3, 20, 0);
    schedule.Start(5, 60, 0);
    schedule.Start(9, 20, 0);
    schedule.Stop(9);
    EXPECT_EQ(FireUntil(schedule, 60),
              (std::vector<Firing>{{3, 20}, {7, 30}, {3, 40}, {7, 60}, {3, 60}, {5, 60}}));
    schedule.Start(7, 40, 60);
    EXPECT_EQ(FireUntil(schedule, 100), (std::vector<Firing>{{3, 80}, {3, 100}, {7, 100}}));
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

TEST(TimerSchedule, LateFiringSkipsMissedTicksAndSlightlyLateKeepsTheGrid)
{
    CTimerSchedule schedule;
    schedule.Start(1, 100, 0);
    schedule.Start(2, 100, 50);
    ASSERT_EQ(schedule.Fire(120), 1U);  // due at 100
    ASSERT_EQ(schedule.Fire(430), 2U);  // due at 150
    EXPECT_EQ(FireUntil(schedule, 630),
              (std::vector<Firing>{{1, 200}, {1, 300}, {1, 400}, {1, 500}, {2, 530}, {1, 600}, {2, 630}}));
}

}  // namespace
}  // namespace kestrion
