#include "protocol/LineDecoder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/ProtocolFakes.h"

namespace kestrion {
namespace {

using fakes::Bytes;
using fakes::BytesOf;
constexpr uint32_t kWeekLength = 60479900;
constexpr const char* kCounts = "Item counts not equal.";
constexpr const char* kInvalid = "Invalid data encountered.";

std::string Fields(std::string line, const std::string& field, int count)
{
    while (count-- > 0) {
        line += "," + field;
    }
    return line;
}

TEST(LineDecoder, SevenFieldsAreATruthLineOfDecimalsWhoseTimeRollsIntoTheNextWeek)
{
    const struct {
        const char* line;
        uint16_t week;
        uint32_t offset;
        NavBlock nav;
    } cases[] = {
        {"10,1,2,3,4,5,6\n", 1000, 100, {.x = 1, .y = 2, .z = 3, .vx = 32, .vy = 40, .vz = 48, .week = 1000, .tow = 1100}},
        {"0,4177541,-855082,4727839,-3,0,12\r\n", 1234, 0,
         {.x = 4177541, .y = -855082, .z = 4727839, .vx = -24, .vz = 96, .week = 1234}},
        {"604799,0,0,0,0,0,0\n", 1000, 100, {.week = 1001, .tow = 100}},  // 100 + 604799 * 100 = 60480000
        {"604799,0,0,0,0,0,0\n", 1000, 0, {.week = 1000, .tow = kWeekLength}},
        {"1,0,0,0,0,0,0\n", 1000, kWeekLength, {.week = 1001, .tow = 100}},
        // Meant as a hexadecimal line, but read as decimals; empty fields do not count.
        {"A,2,1F,3,4,5,6\n", 1000, 100, {.x = 2, .y = 1, .z = 3, .vx = 32, .vy = 40, .vz = 48, .week = 1000, .tow = 100}},
        {",1,,2,3,,,4,5,6,7\n", 1000, 100, {.x = 2, .y = 3, .z = 4, .vx = 40, .vy = 48, .vz = 56, .week = 1000, .tow = 200}},
    };
    for (auto c : cases) {
        SCOPED_TRACE(c.line);
        CMessageRecord record;
        std::string error;
        ASSERT_TRUE(DecodeLine(record, Fields("2B,6", "EE", 40), error, 0, 0));  // fills the navigation block
        error = "stale";
        ASSERT_TRUE(DecodeLine(record, c.line, error, c.week, c.offset));
        EXPECT_EQ(error, "");
        EXPECT_EQ(record.type, 1);
        c.nav.mid = 1;
        EXPECT_EQ(BytesOf(record.nav), BytesOf(c.nav));
    }
}

TEST(LineDecoder, OtherLinesAreHexBytesOfTheNavigationOrTrackerBlock)
{
    enum Block { None, Nav, Tracker };
    Bytes upToForty = {2};  // field n holds n % 10
    for (int i = 1; i <= 40; ++i) {
        upToForty.push_back(static_cast<uint8_t>(i % 10));
    }
    Bytes fullTracker(sizeof(TrackerBlock), 0xFF);
    fullTracker[0] = 4;
    const struct {
        std::string line;
        bool ok;
        const char* error;
        int type;
        Block block;
        Bytes bytes;  // the start of the block; the rest is zero
    } cases[] = {
        {"4,2,AB\n", true, "", 2, Nav, {2, 0xAB}},
        {"5,2,AB\n", false, kCounts, 2, Nav, {2, 0xAB}},
        {"", true, "", 0, None, {}},  // literally empty: no field, an empty record
        {"\n", false, kInvalid, 0, None, {}},  // a line end alone is one field
        {"\r\n", false, kInvalid, 0, None, {}},
        {"7\n", false, kInvalid, 0, None, {}},
        {",,7,,", false, kInvalid, 0, None, {}},
        {",4,,2,,,AB", true, "", 2, Nav, {2, 0xAB}},
        // After the last number the line end only ends it, after a trailing comma it is a zero byte.
        {"4,2,AB\r\n", true, "", 2, Nav, {2, 0xAB}},
        {"4,2,AB", true, "", 2, Nav, {2, 0xAB}},
        {"4,2,AB,\n", false, kCounts, 2, Nav, {2, 0xAB}},
        {"5,2,AB,\n", true, "", 2, Nav, {2, 0xAB, 0}},
        // Decoding stops at the first invalid character; a value above a byte keeps its low byte.
        {"7,2,1G,zz, 3f,0x12\n", true, "", 2, Nav, {2, 1, 0, 0x3F, 0}},
        {"4,2,1AB\n", true, "", 2, Nav, {2, 0xAB}},
        {"6,4,1,2,3\n", true, "", 4, Tracker, {4, 1, 2, 3}},
        {"6,3,1,2,3\n", true, "", 3, Tracker, {3, 1, 2, 3}},
        {"6,17,1,2,3\n", true, "", 23, Tracker, {23, 1, 2, 3}},
        {"6,6,1,2,3\n", true, "", 6, Nav, {6, 1, 2, 3}},  // type 6 has a block of its own
        // Fields beyond the block are counted, not stored: 44 + 3 = 0x2F.
        {Fields("2F,2", "1,2,3,4,5,6,7,8,9,0", 4) + ",1,2,3,4\n", true, "", 2, Nav, upToForty},
        {Fields("D5,4", "FF", 210), true, "", 4, Tracker, fullTracker},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        CMessageRecord record;
        std::string error;
        // An earlier line fills the block the case uses; none of its bytes may survive.
        if (c.block != None) {
            ASSERT_TRUE(DecodeLine(record, c.block == Nav ? Fields("2B,6", "EE", 40) : Fields("D5,4", "EE", 210), error, 0, 0));
        }
        error = "stale";
        EXPECT_EQ(DecodeLine(record, c.line, error, 1000, 100), c.ok);
        EXPECT_EQ(error, c.error);
        EXPECT_EQ(record.type, c.type);
        if (c.block != None) {
            Bytes nav(sizeof(NavBlock)), tracker(sizeof(TrackerBlock));
            Bytes& used = c.block == Nav ? nav : tracker;
            std::copy(c.bytes.begin(), c.bytes.end(), used.begin());
            EXPECT_EQ(BytesOf(record.nav), nav);
            EXPECT_EQ(BytesOf(record.tracker), tracker);
        }
    }
}

}  // namespace
}  // namespace kestrion
