#include "transport/RelayFramer.h"

#include <gtest/gtest.h>

#include <vector>

#include "RelayFakes.h"
#include "protocol/CommandFrame.h"

namespace kestrion {
namespace {

using fakes::Bytes;
using fakes::Join;

// A frame whose payload of size bytes never holds a start byte.
Bytes FrameOf(size_t size)
{
    Bytes payload(size);
    for (size_t i = 0; i < size; ++i) {
        payload[i] = static_cast<uint8_t>(i % 0x7F + 1);
    }
    return BuildCommandFrame(payload);
}

struct Harness {
    void Feed(const Bytes& bytes) { framer.Accept(bytes.data(), bytes.size()); }

    fakes::CRecordingWriter writer;
    CRelayFramer framer{writer};
};

TEST(RelayFramer, RelaysWholeFramesOfAtMost99PayloadBytesAndLeavesTheChecksumToTheReceiver)
{
    const Bytes largest = FrameOf(99);
    const Bytes empty{0xA0, 0xA2, 0x00, 0x00, 0x00, 0x00, 0xB0, 0xB3};
    Bytes wrongSum = FrameOf(20);
    wrongSum[wrongSum.size() - 3] ^= 0x5A;
    Harness harness;
    harness.Feed(Join({FrameOf(100), largest, FrameOf(1000), empty, wrongSum}));
    EXPECT_EQ(harness.writer.Frames(), (std::vector<Bytes>{largest, empty, wrongSum}));
}

TEST(RelayFramer, DropsBrokenFramesAndWaitsForTheNextStart)
{
    const Bytes good = FrameOf(5);
    const Bytes withoutEnd(good.begin(), good.end() - 2);
    const Bytes afterStart(good.begin() + 2, good.end());

    struct Case {
        const char* name;
        Bytes broken;
    };
    for (const Case& c : {Case{"second end byte", Join({withoutEnd, Bytes{0xB0, 0xB4}})},
                          Case{"first end byte", Join({withoutEnd, Bytes{0xB1, 0xB3}})},
                          Case{"A0 A0 A2 is no start", Join({Bytes{0xA0}, good})},
                          Case{"second start byte", Join({Bytes{0xA0, 0xA3}, afterStart})}}) {
        SCOPED_TRACE(c.name);
        Harness harness;
        harness.Feed(Join({Bytes{0x00, 0xB0, 0xB3, 0xA2}, c.broken, Bytes{0x42}, good}));
        EXPECT_EQ(harness.writer.Frames(), std::vector<Bytes>{good});
    }
}

TEST(RelayFramer, AssemblesFramesAcrossCallsUntilReset)
{
    const Bytes frame = FrameOf(12);
    for (size_t split = 0; split <= frame.size(); ++split) {
        SCOPED_TRACE(split);
        Harness harness;
        harness.Feed(Bytes(frame.begin(), frame.begin() + static_cast<long>(split)));
        harness.Feed(Bytes(frame.begin() + static_cast<long>(split), frame.end()));
        EXPECT_EQ(harness.writer.Frames(), std::vector<Bytes>{frame});
    }

    Harness byteByByte;
    for (const uint8_t byte : Join({frame, frame})) {
        byteByByte.framer.Accept(&byte, 1);
    }
    EXPECT_EQ(byteByByte.writer.Frames(), (std::vector<Bytes>{frame, frame}));

    // Reset drops the frame in assembly.
    Harness reset;
    reset.Feed(Bytes(frame.begin(), frame.begin() + 6));
    reset.framer.Reset();
    reset.Feed(Join({Bytes(frame.begin() + 6, frame.end()), frame}));
    EXPECT_EQ(reset.writer.Frames(), std::vector<Bytes>{frame});
}

}  // namespace
}  // namespace kestrion
