#include "protocol/Layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "protocol/FieldValues.h"
#include "protocol/MessageLayouts.h"
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

TEST(Layout, NamesFollowTheirLettersAndRepeatWithTheirGroup)
{
    constexpr CLayout layout("B:mid 2(B:rate h:offset) L");
    static_assert(layout.Size() == 1 + 2 * 3 + 4);
    static_assert(layout.Field("offset").offset == 2 && layout.Fields<2>("offset")[1].offset == 5);
    static_assert(layout.Fields<2>("offset")[1].type == FieldType::I16 && layout.Fields<2>("rate")[1].offset == 4);
    static_assert(layout.Fields()[5].name.empty());
    constexpr CLayout joined = layout.Then(CLayout("B:sub d:value"));
    static_assert(joined.Size() == layout.Size() + 9 && joined.Field("value").offset == 12);
    static_assert(CLayout("B3l3h3BHLB12B").Fields().size() == CLayout("B 3l 3h 3B H L B 12B").Fields().size());
}

// Each byte of a payload different from its neighbours, so that a swapped or shifted field shows.
std::vector<uint8_t> Pattern(size_t size)
{
    std::vector<uint8_t> bytes(size);
    for (size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<uint8_t>(0x11 + 37 * i);
    }
    return bytes;
}

TEST(Layout, EveryLayoutEncodesWhatItDecodesAndDecodesWhatItEncodes)
{
    std::vector<const CLayout*> all = {
        &layouts::kNavigation, &layouts::kRawTrack,   &layouts::kSwVersion,  &layouts::kClockStatus,
        &layouts::kFiftyBps,   &layouts::kThroughput, &layouts::kAck,        &layouts::kAlmanac,
        &layouts::kEphemeris,  &layouts::kMgrParams1, &layouts::kMgrParams,  &layouts::kDgpsStatus,
        &layouts::kMid28,      &layouts::kMid29,      &layouts::kMid30,      &layouts::kMid31,
    };
    for (const CLayout& answer : layouts::kPollAnswers) {
        all.push_back(&answer);
    }
    for (const CCommandLayout& command : commands::kLayouts) {
        all.push_back(&command);
    }
    for (size_t i = 0; i < all.size(); ++i) {
        const CLayout& layout = *all[i];
        const std::vector<uint8_t> wire = Pattern(layout.Size());
        std::vector<uint8_t> block(layout.Size());
        layout.Decode(wire.data(), block.data());
        std::vector<uint8_t> again(layout.Size());
        layout.Encode(block.data(), again.data());
        EXPECT_EQ(again, wire) << "layout " << i;

        std::vector<uint8_t> decoded(layout.Size());
        layout.Decode(again.data(), decoded.data());
        EXPECT_EQ(decoded, block) << "layout " << i;
        size_t end = 0;
        for (const LayoutField& field : layout.Fields()) {
            EXPECT_EQ(field.offset, end) << "layout " << i << " leaves a gap or overlaps";
            end += FieldSize(field.type);
        }
        EXPECT_EQ(end, layout.Size()) << "layout " << i;
    }
}

TEST(FieldValues, SetCutsToTheFieldAndTheWireIsBigEndianWithDoublesLowHalfFirst)
{
    static constexpr CLayout layout("B:mid h:altitude L:hertz b:small d:value");
    CFieldValues values(layout);
    values.Set(layout.Field("mid"), 0x188).Set(layout.Field("altitude"), -1000);
    values.Set(layout.Field("hertz"), 0x1000004BAF0).Set(layout.Field("small"), -2);
    values.Set(layout.Field("value"), 0x3FF0000000000000);
    EXPECT_EQ(values.Get(layout.Field("mid")), 0x88);
    EXPECT_EQ(values.Get(layout.Field("altitude")), -1000);
    EXPECT_EQ(values.Get(layout.Field("hertz")), 0x4BAF0);
    EXPECT_EQ(values.Get(layout.Field("small")), -2);
    EXPECT_EQ(values.Wire(), (std::vector<uint8_t>{0x88, 0xFC, 0x18, 0x00, 0x04, 0xBA, 0xF0, 0xFE, 0, 0, 0, 0, 0x3F,
                                                   0xF0, 0, 0}));
    EXPECT_EQ(BlockValue<double>(values.Block().data(), 8), 1.0);

    const uint8_t shortWire[] = {0x88, 0xFC, 0x18, 0x00};
    const CFieldValues cut = CFieldValues::FromWire(layout, shortWire);
    EXPECT_EQ(cut.Get(layout.Field("altitude")), -1000);
    EXPECT_EQ(cut.Get(layout.Field("hertz")), 0) << "bytes past the end read as 0";
    EXPECT_EQ(cut.Wire().size(), layout.Size());
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
