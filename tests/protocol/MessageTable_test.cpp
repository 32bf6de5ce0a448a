#include "protocol/MessageTable.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <span>
#include <utility>
#include <string>
#include <vector>

#include "protocol/MessageDecoder.h"
#include "support/ProtocolFakes.h"

namespace kestrion {
namespace {

TEST(MessageTable, EveryRowIsWhole)
{
    for (const MessageKind& kind : messages::kTable) {
        EXPECT_TRUE(messages::RowIsWhole(kind)) << "MID " << static_cast<int>(kind.mid);
    }
}

using fakes::Bytes;

// A block of each byte different from its neighbours, MID first.
Bytes PatternBlock(uint8_t mid, size_t size)
{
    Bytes block(size);
    for (size_t i = 0; i < size; ++i) {
        block[i] = static_cast<uint8_t>(0x2B + 29 * i);
    }
    block[0] = mid;
    return block;
}

TEST(MessageTable, EveryLayoutFillsExactlyTheBlockItsRowNames)
{
    CMessageRecord record;
    for (const MessageKind& kind : messages::kTable) {
        const std::string name = "MID " + std::to_string(kind.mid);
        if (kind.decoding == Decoding::Layout) {
            EXPECT_EQ(kind.layout->Size(), record.BlockOf(kind.block).size()) << name;
        }
        if (kind.decoding != Decoding::None && kind.decoding != Decoding::PollAnswer &&
            kind.decoding != Decoding::DeadReckoning && kind.block != RecordBlock::Text) {
            EXPECT_FALSE(record.BlockOf(kind.mid).empty()) << name;
        }
        if (kind.rendering == Rendering::Fields) {
            EXPECT_EQ(CountConversions(kind.format), kind.layout->Fields().size()) << name;
        }
    }
    const MessageKind& manager = MessageOf(MID_RxMgrParams);
    EXPECT_EQ(layouts::kMgrParams1.Size(), record.BlockOf(manager.block, 1).size());
    EXPECT_EQ(layouts::kMgrParams.Size(), record.BlockOf(manager.block, 3).size());
    EXPECT_EQ(layouts::kTrackerHeader.Size() + kChannels * layouts::kTrackerChannel.Size(), 188u);
}

TEST(MessageTable, EveryRegularMessageDecodesWhatItsLayoutEncodes)
{
    ProtocolState state;
    fakes::CFakeHost host;
    CMessageDecoder decoder(state, host);
    CMessageRecord record;
    int checked = 0;
    for (const MessageKind& kind : messages::kTable) {
        if (kind.decoding != Decoding::Layout) {
            continue;
        }
        const Bytes block = PatternBlock(kind.mid, kind.layout->Size());
        const Bytes payload = EncodeMessage(kind, std::span<const uint8_t>(block));
        ASSERT_EQ(payload.size(), block.size()) << int(kind.mid);
        EXPECT_EQ(payload[0], kind.mid);
        decoder.Decode(record, payload, nullptr);
        EXPECT_EQ(record.type, kind.mid);
        const std::span<const uint8_t> decoded = std::as_const(record).BlockOf(kind.block);
        EXPECT_EQ(Bytes(decoded.begin(), decoded.end()), block) << "MID " << int(kind.mid);
        ++checked;
    }
    EXPECT_EQ(checked, 17);  // MIDs 1, 2, 5..9, 11, 12, 14, 15, 18, 27..31
    for (const std::string& line : host.log) {
        EXPECT_FALSE(line.starts_with("Unk:")) << "a regular message was taken for an unknown one: " << line;
    }
}

TEST(MessageTable, NamesAreTheCatalogueOnesAndTheUnnamedOutputsStayUnknown)
{
    std::ifstream file(KESTRION_TEST_DATA "/render/mid-names.txt");
    ASSERT_TRUE(file) << "missing mid-names.txt";
    int mid = 0;
    std::string name;
    int lines = 0;
    while (file >> mid && std::getline(file >> std::ws, name)) {
        EXPECT_EQ(MidName(mid), name);
        ++lines;
    }
    EXPECT_EQ(lines, 256);
    EXPECT_EQ(MidName(300), "Unknown MID:300");
    EXPECT_EQ(MidName(-1), "Unknown MID:-1");
    EXPECT_EQ(FindMessage(MID_TrackerSummary)->name, "");
    EXPECT_EQ(FindMessage(0), nullptr);
}

TEST(MessageTable, ScaledFieldsReadAsTheHandValuesAndEncodeBackToTheirCounts)
{
    static_assert(fields::kAzimuth.scale.numerator == 3 && fields::kAzimuth.scale.denominator == 2);
    static_assert(fields::kNavVelocity[1].name == "vy" && fields::kNavVelocity[1].unit == "m/s");
    static_assert(CLayout("B h:x*3/20[m] B").Fields()[1].unit == "m" && CLayout("h:x*3/20").Field("x").offset == 0);

    // The navigation payload of the decoder's tests: velocity -8, 16, 0; DOP 5; time of week 10000000.
    const Bytes payload = {0x02, 0xFF, 0xF0, 0xBD, 0xC0, 0x00, 0x3D, 0x09, 0x00, 0x00, 0x00, 0x00, 0x01, 0xFF,
                           0xF8, 0x00, 0x10, 0x00, 0x00, 0x04, 0x05, 0x02, 0x04, 0xB0, 0x00, 0x98, 0x96, 0x80,
                           0x04, 0x07, 0x0D, 0x11, 0x1B, 0,    0,    0,    0,    0,    0,    0,    0};
    ProtocolState state;
    fakes::CFakeHost host;
    CMessageRecord record;
    CMessageDecoder(state, host).Decode(record, payload, nullptr);
    const NavBlock& nav = record.nav;
    EXPECT_EQ(fields::kNavVelocity[0].Scaled(nav.vx), nav.vx * 0.125);
    EXPECT_EQ(fields::kNavVelocity[0].Scaled(nav.vx), -1.0);
    EXPECT_EQ(fields::kNavVelocity[1].Scaled(nav.vy), 2.0);
    EXPECT_EQ(fields::kNavDop.Scaled(nav.dop), nav.dop * 0.2);
    EXPECT_EQ(fields::kNavTow.Scaled(nav.tow), nav.tow * 0.01);
    EXPECT_EQ(fields::kNavTow.Scaled(nav.tow), 100000.0);

    // Every count of a byte field comes back from its value, and the values are the hand ones.
    for (int count = 0; count <= 0xFF; ++count) {
        EXPECT_EQ(fields::kNavDop.Scaled(count), count * 0.2);
        EXPECT_EQ(static_cast<int>(fields::kAzimuth.Scaled(count)), count * 3 / 2);
        EXPECT_EQ(static_cast<int>(fields::kElevation.Scaled(count)), count / 2);
        EXPECT_EQ(fields::kDgpsCorrection.Scaled(count), count * 0.01);
        for (const LayoutField& field : {fields::kNavDop, fields::kAzimuth, fields::kElevation, fields::kNavVelocity[2]}) {
            EXPECT_EQ(std::lround(field.Unscaled(field.Scaled(count))), count) << field.name;
        }
    }
    EXPECT_EQ(fields::kNavVelocity[0].UnscaledWhole(-3), -24);
}

}  // namespace
}  // namespace kestrion
