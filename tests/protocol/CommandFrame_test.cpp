#include "protocol/CommandFrame.h"

#include <gtest/gtest.h>

#include <numeric>

#include "support/ProtocolFakes.h"

namespace kestrion {
namespace {

using fakes::Bytes;

TEST(CommandFrame, FramesThePayloadWithBigEndianLengthAndLow16BitsOfTheSum)
{
    EXPECT_EQ(BuildCommandFrame(Bytes{0x84, 0x00}), (Bytes{0xA0, 0xA2, 0x00, 0x02, 0x84, 0x00, 0x00, 0x84, 0xB0, 0xB3}));
    struct Case {
        Bytes payload;
        Bytes head, tail;  // the four bytes around the payload on each side
    };
    Bytes wraps(257, 0xFF);  // 257 * 0xFF + 6 = 65536 + 5
    wraps.push_back(0x06);
    Bytes largest(1008);  // 3 * 32640 + (0 + ... + 239) = 126600 = 0x1EE88
    std::iota(largest.begin(), largest.end(), uint8_t{0});
    for (const Case& c : {Case{wraps, {0xA0, 0xA2, 0x01, 0x02}, {0x00, 0x05, 0xB0, 0xB3}},
                          Case{largest, {0xA0, 0xA2, 0x03, 0xF0}, {0xEE, 0x88, 0xB0, 0xB3}}}) {
        EXPECT_EQ(BuildCommandFrame(c.payload), fakes::Join({c.head, c.payload, c.tail}));
    }
}

TEST(NmeaSentence, BodyIsWrappedWithItsXorChecksum)
{
    EXPECT_EQ(BuildNmeaSentence("PORV100,0,38400,8,1,0"), "\r\n$PORV100,0,38400,8,1,0*30\r\n");
    EXPECT_EQ(BuildNmeaSentence("GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,"),
              "\r\n$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47\r\n");
    EXPECT_EQ(BuildNmeaSentence(""), "\r\n$*00\r\n");
    // Bytes outside 0x20..0x7E take part with their byte value; the digits stay upper case.
    EXPECT_EQ(BuildNmeaSentence("\x7F\x80" "A"), "\r\n$\x7F\x80" "A*BE\r\n");
    EXPECT_EQ(NmeaChecksum(std::string_view("\xFF\x01", 2)), 0xFE);
}

TEST(NmeaSentence, AReceiverSendsItWithoutTheLeadingLineEnd)
{
    EXPECT_EQ(WrapNmeaBody("GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,"),
              "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47\r\n");
    EXPECT_EQ(WrapNmeaBody(""), "$*00\r\n");
}

}  // namespace
}  // namespace kestrion
