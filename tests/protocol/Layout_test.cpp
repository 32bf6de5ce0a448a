#include "protocol/Layout.h"

#include <gtest/gtest.h>

#include <string>

#include "protocol/MessageRecord.h"

namespace kestrion {
namespace {

TEST(Layout, RepeatCountsAndOffsetsFollowTheTypeStringAndDecodeSwapsEachFieldIntoHostOrder)
{
    constexpr CLayout layout("B2lhdB");
    static_assert(layout.Size() == 1 + 8 + 2 + 8 + 1);
    const uint8_t wire[] = {0x02, 0xFF, 0xF0, 0xBD, 0xC0, 0, 0, 0, 7, 0xFF, 0xF8, 0, 0, 0, 0, 0x3F, 0xF0, 0, 0, 0x7E};
    uint8_t block[sizeof wire] = {};
    layout.Decode(wire, block);
    EXPECT_EQ(layout.Fields()[4].type, FieldType::F64);
    EXPECT_EQ(BlockValue<uint8_t>(block, 0), 2);
    EXPECT_EQ(BlockValue<int32_t>(block, 1), -1000000);
    EXPECT_EQ(BlockValue<int32_t>(block, 5), 7);
    EXPECT_EQ(BlockValue<int16_t>(block, 9), -8);
    EXPECT_EQ(BlockValue<double>(block, 11), 1.0);
    EXPECT_EQ(BlockValue<uint8_t>(block, 19), 0x7E);
}

TEST(MessageRecord, ClearZeroesOnlyTheCurrentBlockAndTimeComesFromTheBlockOfTheType)
{
    CMessageRecord record;
    record.nav = {.week = 1200, .tow = 55};
    record.tracker = {.week = 1300, .tow = 66};
    record.SetType(1);
    EXPECT_EQ(record.Week(), 1200);
    EXPECT_EQ(record.Tow(), 55u);
    record.SetType(4);
    EXPECT_EQ(record.Week(), 1300);
    EXPECT_EQ(record.Tow(), 66u);
    record.SetType(7);
    EXPECT_FALSE(record.HasTime());

    record.SetType(2);
    record.Clear();
    EXPECT_EQ(record.type, 0);
    EXPECT_EQ(record.nav.tow, 0u);
    EXPECT_EQ(record.tracker.tow, 66u);

    record.SetText(std::string(1100, 'x'));
    EXPECT_EQ(record.Text().size(), 1023u);
}

}  // namespace
}  // namespace kestrion
