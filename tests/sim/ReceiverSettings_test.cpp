#include "sim/ReceiverSettings.h"

#include <gtest/gtest.h>

#include <vector>

namespace kestrion {
namespace {

using Bytes = std::vector<uint8_t>;

class ReceiverSettingsDefaults : public testing::TestWithParam<int> {};

TEST_P(ReceiverSettingsDefaults, AnswerEachPollWithTheValuesAReceiverStartsWith)
{
    const int generation = GetParam();
    const CReceiverSettings settings(generation);
    const auto degraded = static_cast<uint8_t>(generation == 1 ? 60 : 30);
    const auto deadReckoning = static_cast<uint8_t>(generation == 1 ? 30 : 15);
    const auto smoothing = static_cast<uint8_t>(generation > 2 ? 1 : 0);
    EXPECT_EQ(settings.ParameterAnswer(0x85), (Bytes{43, 0x85, 2, 0, 0, 0, 0, 0}));
    EXPECT_EQ(settings.ParameterAnswer(0x88),
              (Bytes{43, 0x88, 0, 1, 1, 0, 1, 0, 0, 0, 0, 0, degraded, deadReckoning, smoothing}));
    EXPECT_EQ(settings.ParameterAnswer(0x89), (Bytes{43, 0x89, 4, 10, 10, 10}));
    EXPECT_EQ(settings.ParameterAnswer(0x8A), (Bytes{43, 0x8A, 0, 30}));
    EXPECT_EQ(settings.ParameterAnswer(0x8B), (Bytes{43, 0x8B, 0, 50, 0, 75}));
    EXPECT_EQ(settings.ParameterAnswer(0x8C), (Bytes{43, 0x8C, 28, 28}));
    EXPECT_EQ(settings.ParameterAnswer(0x8F), (Bytes{43, 0x8F, 0}));
    EXPECT_EQ(settings.ParameterAnswer(0x97),
              (Bytes{43, 0x97, 0, 0, 0x03, 0xE8, 0, 0, 0, 200, 0xA7, 0, 0, 0x75, 0x30, 0, 0x01, 0xD4, 0xC0,
                     0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_TRUE(settings.ParameterAnswer(0xA7).empty()) << "the acquisition parameters come with low power";
    EXPECT_TRUE(settings.ParameterAnswer(0x86).empty());
    EXPECT_EQ(settings.NavParameters().size(), generation == 1 ? 24u : 65u);
}

INSTANTIATE_TEST_SUITE_P(Sim, ReceiverSettingsDefaults, testing::Values(1, 2, 3));

TEST(ReceiverSettings, StoresWholeSettingPayloadsOnlyAndReportsThemInTheNavigationParameters)
{
    CReceiverSettings settings(3);
    EXPECT_FALSE(settings.Store(Bytes{0x8B, 0, 50, 0xFF}));
    EXPECT_FALSE(settings.Store(Bytes{0x86, 0, 0, 0x25, 0x80, 8, 1, 0, 0}));
    EXPECT_FALSE(settings.Store(Bytes{}));
    EXPECT_TRUE(settings.Store(Bytes{0x8B, 0, 50, 0xFF, 0x38, 0xEE}));  // a longer payload is cut
    EXPECT_EQ(settings.ParameterAnswer(0x8B), (Bytes{43, 0x8B, 0, 50, 0xFF, 0x38}));
    EXPECT_TRUE(settings.Store(Bytes{0x88, 0, 0, 2, 0, 1, 0xFC, 0x18, 1, 1, 0, 40, 20, 1}));

    const Bytes params = settings.NavParameters();
    EXPECT_EQ(params[5], 1) << "AltMode";
    EXPECT_EQ(params[7], 0xFC) << "Altitude -1000";
    EXPECT_EQ(params[8], 0x18);
    EXPECT_EQ(params[9], 2) << "DegradedMode";
    EXPECT_EQ(params[20], 0xFF) << "ElevMask -200";
    EXPECT_EQ(params[21], 0x38);
}

}  // namespace
}  // namespace kestrion
