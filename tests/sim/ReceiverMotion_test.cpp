#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>

#include "sim/ReceiverMotion.h"

namespace kestrion {
namespace {

TEST(ReceiverMotion, DrivesSlowlyUnderAChangingSky)
{
    CReceiverMotion motion(1);
    std::set<int> first, ever, last;
    for (int second = 0; second < 600; ++second) {
        const ReceiverSecond now = motion.Next();
        EXPECT_LT(std::hypot(now.velocityEast, now.velocityNorth), 6.0);
        EXPECT_GE(now.FixCount(), 4);
        last.clear();
        for (const ChannelReport& channel : now.channels) {
            if (channel.inFix) {
                last.insert(channel.prn);
            }
        }
        (second == 0 ? first : ever).insert(last.begin(), last.end());
    }
    EXPECT_NE(last, first) << "satellites rise and set";
    EXPECT_FALSE(std::includes(first.begin(), first.end(), ever.begin(), ever.end()));
    EXPECT_FALSE(motion.TakeEvents().empty());
}

}  // namespace
}  // namespace kestrion
