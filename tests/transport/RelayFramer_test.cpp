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

// Cuts frames and sentences for a sharing client: each whole unit lands in units.
struct CommandHarness {
    explicit CommandHarness(size_t maxPayload = 1008)
        : framer({maxPayload, true},
                 [this](std::span<const uint8_t> unit) { units.emplace_back(unit.begin(), unit.end()); })
    {
    }
    void Feed(const Bytes& bytes) { framer.Accept(bytes.data(), bytes.size()); }

    std::vector<Bytes> units;
    CRelayFramer framer;
};

Bytes Text(const std::string& text) { return Bytes(text.begin(), text.end()); }

TEST(RelayFramer, CutsWholeSentencesBetweenFramesWhenAskedTo)
{
    const Bytes frame = FrameOf(300);
    const Bytes sentence = Text("$PORV101,1*3A\r\n");
    const Bytes bare = Text("$PORV100,0,38400,8,1,0\r\n");  // the checksum is the receiver's to judge
    CommandHarness harness;
    harness.Feed(Join({Text("junk"), sentence, frame, Text("\r\n"), bare, frame}));
    EXPECT_EQ(harness.units, (std::vector<Bytes>{sentence, frame, bare, frame}));

    // Payload bytes that look like a sentence stay inside their frame.
    Bytes dollars = BuildCommandFrame(Text("$GPGGA\r\n"));
    CommandHarness inside;
    inside.Feed(dollars);
    EXPECT_EQ(inside.units, std::vector<Bytes>{dollars});

    // The relay to the receiver's port takes no sentences and no frames over 99 payload bytes.
    Harness relay;
    relay.Feed(Join({sentence, frame, FrameOf(99)}));
    EXPECT_EQ(relay.writer.Frames(), std::vector<Bytes>{FrameOf(99)});
}

TEST(RelayFramer, DropsBrokenSentencesAndStartsAgainAtTheByteThatBrokeThem)
{
    const Bytes good = Text("$GPQ,GGA*2B\r\n");
    const Bytes frame = FrameOf(4);
    struct Case {
        const char* name;
        Bytes stream;
        std::vector<Bytes> units;
    };
    const Bytes longest = Join({Text("$"), Bytes(251, 'A'), Text("\r\n")});  // 254 bytes
    for (const Case& c : {Case{"a control byte", Join({Text("$GPQ,G\x01"), good}), {good}},
                          Case{"a new dollar", Join({Text("$GPQ,"), good}), {good}},
                          Case{"CR without LF", Join({Text("$GPQ,GGA\r$"), Text("GPQ,GGA*2B\r\n")}), {good}},
                          Case{"LF alone", Join({Text("$GPQ,GGA\n"), good}), {good}},
                          Case{"a frame start", Join({Text("$GPQ"), frame, good}), {frame, good}},
                          Case{"254 bytes at most", Join({longest, Text("$"), Bytes(252, 'A'), Text("\r\n"), good}),
                               {longest, good}}}) {
        SCOPED_TRACE(c.name);
        CommandHarness harness;
        harness.Feed(c.stream);
        EXPECT_EQ(harness.units, c.units);

        // The same, one byte at a time.
        CommandHarness bytewise;
        for (const uint8_t byte : c.stream) {
            bytewise.framer.Accept(&byte, 1);
        }
        EXPECT_EQ(bytewise.units, c.units);
    }
}

}  // namespace
}  // namespace kestrion
