#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "sim/BytePacer.h"

namespace kestrion {
namespace {

// Sends as much as allowed, polled at an uneven interval: each second carries a tenth of the
// baud in bytes, give or take the burst.
TEST(BytePacer, NeverSendsFasterThanTheBaud)
{
    for (const auto& [baud, pollMs] : {std::pair{38400, 1}, {38400, 7}, {38400, 13}, {4800, 5}}) {
        CBytePacer pacer(0);
        std::vector<size_t> perSecond(5, 0);
        for (int64_t now = 0; now < 5000; now += pollMs) {
            const size_t allowed = pacer.Allowance(now, baud);
            pacer.Spend(allowed);
            perSecond[now / 1000] += allowed;
        }
        const size_t second = baud / 10;
        for (size_t bytes : perSecond) {
            EXPECT_LE(bytes, second + second * CBytePacer::kBurstMs / 1000) << pollMs;
            EXPECT_GE(bytes, second * 95 / 100) << pollMs;
        }
    }
}

}  // namespace
}  // namespace kestrion
