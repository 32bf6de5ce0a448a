#include "protocol/CommandFrame.h"

#include <gtest/gtest.h>

#include <numeric>

namespace kestrion {
namespace {

using Bytes = std::vector<uint8_t>;

TEST(CommandFrame, SoftwareVersionPollIsFramedByteForByte)
{
    const uint8_t payload[] = {0x84, 0x00};
    EXPECT_EQ(BuildCommandFrame(payload),
              (Bytes{0xA0, 0xA2, 0x00, 0x02, 0x84, 0x00, 0x00, 0x84, 0xB0, 0xB3}));
}

TEST(CommandFrame, ChecksumKeepsTheLow16BitsOfTheSum)
{
    // 257 * 0xFF + 6 = 65536 + 5
    Bytes payload(257, 0xFF);
    payload.push_back(0x06);
    const Bytes frame = BuildCommandFrame(payload);

    ASSERT_EQ(frame.size(), payload.size() + 8);
    EXPECT_EQ(frame[2], 0x01);  // length 258, big-endian
    EXPECT_EQ(frame[3], 0x02);
    EXPECT_TRUE(std::equal(payload.begin(), payload.end(), frame.begin() + 4));
    EXPECT_EQ(frame[frame.size() - 4], 0x00);
    EXPECT_EQ(frame[frame.size() - 3], 0x05);
    EXPECT_EQ(frame[frame.size() - 2], 0xB0);
    EXPECT_EQ(frame[frame.size() - 1], 0xB3);
}

TEST(CommandFrame, LargestPayloadCarriesItsLengthAndSumBigEndian)
{
    Bytes payload(1008);
    std::iota(payload.begin(), payload.end(), uint8_t{0});
    const Bytes frame = BuildCommandFrame(payload);

    ASSERT_EQ(frame.size(), 1016u);
    EXPECT_EQ(frame[2], 0x03);
    EXPECT_EQ(frame[3], 0xF0);
    // 3 * 32640 + (0 + ... + 239) = 126600 = 0x1EE88
    EXPECT_EQ(frame[1012], 0xEE);
    EXPECT_EQ(frame[1013], 0x88);
}

TEST(NmeaSentence, BodyIsWrappedWithItsXorChecksum)
{
    EXPECT_EQ(BuildNmeaSentence("PORV100,0,38400,8,1,0"), "\r\n$PORV100,0,38400,8,1,0*30\r\n");
    EXPECT_EQ(BuildNmeaSentence("GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,"),
              "\r\n$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47\r\n");
}

TEST(NmeaSentence, EmptyBodyAndNonPrintableCharacters)
{
    EXPECT_EQ(BuildNmeaSentence(""), "\r\n$*00\r\n");
    // Bytes outside 0x20..0x7E take part with their byte value; the digits stay upper case.
    EXPECT_EQ(BuildNmeaSentence("\x7F\x80"
                                "A"),
              "\r\n$\x7F\x80"
              "A*BE\r\n");
    EXPECT_EQ(NmeaChecksum(std::string_view("\xFF\x01", 2)), 0xFE);
}

}  // namespace
}  // namespace kestrion
