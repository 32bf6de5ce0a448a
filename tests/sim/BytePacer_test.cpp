#include <gtest/gtest.h>

#include "sim/BytePacer.h"

namespace kestrion {
namespace {

// Sends as much as allowed, polled at an uneven interval, and counts per second.
std::vector<size_t> BytesPerSecond(int baud, int seconds, int pollMs)
{
    CBytePacer pacer(0);
    std::vector<size_t> perSecond(seconds, 0);
    for (int64_t now = 0; now < seconds * 1000; now += pollMs) {
        const size_t allowed = pacer.Allowance(now, baud);
        pacer.Spend(allowed);
        perSecond[now / 1000] += allowed;
    }
    return perSecond;
}

TEST(BytePacer, NeverSendsFasterThanTheBaud)
{
    for (int pollMs : {1, 7, 13}) {
        for (size_t bytes : BytesPerSecond(38400, 10, pollMs)) {
            EXPECT_LE(bytes, 3840u + 3840u * CBytePacer::kBurstMs / 1000) << pollMs;
            EXPECT_GE(bytes, 3840u * 95 / 100) << pollMs;
        }
    }
    for (size_t bytes : BytesPerSecond(4800, 5, 5)) {
        EXPECT_LE(bytes, 480u + 480u * CBytePacer::kBurstMs / 1000);
    }
}

}  // namespace
}  // namespace kestrion
