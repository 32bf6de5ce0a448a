#include "protocol/CommandPayload.h"

#include <gtest/gtest.h>

#include "support/ProtocolFakes.h"

namespace kestrion {
namespace {

using fakes::Bytes;

TEST(CPayload, WritesFieldsBigEndianAfterTheMid)
{
    EXPECT_EQ(CPayload(2).U8(0x1FF).U16(0x1234).U32(0x89ABCDEF).Bytes(),
              (Bytes{2, 0xFF, 0x12, 0x34, 0x89, 0xAB, 0xCD, 0xEF}));
    EXPECT_EQ(CPayload(2).I16(-2).I32(-70000).I16(300).Bytes(),
              (Bytes{2, 0xFF, 0xFE, 0xFF, 0xFE, 0xEE, 0x90, 0x01, 0x2C}));
}

TEST(CPayload, TextIsPaddedWithNulsOrCutToItsWidth)
{
    EXPECT_EQ(CPayload(6).Text("2.0", 5).Text("abc", 2).Text("xy").Bytes(),
              (Bytes{6, '2', '.', '0', 0, 0, 'a', 'b', 'x', 'y'}));
}

}  // namespace
}  // namespace kestrion
