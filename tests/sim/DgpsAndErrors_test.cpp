#include <gtest/gtest.h>

#include <algorithm>

#include "ReceiverHarness.h"
#include "protocol/ErrorTexts.h"

namespace kestrion::test {
namespace {

constexpr uint8_t kDgpsBit = 0x80;  // Mode 1 of MID 2

TEST(ReceiverDgps, TheBeaconLocksAndCorrectsTheSatellitesOfTheFix)
{
    CReceiverHarness line({});
    line.Run(60.0);
    const auto& statuses = line.of[27];
    ASSERT_GE(statuses.size(), 55u) << "one status a second";
    EXPECT_EQ(statuses.front().dgpsStatus.beaconStatus & 0x01, 0) << "searching at first";
    const DgpsStatusBlock& last = statuses.back().dgpsStatus;
    EXPECT_EQ(last.source, 3) << "the internal beacon receiver";
    EXPECT_EQ(last.beaconStatus, 0x07) << "locked, frequency and bit rate found by scanning";
    EXPECT_GT(last.snr.Value(), 0);

    // The last status goes with the last navigation message: every satellite of a DGPS fix has
    // a correction, and the others none.
    const NavBlock& nav = line.of[2].back().nav;
    EXPECT_NE(nav.mode1 & kDgpsBit, 0);
    std::vector<uint8_t> used(nav.svIds, nav.svIds + nav.svCount);
    std::vector<uint8_t> corrected;
    for (const DgpsChannel& channel : last.channels) {
        if (channel.svId != 0) {
            corrected.push_back(channel.svId);
            EXPECT_LE(std::abs(channel.correction.Value()), 1200);
        }
    }
    std::ranges::sort(used);
    std::ranges::sort(corrected);
    EXPECT_EQ(corrected, used);

    // The station's messages come in at the beacon's bit rate, a few seconds apart.
    const auto& corrections = line.of[17];
    EXPECT_GE(corrections.size(), 8u);
    EXPECT_LE(corrections.size(), 25u);
    EXPECT_EQ(std::string(corrections.front().developmentData.hex).substr(0, 2), "66")
        << "the preamble's first six bits in six-of-eight form";
}

TEST(ReceiverDgps, WithoutTheBeaconThereIsNoDifferentialData)
{
    SimConfig config;
    config.dgps = false;
    CReceiverHarness line(config);
    line.Run(40.0);
    EXPECT_TRUE(line.of[27].empty());
    EXPECT_TRUE(line.of[17].empty());
    ASSERT_FALSE(line.of[2].empty());
    EXPECT_TRUE(std::ranges::none_of(line.of[2], [](const CMessageRecord& r) { return r.nav.mode1 & kDgpsBit; }));
}

TEST(ReceiverErrors, AnErrorOfAKnownKindNowAndThenButNoFlood)
{
    CReceiverHarness line({});
    line.Run(15.0);
    EXPECT_EQ(line.of[10].size(), 1u) << "the first within a quarter of a minute";
    line.Run(165.0);
    const auto& errors = line.of[10];
    EXPECT_GE(errors.size(), 5u);
    EXPECT_LE(errors.size(), 10u);
    for (const CMessageRecord& error : errors) {
        const uint16_t code = error.error.code.Value();
        EXPECT_NE(ErrorFormat(code), kUnknownErrorFormat) << code;
        EXPECT_TRUE((code >= 1 && code <= 18) || (code >= 0x1000 && code <= 0x100D) || (code >= 0x2000 && code <= 0x2003))
            << code;
    }
}

}  // namespace
}  // namespace kestrion::test
