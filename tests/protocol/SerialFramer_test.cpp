#include "protocol/SerialFramer.h"

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

struct Harness {
    explicit Harness(bool withLink = true)
        : delivery(decoder, record, feed, withLink ? &link : nullptr, CRecordDelivery::Line::Serial)
    {
    }
    void Feed(const Bytes& bytes) { framer.Accept(bytes.data(), bytes.size()); }
    // Delivers one good frame, then forgets what it recorded.
    void See()
    {
        Feed(Ack(0x80));
        host = {};
        feed.records.clear();
    }

    CFakeHost host;
    ProtocolState state;
    CMessageDecoder decoder{state, host};
    CMessageRecord record;
    CFakeSink feed{&host.journal};
    CFakeLink link;
    CRecordDelivery delivery;
    CSerialFramer framer{delivery, host};
};

std::string Times(const std::string& text, int count)
{
    std::string all;
    while (count-- > 0) {
        all += text;
    }
    return all;
}

TEST(SerialFramer, DeliversAFrameDecodedThenPollsTheVersionOnceAndAnnouncesOnlyChunksWithBytes)
{
    Harness h;
    const uint8_t byte = 0x55;
    EXPECT_EQ(h.framer.Accept(nullptr, 4), 0u);
    EXPECT_EQ(h.framer.Accept(&byte, 0), 0u);
    h.Feed(Ack(0x84));
    EXPECT_EQ(h.host.journal, (CallJournal{"activity", "record:11", "poll-version", "data-received"}));
    EXPECT_EQ(h.feed.records.at(0).ack.commandMid, 0x84);
    EXPECT_EQ(h.state.generation, 0);
    h.Feed(Ack(0x85));
    EXPECT_EQ(h.host.versionPolls, 1);
    EXPECT_EQ(h.feed.records.size(), 2u);
}

TEST(SerialFramer, ReportsEveryFaultOnceAMessageWasSeen)
{
    Bytes sum70000 = Join({{11}, Bytes(274, 0xFF), {119}});  // 11 + 274 * 255 + 119 = 70000
    Bytes badSum = BuildCommandFrame(sum70000);
    ASSERT_EQ(badSum[4 + sum70000.size()], 0x11);
    badSum[5 + sum70000.size()] = 0x71;  // was 0x70
    Bytes longest(1008, 0x41);
    longest[0] = 11;
    const std::string dump101 = "Comm: Unknown chars: 24" + Times(" 41", 25) + " 01";  // 20 + 27 * 3 characters
    // An overlong sentence dumps 25 bytes, then 28 lines of 34, then 33: lines of about a hundred.
    std::vector<std::string> overlong = {"Comm: NMEA msg len > 03F0: 24" + Times(" 41", 24)};
    overlong.insert(overlong.end(), 28, Times(" 41", 34));
    overlong.insert(overlong.end(), {Times(" 41", 33), "Comm: Unknown char: 41"});
    const struct {
        const char* name;
        Bytes input;
        std::vector<std::string> faults;
        size_t records;
    } cases[] = {
        {"sum 70000", BuildCommandFrame(sum70000), {}, 1},
        {"bad checksum", badSum, {"Comm: Msg 0x0B bad chksum: 11 71", "Comm: Unknown char: B0", "Comm: Unknown char: B3"}, 0},
        {"length 1008", BuildCommandFrame(longest), {}, 1},
        {"length 1009", Join({{0xA0, 0xA2, 0x03, 0xF1, 0x55}, Ack(1)}), {"Comm: Msg len > 03F0: 03 F1", "Comm: Unknown char: 55"}, 1},
        {"length 0", {0xA0, 0xA2, 0x00, 0x00, 0x0B, 0x00, 0x00}, {"Comm: Msg 0x0B bad chksum: 00 00"}, 0},
        {"length 0 summed", {0xA0, 0xA2, 0x00, 0x00, 0x0B, 0x00, 0x0B}, {"Comm: Msg 0x0B bad chksum: 00 0B"}, 0},
        {"A0 A0 A2", Join({{0xA0, 0xA0, 0xA2}, Ack(1)}), {"Comm: Unknown chars: A0 A0", "Comm: Unknown char: A2"}, 1},
        {"A0 $", Ascii("\xA0$A"), {"Comm: Unknown chars: A0 24", "Comm: Unknown char: 41"}, 0},
        {"bad tail 1", {0xA0, 0xA2, 0, 2, 11, 1, 0, 12, 0x55, 0xB3}, {"Comm: Msg 0x0B bad tail sync: 55", "Comm: Unknown char: B3"}, 1},
        {"bad tail 2", {0xA0, 0xA2, 0, 2, 11, 1, 0, 12, 0xB0, 0xA0}, {"Comm: Msg 0x0B bad tail sync: B0 A0"}, 1},
        {"after sentence", Ascii("$GP\r\nUU"), {"Comm: NMEA unknown char: 55", "Comm: Unknown char: 55"}, 1},
        {"sentence then frame", Join({Ascii("$GPRMC,1*00\r\n"), Ack(1), Ascii("$A\r\n$B\r\n")}), {}, 4},
        {"control in sentence", Ascii("$GP\x01"), {"Comm: Unknown chars: 24 47 50 01"}, 0},
        {"$ in sentence", Ascii("$GP$A"), {"Comm: Unknown chars: 24 47 50 24", "Comm: Unknown char: 41"}, 0},
        {"CR without LF", Ascii("$GP\r\r"), {"Comm: NMEA bad tail sync: 24 47 50 0D 0D"}, 0},
        {"dump of 101", Ascii("$" + std::string(25, 'A') + "\x01"), {dump101}, 0},
        {"dump of 103", Ascii("$" + std::string(23, 'A') + "\rX"), {"Comm: NMEA bad tail sync: 24" + Times(" 41", 23) + " 0D 58"}, 0},
        {"dump of 104", Ascii("$" + std::string(25, 'A') + "A\x01"), {dump101.substr(0, 98) + " 41", " 01"}, 0},
        {"overlong sentence", Ascii("$" + std::string(1010, 'A')), overlong, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Harness h;
        h.See();
        h.Feed(c.input);
        EXPECT_EQ(h.host.faults, c.faults);
        std::vector<std::string> logged = c.faults;
        for (std::string& line : logged) {
            line += "\n";
        }
        EXPECT_EQ(h.host.log, logged);
        EXPECT_EQ(h.feed.records.size(), c.records);
    }
}

TEST(SerialFramer, StaysSilentUntilTheFirstGoodMessage)
{
    Harness h;
    h.Feed(Join({{0x00, 0xFF, 0xA0, 0xA0, 0xA2, 0x03, 0xF1, 0xA0, 0xA2, 0x00, 0x02, 0x0B, 0x84, 0x12, 0x34},
                 {0xA0, 0xA2, 0x00, 0x00, 0x0B, 0x00, 0x00, 0xB0, 0xB3},
                 Ascii("$GP\x01$G\rX$A$B" + std::string(1100, 'C') + "\r\n")}));
    EXPECT_EQ(h.host.journal, CallJournal{"activity"});
    EXPECT_FALSE(h.framer.MessageSeen());
    h.Feed({0xA0, 0xA2, 0, 2, 11, 1, 0, 12, 0x00});
    EXPECT_EQ(h.host.Calls(), (CallJournal{"record:11", "poll-version", "data-received",
                                           "fault:Comm: Msg 0x0B bad tail sync: 00", "log:Comm: Msg 0x0B bad tail sync: 00\n"}));
}

TEST(SerialFramer, DeliversSentencesAsTextsEvenWithABadStarChecksum)
{
    Harness h;
    h.Feed(Ascii("$GPGGA,1*00\r\n"));
    EXPECT_EQ(h.host.journal, (CallJournal{"activity", "record:255:$GPGGA,1*00", "data-received"}));
    EXPECT_FALSE(h.state.versionDetection);
    EXPECT_EQ(h.state.generation, -1);
    EXPECT_TRUE(h.framer.MessageSeen());
    h.Feed(Ascii("$" + std::string(1008, 'B') + "\r\n"));
    EXPECT_EQ(h.feed.records.at(1).Text(), "$" + std::string(1008, 'B'));
}

TEST(SerialFramer, TakesLfAloneAsTheEndOfASentenceWithAGoodChecksumOnly)
{
    Harness h;
    h.Feed(Ascii("$GPGSV,3*4A\n$GPGSV,4*4d\n"));
    ASSERT_EQ(h.feed.records.size(), 2u);
    EXPECT_EQ(h.feed.records[0].Text(), "$GPGSV,3*4A");
    EXPECT_EQ(h.feed.records[1].Text(), "$GPGSV,4*4d");
    EXPECT_TRUE(h.host.faults.empty());

    // Anything else ended by LF alone is what it always was: unknown characters.
    h.Feed(Ascii("$GPGSV,3*00\n"));
    EXPECT_EQ(h.feed.records.size(), 2u);
    EXPECT_EQ(h.host.faults, (std::vector<std::string>{"Comm: Unknown chars: 24 47 50 47 53 56 2C 33 2A 30 30 0A"}));
}

TEST(SerialFramer, GivesTheSameResultHoweverTheStreamIsCut)
{
    const Bytes stream = Join({Ack(1), Ascii("$GPGSV,3*7A\r\n"), Ack(2), {0x55, 0xA0, 0xA0, 0xA2}, Ascii("$GP\r\n\x07"),
                               BuildCommandFrame(Bytes(300, 0xEE)), {0xA0, 0xA2, 0x04, 0x00, 0x01},
                               Ascii("$" + std::string(1200, 'X')), {0xA0, 0xA2, 0, 2, 11, 3, 0, 14, 0xB0, 0x00},
                               Ascii("$GP$\r\n"), Ack(4)});
    Harness whole;
    whole.Feed(stream);
    ASSERT_EQ(whole.feed.records.size(), 7u);

    std::mt19937 random(7);
    for (int run = 0; run < 20; ++run) {
        Harness cut;
        size_t calls = 0;
        for (size_t at = 0; at < stream.size(); ++calls) {
            const size_t size = run == 0 ? 1 : std::min<size_t>(1 + random() % 40, stream.size() - at);
            cut.framer.Accept(stream.data() + at, size);
            at += size;
        }
        EXPECT_EQ(cut.host.Calls(), whole.host.Calls()) << run;
        EXPECT_EQ(cut.host.dataActivity, static_cast<int>(calls));
    }
}

TEST(SerialFramer, DeliversASplitFrameInTheCallThatBringsItsSecondChecksumByteAndKeepsItsOwnBuffer)
{
    const Bytes frame = Ack(0x84);
    for (size_t split = 1; split < frame.size(); ++split) {
        Harness h;
        Harness other;  // assembling another frame in between
        h.framer.Accept(frame.data(), split);
        other.Feed(Ack(0x81));
        EXPECT_EQ(h.feed.records.size(), split >= 8 ? 1u : 0u) << split;
        h.framer.Accept(frame.data() + split, frame.size() - split);
        ASSERT_EQ(h.feed.records.size(), 1u) << split;
        EXPECT_EQ(h.feed.records[0].ack.commandMid, 0x84);
        EXPECT_TRUE(h.host.faults.empty());
    }
}

TEST(SerialFramer, ResetForgetsTheMessageSeenAndTheFrameInAssembly)
{
    Harness h;
    h.See();
    const Bytes frame = Ack(0x84);
    h.framer.Accept(frame.data(), 5);
    h.framer.Reset();
    h.framer.Accept(frame.data() + 5, frame.size() - 5);
    EXPECT_TRUE(h.host.faults.empty());
    EXPECT_TRUE(h.feed.records.empty());
    EXPECT_FALSE(h.framer.MessageSeen());
    // Idle again: the next whole frame is framed from its start.
    h.framer.Accept(frame.data(), frame.size());
    EXPECT_EQ(h.feed.records.size(), 1u);
    EXPECT_TRUE(h.host.faults.empty());
}

TEST(SerialFramer, HandsItsLinkToDecodingAndToThePollTick)
{
    for (const bool linked : {true, false}) {
        Harness h(linked);
        h.Feed(BuildCommandFrame(Bytes{18, 1}));
        h.link.countdowns[0] = 1;
        h.delivery.TickPollAnswers();
        EXPECT_EQ(h.feed.records.size(), 1u);
        EXPECT_EQ(h.link.okToSendWrites, linked ? std::vector<uint8_t>{1} : std::vector<uint8_t>{});
        ASSERT_EQ(h.link.answers.size(), linked ? 1u : 0u);
        if (linked) {
            EXPECT_EQ(h.link.answers[0].subId, 133);
        }
    }
}

}  // namespace
}  // namespace kestrion
