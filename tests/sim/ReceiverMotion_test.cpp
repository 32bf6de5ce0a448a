#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "sim/ReceiverMotion.h"

namespace kestrion {
namespace {

std::set<int> Tracked(const ReceiverSecond& second)
{
    std::set<int> prns;
    for (const ChannelReport& channel : second.channels) {
        if (channel.inFix) {
            prns.insert(channel.prn);
        }
    }
    return prns;
}

TEST(ReceiverMotion, DrivesSlowlyUnderAChangingSky)
{
    CReceiverMotion motion(1);
    ReceiverSecond previous = motion.Next();
    const std::set<int> first = Tracked(previous);
    std::set<int> ever = first;
    for (int second = 1; second < 600; ++second) {
        const ReceiverSecond now = motion.Next();
        const double speed = std::hypot(now.velocityEast, now.velocityNorth);
        EXPECT_LT(speed, 6.0);
        EXPECT_GE(now.FixCount(), 4);
        const std::set<int> tracked = Tracked(now);
        ever.insert(tracked.begin(), tracked.end());
        previous = now;
    }
    EXPECT_NE(Tracked(previous), first) << "satellites rise and set";
    EXPECT_GT(ever.size(), first.size());
    EXPECT_FALSE(motion.TakeEvents().empty());
}

}  // namespace
}  // namespace kestrion
