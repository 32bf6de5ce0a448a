#include "protocol/PlaybackFramer.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "support/ProtocolFakes.h"
#include "protocol/CommandFrame.h"
#include "protocol/RecordDelivery.h"

namespace kestrion {
namespace {

using namespace fakes;

Bytes AckOfLength(size_t length)
{
    Bytes payload(length, 0x0B);
    payload[1] = 0x84;
    return BuildCommandFrame(payload);
}

struct Harness {
    bool Feed(const Bytes& bytes) { return framer.Accept(bytes.data(), bytes.size()); }

    CFakeHost host;
    ProtocolState state;
    CMessageDecoder decoder{state, host};
    CMessageRecord record;
    CFakeSink feed{&host.journal};
    CRecordDelivery delivery{decoder, record, feed, nullptr, CRecordDelivery::Line::Playback};
    CPlaybackFramer framer{delivery, host};
};

TEST(PlaybackFramer, TellsWhetherAChunkHadBytesAndASentenceEndsVersionDetection)
{
    Harness h;
    const uint8_t byte = 0;
    EXPECT_FALSE(h.framer.Accept(nullptr, 3));
    EXPECT_FALSE(h.framer.Accept(&byte, 0));
    EXPECT_TRUE(h.Feed(Ascii("$GPGGA,1*00\r\n")));
    EXPECT_EQ(h.host.journal, (CallJournal{"activity", "record:255:$GPGGA,1*00", "data-received"}));
    EXPECT_FALSE(h.state.versionDetection);
}

TEST(PlaybackFramer, FramesEachStreamAsExpected)
{
    const CallJournal ack = {"record:11", "data-received"};
    const std::string badSum = "log:Comm: Checksum Error\n";
    Bytes corrupt = Ack(0x84);
    corrupt[7] ^= 1;
    Bytes noTail = Ack(0x84);
    noTail.resize(noTail.size() - 2);

    const struct {
        const char* name;
        Bytes input;
        CallJournal calls;
    } cases[] = {
        {"frame, no version poll", Ack(0x84), ack},
        {"bad checksum stays in End2", Join({corrupt, {0xB3}, Ack(1)}), {badSum, badSum, ack[0], ack[1]}},
        {"length 255", AckOfLength(255), ack},
        {"length 256", AckOfLength(256), {}},
        {"length 0", {0xA0, 0xA2, 0x00, 0x00, 0x00, 0x00, 0xB0, 0xB3}, {}},
        {"A0 A0 A2", Join({{0xA0}, Ack(1)}), ack},
        {"A0 A2 A0 A2", Join({{0xA0, 0xA2}, Ack(1)}), ack},
        {"A0 as length low", Join({{0xA0, 0xA2, 0x05}, Ack(1)}), ack},
        {"$ inside a sentence", Ascii("$GP$X\r\n"), {"record:255:$GP$X", "data-received"}},
        {"254 bytes", Ascii("$" + std::string(251, 'X') + "\r\n"), {"record:255:$" + std::string(251, 'X'), "data-received"}},
        {"255 bytes", Ascii("$" + std::string(252, 'X') + "\r\n"), {}},
        {"control character", Ascii("$G\x01P\r\n"), {}},
        {"CR without LF", Ascii("$G\r\r\n"), {}},
        {"sentence then frame", Join({Ascii("$A\r\n"), Ack(1), Ascii("$B\r\n")}),
         {"record:255:$A", "data-received", ack[0], ack[1], "record:255:$B", "data-received"}},
        {"frame inside a sentence", Join({Ascii("$GPGGA,1"), Ack(1), Ascii(",2\r\n")}), ack},
        {"failed start drops a sentence", Join({Ascii("$GP"), {0xA0}, Ascii("X\r\n")}), {}},
        {"rejected start byte begins a sentence", Join({{0xA0}, Ascii("$GP\r\n")}), {"record:255:$GP", "data-received"}},
        {"tail byte begins a sentence", Join({noTail, Ascii("$A\r\n")}), {"record:255:$A", "data-received"}},
        {"LF alone after a good checksum", Ascii("$GPGSV,3*4A\n$B\r\n"),
         {"record:255:$GPGSV,3*4A", "data-received", "record:255:$B", "data-received"}},
        {"LF alone without a good checksum", Ascii("$GPGSV,3*4B\n$A\n$%&\n$B\r\n"),
         {"record:255:$B", "data-received"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Harness h;
        h.Feed(c.input);
        EXPECT_EQ(h.host.Calls(), c.calls);
        EXPECT_TRUE(h.host.faults.empty());
    }
}

TEST(PlaybackFramer, GivesTheSameResultHoweverTheStreamIsCut)
{
    Bytes corrupt = Ack(0x84);
    corrupt[7] ^= 1;
    const Bytes stream = Join({Ack(1), Ascii("$GPGSV,3*7A\r\n"), corrupt, AckOfLength(300), Ascii("$GP"), Ack(2),
                               Ascii("$" + std::string(260, 'Y') + "\r\n"), AckOfLength(255), {0xA0, 0xA0, 0xA2},
                               Ack(3), Ascii("$GP$\r\n")});
    Harness whole;
    whole.Feed(stream);
    ASSERT_EQ(whole.feed.records.size(), 6u);

    std::mt19937 random(11);
    for (int run = 0; run < 20; ++run) {
        Harness cut;
        for (size_t at = 0; at < stream.size();) {
            const size_t size = run == 0 ? 1 : std::min<size_t>(1 + random() % 40, stream.size() - at);
            cut.framer.Accept(stream.data() + at, size);
            at += size;
        }
        EXPECT_EQ(cut.host.Calls(), whole.host.Calls()) << run;
    }
}

}  // namespace
}  // namespace kestrion
