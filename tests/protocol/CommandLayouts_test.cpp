#include "protocol/CommandLayouts.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "protocol/MessageLayouts.h"
#include "protocol/MessageRecord.h"

namespace kestrion {
namespace {

TEST(CommandLayouts, EachCommandOnceWithItsMidFirstAndThePayloadLengthTheReceiverTakes)
{
    const std::map<uint8_t, size_t> lengths = {
        {MID_NavigationInitialization, 25}, {MID_SetNMEAMode, 24}, {MID_DGPSSourceControl, 7},
        {MID_SetSerialPort, 9},             {MID_SetNavMode, 14},  {MID_SetDOPMode, 5},
        {MID_SetDGPSMode, 3},               {MID_SetElevMask, 5},  {MID_SetPowerMask, 3},
        {MID_SetStaticNavigation, 2},       {MID_SetDGPSPort, 9},  {MID_SwitchOpMode, 7},
        {MID_LowPower, 9},                  {MID_ChangeUartChnl, 49}, {MID_SetMsgRate, 8},
        {MID_LPAcqParams, 25},              {MID_POLL_CMD_PARAM, 6},
    };
    std::set<uint8_t> seen;
    for (const CCommandLayout& command : commands::kLayouts) {
        EXPECT_TRUE(seen.insert(command.Mid()).second) << MidName(command.Mid()) << " twice";
        EXPECT_EQ(command.Fields()[0].name, "mid");
        EXPECT_EQ(command.Size(), lengths.at(command.Mid())) << MidName(command.Mid());
        EXPECT_EQ(FindCommandLayout(command.Mid()), &command);
        EXPECT_EQ(command.Values().Wire()[0], command.Mid());
    }
    EXPECT_EQ(seen.size(), lengths.size());
    EXPECT_EQ(FindCommandLayout(MID_PollAlmanac), nullptr);
}

TEST(CommandLayouts, PollAnswersHaveTheLayoutOfTheCommandPolledInTheOrderOfTheSubIds)
{
    for (size_t slot = 0; slot < std::size(kPollSubIds); ++slot) {
        const CCommandLayout* command = FindCommandLayout(kPollSubIds[slot]);
        ASSERT_NE(command, nullptr) << int(kPollSubIds[slot]);
        const auto answer = layouts::kPollAnswers[slot].Fields();
        const auto fields = command->Fields();
        ASSERT_GE(answer.size(), fields.size());
        for (size_t i = 0; i < fields.size(); ++i) {
            EXPECT_EQ(answer[i].name, fields[i].name) << int(kPollSubIds[slot]);
            EXPECT_EQ(answer[i].type, fields[i].type) << int(kPollSubIds[slot]);
        }
        const size_t extra = kPollSubIds[slot] == MID_LowPower ? CommandLayout(MID_LPAcqParams).Fields().size() : 0;
        EXPECT_EQ(answer.size(), fields.size() + extra) << int(kPollSubIds[slot]);
    }
}

TEST(CommandLayouts, PayloadsBuiltByNameMatchTheBytesTheReceiverExpects)
{
    constexpr const CCommandLayout& kDgpsSource = CommandLayout(MID_DGPSSourceControl);
    EXPECT_EQ(kDgpsSource.Values()
                  .Set(kDgpsSource.Field("source"), 3)
                  .Set(kDgpsSource.Field("frequency"), 310000)
                  .Set(kDgpsSource.Field("bitRate"), 200)
                  .Wire(),
              (std::vector<uint8_t>{0x85, 0x03, 0x00, 0x04, 0xBA, 0xF0, 0xC8}));
    constexpr const CCommandLayout& kUart = CommandLayout(MID_ChangeUartChnl);
    constexpr auto kBauds = kUart.Fields<4>("baud");
    EXPECT_EQ(kBauds[1].offset, 1 + 12 + 3);
    EXPECT_EQ(kUart.Values().Set(kBauds[3], 57600).Wire()[1 + 36 + 5], 0xE1);
}

}  // namespace
}  // namespace kestrion
