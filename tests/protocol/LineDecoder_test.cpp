#include "protocol/LineDecoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <span>
#include <string>

namespace kestrion {
namespace {

constexpr uint32_t kWeekLength = 60479900;

std::span<const uint8_t> NavBytes(const CMessageRecord& record)
{
    return {reinterpret_cast<const uint8_t*>(&record.nav), sizeof record.nav};
}

std::span<const uint8_t> TrackerBytes(const CMessageRecord& record)
{
    return {reinterpret_cast<const uint8_t*>(&record.tracker), sizeof record.tracker};
}

bool AllZero(std::span<const uint8_t> bytes)
{
    return std::ranges::all_of(bytes, [](uint8_t b) { return b == 0; });
}

class LineDecoder : public ::testing::Test {
protected:
    bool Decode(std::string_view line, uint16_t week = 1000, uint32_t offset = 100)
    {
        return DecodeLine(m_record, line, m_error, week, offset);
    }

    CMessageRecord m_record;
    std::string m_error = "stale";
};

TEST_F(LineDecoder, TruthLineFillsPositionVelocityAndTime)
{
    ASSERT_TRUE(Decode("10,1,2,3,4,5,6\n"));
    EXPECT_EQ(m_error, "");
    EXPECT_EQ(m_record.type, 1);
    EXPECT_EQ(m_record.nav.mid, 1);
    EXPECT_EQ(m_record.Week(), 1000);
    EXPECT_EQ(m_record.Tow(), 1100u);
    EXPECT_EQ(m_record.nav.x, 1);
    EXPECT_EQ(m_record.nav.y, 2);
    EXPECT_EQ(m_record.nav.z, 3);
    EXPECT_EQ(m_record.nav.vx, 32);
    EXPECT_EQ(m_record.nav.vy, 40);
    EXPECT_EQ(m_record.nav.vz, 48);
    EXPECT_EQ(m_record.nav.mode1, 0);
    EXPECT_EQ(m_record.nav.svCount, 0);

    ASSERT_TRUE(Decode("0,4177541,-855082,4727839,-3,0,12\r\n", 1234, 0));
    EXPECT_EQ(m_record.nav.y, -855082);
    EXPECT_EQ(m_record.nav.vx, -24);
    EXPECT_EQ(m_record.nav.vz, 96);
}

TEST_F(LineDecoder, TruthTimePastTheWeekRollsIntoTheNextWeek)
{
    // 100 + 604799 * 100 = 60480000
    ASSERT_TRUE(Decode("604799,0,0,0,0,0,0\n", 1000, 100));
    EXPECT_EQ(m_record.Week(), 1001);
    EXPECT_EQ(m_record.Tow(), 100u);

    // Exactly the week length stays in the week.
    ASSERT_TRUE(Decode("604799,0,0,0,0,0,0\n", 1000, 0));
    EXPECT_EQ(m_record.Week(), 1000);
    EXPECT_EQ(m_record.Tow(), kWeekLength);

    // A large offset alone can roll the week as well.
    ASSERT_TRUE(Decode("1,0,0,0,0,0,0\n", 1000, kWeekLength));
    EXPECT_EQ(m_record.Week(), 1001);
    EXPECT_EQ(m_record.Tow(), 100u);
}

TEST_F(LineDecoder, SevenFieldsAreAlwaysATruthLine)
{
    // Meant as a hexadecimal line, but read as decimals.
    ASSERT_TRUE(Decode("A,2,1F,3,4,5,6\n"));
    EXPECT_EQ(m_record.type, 1);
    EXPECT_EQ(m_record.Tow(), 100u);
    EXPECT_EQ(m_record.nav.x, 2);
    EXPECT_EQ(m_record.nav.y, 1);
    EXPECT_EQ(m_record.nav.vz, 48);

    // Empty fields do not count.
    ASSERT_TRUE(Decode(",1,,2,3,,,4,5,6,7\n"));
    EXPECT_EQ(m_record.type, 1);
    EXPECT_EQ(m_record.nav.vz, 56);
}

TEST_F(LineDecoder, HexLineWithMatchingCountFillsTheNavigationBlock)
{
    ASSERT_TRUE(Decode("4,2,AB\n"));
    EXPECT_EQ(m_error, "");
    EXPECT_EQ(m_record.type, 2);
    const auto nav = NavBytes(m_record);
    EXPECT_EQ(nav[0], 0x02);
    EXPECT_EQ(nav[1], 0xAB);
    EXPECT_TRUE(AllZero(nav.subspan(2)));
}

TEST_F(LineDecoder, HexLineWithWrongCountKeepsBytesAndFails)
{
    EXPECT_FALSE(Decode("5,2,AB\n"));
    EXPECT_EQ(m_error, "Item counts not equal.");
    EXPECT_EQ(m_record.type, 2);
    EXPECT_EQ(NavBytes(m_record)[0], 0x02);
    EXPECT_EQ(NavBytes(m_record)[1], 0xAB);

    // The error text is emptied by the next line.
    EXPECT_TRUE(Decode("4,2,AB\n"));
    EXPECT_EQ(m_error, "");
}

TEST_F(LineDecoder, LineEndsAndEmptyLines)
{
    // Literally empty: no field, an empty record.
    EXPECT_TRUE(Decode("4,2,AB\n"));
    EXPECT_TRUE(Decode(""));
    EXPECT_EQ(m_record.type, 0);
    EXPECT_EQ(m_error, "");

    // A line end alone is one field.
    EXPECT_FALSE(Decode("\n"));
    EXPECT_EQ(m_error, "Invalid data encountered.");
    EXPECT_FALSE(Decode("\r\n"));
    EXPECT_EQ(m_error, "Invalid data encountered.");

    // After the last number the line end only ends it ...
    EXPECT_TRUE(Decode("4,2,AB\r\n"));
    EXPECT_TRUE(Decode("4,2,AB"));
    // ... but after a trailing comma it is a field of its own, a zero byte.
    EXPECT_FALSE(Decode("4,2,AB,\n"));
    EXPECT_EQ(m_error, "Item counts not equal.");
    EXPECT_TRUE(Decode("5,2,AB,\n"));
    EXPECT_EQ(NavBytes(m_record)[2], 0);
}

TEST_F(LineDecoder, OneFieldIsInvalidDataAndEmptyFieldsDoNotCount)
{
    EXPECT_FALSE(Decode("7\n"));
    EXPECT_EQ(m_error, "Invalid data encountered.");
    EXPECT_EQ(m_record.type, 0);
    EXPECT_FALSE(Decode(",,7,,"));
    EXPECT_EQ(m_error, "Invalid data encountered.");

    ASSERT_TRUE(Decode(",4,,2,,,AB"));
    EXPECT_EQ(NavBytes(m_record)[1], 0xAB);
}

TEST_F(LineDecoder, NonNumbersDecodeAsZeroUpToTheFirstInvalidCharacter)
{
    ASSERT_TRUE(Decode("7,2,1G,zz, 3f,0x12\n"));
    const auto nav = NavBytes(m_record);
    EXPECT_EQ(nav[1], 0x01);
    EXPECT_EQ(nav[2], 0x00);
    EXPECT_EQ(nav[3], 0x3F);
    EXPECT_EQ(nav[4], 0x00);
    // A value above a byte keeps its low byte.
    ASSERT_TRUE(Decode("4,2,1AB\n"));
    EXPECT_EQ(NavBytes(m_record)[1], 0xAB);
}

TEST_F(LineDecoder, TrackerMidsFillTheTrackerBlock)
{
    for (const char* line : {"6,4,1,2,3\n", "6,3,1,2,3\n", "6,17,1,2,3\n"}) {
        SCOPED_TRACE(line);
        m_record = CMessageRecord{};
        ASSERT_TRUE(Decode(line));
        const auto tracker = TrackerBytes(m_record);
        EXPECT_EQ(tracker[0], m_record.type);
        EXPECT_EQ(tracker[1], 1);
        EXPECT_EQ(tracker[3], 3);
        EXPECT_TRUE(AllZero(NavBytes(m_record)));
    }
    // Any other MID goes to the navigation block.
    ASSERT_TRUE(Decode("6,6,1,2,3\n"));
    EXPECT_EQ(m_record.type, 6);
    EXPECT_EQ(NavBytes(m_record)[3], 3);
}

TEST_F(LineDecoder, FieldsBeyondTheBlockAreCountedNotStored)
{
    // MID and 44 bytes: 41 stored, declared 44 + 3 = 0x2F.
    std::string line = "2F,2";
    for (int i = 1; i <= 44; ++i) {
        line += ',' + std::to_string(i % 10);
    }
    ASSERT_TRUE(Decode(line + "\n"));
    EXPECT_EQ(NavBytes(m_record)[40], 0);  // field 40: 40 % 10
    EXPECT_EQ(NavBytes(m_record)[39], 9);
    EXPECT_TRUE(AllZero(TrackerBytes(m_record)));

    // Tracker: MID and 210 bytes of FF, 200 stored.
    std::string trackerLine = "D5,4";
    for (int i = 0; i < 210; ++i) {
        trackerLine += ",FF";
    }
    ASSERT_TRUE(Decode(trackerLine + "\n"));
    EXPECT_TRUE(std::ranges::all_of(TrackerBytes(m_record).subspan(1),
                                    [](uint8_t b) { return b == 0xFF; }));
    EXPECT_TRUE(AllZero(NavBytes(m_record)));
}

TEST_F(LineDecoder, NoByteOfAnEarlierLineSurvives)
{
    // A MID 6 line fills the navigation block, although type 6 has a block of its own.
    std::string mid6Line = "2B,6";
    for (int i = 0; i < 40; ++i) {
        mid6Line += ",EE";
    }
    ASSERT_TRUE(Decode(mid6Line));
    ASSERT_EQ(m_record.type, 6);
    ASSERT_TRUE(Decode("4,2,AB\n"));
    EXPECT_TRUE(AllZero(NavBytes(m_record).subspan(2)));

    ASSERT_TRUE(Decode(mid6Line));
    ASSERT_TRUE(Decode("10,0,0,0,0,0,0\n"));
    EXPECT_EQ(m_record.Week(), 1000);
    EXPECT_TRUE(AllZero(NavBytes(m_record).subspan(13, 9)));  // velocity and modes
    EXPECT_TRUE(AllZero(NavBytes(m_record).subspan(28)));     // SV list
}

}  // namespace
}  // namespace kestrion
