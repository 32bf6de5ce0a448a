#include "protocol/Layout.h"

#include <gtest/gtest.h>

#include <bit>

#include "protocol/MessageRecord.h"

namespace kestrion {
namespace {

TEST(Layout, RepeatCountsAndOffsetsFollowTheTypeString)
{
    constexpr CLayout layout("B3l2hd");
    static_assert(layout.Size() == 1 + 12 + 4 + 8);
    ASSERT_EQ(layout.Fields().size(), 7u);
    EXPECT_EQ(layout.Fields()[3].offset, 9);
    EXPECT_EQ(layout.Fields()[6].type, FieldType::F64);
    EXPECT_EQ(layout.Fields()[6].offset, 17);
}

TEST(Layout, DecodeSwapsEachFieldIntoHostOrder)
{
    constexpr CLayout layout("BlhdB");
    const uint8_t wire[] = {0x02, 0xFF, 0xF0, 0xBD, 0xC0, 0xFF, 0xF8,
                            0x00, 0x00, 0x00, 0x00, 0x3F, 0xF0, 0x00, 0x00, 0x7E};
    uint8_t block[sizeof wire] = {};
    layout.Decode(wire, block);
    EXPECT_EQ(BlockValue<uint8_t>(block, 0), 2);
    EXPECT_EQ(BlockValue<int32_t>(block, 1), -1000000);
    EXPECT_EQ(BlockValue<int16_t>(block, 5), -8);
    EXPECT_EQ(BlockValue<double>(block, 7), 1.0);
    EXPECT_EQ(BlockValue<uint8_t>(block, 15), 0x7E);
}

TEST(MessageRecord, ClearZeroesOnlyTheCurrentBlock)
{
    CMessageRecord record;
    record.SetType(2);
    record.nav.tow = 12345;
    record.tracker.tow = 777;
    record.Clear();
    EXPECT_EQ(record.type, 0);
    EXPECT_EQ(record.nav.tow, 0u);
    EXPECT_EQ(record.tracker.tow, 777u);
}

TEST(MessageRecord, WeekAndTowComeFromTheBlockOfTheType)
{
    CMessageRecord record;
    record.nav.week = 1200;
    record.nav.tow = 55;
    record.tracker.week = 1300;
    record.tracker.tow = 66;
    record.SetType(1);
    EXPECT_EQ(record.Week(), 1200);
    EXPECT_EQ(record.Tow(), 55u);
    record.SetType(4);
    EXPECT_EQ(record.Week(), 1300);
    EXPECT_EQ(record.Tow(), 66u);
    record.SetType(7);
    EXPECT_FALSE(record.HasTime());
}

TEST(MessageRecord, TextIsCutTo1023Characters)
{
    CMessageRecord record;
    record.SetText(std::string(1100, 'x'));
    EXPECT_EQ(record.Text().size(), 1023u);
}

}  // namespace
}  // namespace kestrion
