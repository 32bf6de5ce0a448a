#include "protocol/MessageDecoder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <string>
#include <vector>

#include "support/ProtocolFakes.h"
#include "protocol/Layout.h"
#include "protocol/RecordDelivery.h"

namespace kestrion {
namespace {

using ::testing::ElementsAre;
using fakes::Bytes;
using fakes::BytesOf;

class DecoderTest : public ::testing::Test {
protected:
    RecordImplications Decode(Bytes payload, IReceiverLink* withLink = nullptr)
    {
        return decoder.Decode(record, payload, withLink);
    }
    void Tick(int times = 1)
    {
        while (times-- > 0) {
            CMessageDecoder::TickPollAnswers(record, link);
        }
    }

    ProtocolState state;
    fakes::CFakeHost host;
    fakes::CFakeLink link;
    CMessageDecoder decoder{state, host};
    CMessageRecord record;
    // What the record implies reaches the link, the protocol state and the host through delivery.
    fakes::CFakeSink sink;
    CRecordDelivery delivery{decoder, record, sink, &link, CRecordDelivery::Line::Playback};
};

Bytes NavPayload(uint8_t mode1)
{
    return {0x02, 0xFF, 0xF0, 0xBD, 0xC0, 0x00, 0x3D, 0x09, 0x00, 0x00, 0x00, 0x00, 0x01, 0xFF,
            0xF8, 0x00, 0x10, 0x00, 0x00, mode1, 0x05, 0x02, 0x04, 0xB0, 0x00, 0x98, 0x96, 0x80,
            0x04, 0x07, 0x0D, 0x11, 0x1B, 0, 0, 0, 0, 0, 0, 0, 0};
}

// A payload of the given size, starting with the bytes given.
Bytes Payload(size_t size, Bytes start)
{
    start.resize(std::max(size, start.size()));
    return start;
}

TEST_F(DecoderTest, FieldsAreBigEndianAndAShortPayloadReadsZerosNeverStaleBytes)
{
    const RecordImplications implied = Decode(NavPayload(0x04));
    EXPECT_TRUE(implied.binarySeen && !implied.nmeaSeen);
    EXPECT_EQ(record.type, 2);
    EXPECT_EQ(BytesOf(record.nav),
              BytesOf(NavBlock{2, -1000000, 4000000, 1, -8, 16, 0, 4, 5, 2, 1200, 10000000, 4, {7, 13, 17, 27}}));
    Decode({0x02, 0xFF, 0xF0});
    EXPECT_EQ(BytesOf(record.nav), BytesOf(NavBlock{.mid = 2, .x = static_cast<int32_t>(0xFFF00000)}));
    Decode({0x0B});
    EXPECT_EQ(record.ack.commandMid, 0);

    Decode(Payload(83, {30, 0, 0, 0, 0, 0, 0x3F, 0xF0}));  // double halves travel low word first
    EXPECT_EQ(BlockValue<double>(record.mid30.bytes, 2), 1.0);
}

TEST_F(DecoderTest, TrackerChannelsKeepTheAverageOfNonZeroCnoAndTheSummaryCapsItsCount)
{
    Decode(Payload(188, {4, 0, 0, 0, 0, 0, 0, 12, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 5, 3, 91, 0x00, 0xBF, 40, 0,
                         42, 0, 0, 0, 0, 0, 0, 43}));
    EXPECT_EQ(BytesOf(record.tracker.channels[1]),
              BytesOf(TrackerChannel{5, 3, 91, 0xBF, {40, 0, 42, 0, 0, 0, 0, 0, 0, 43}, 41}));  // (40 + 42 + 43) / 3
    EXPECT_EQ(record.tracker.channels[0].averageCno, 0);

    Bytes summary = {23, 20};
    for (uint8_t sv = 1; sv <= 20; ++sv) {
        summary.insert(summary.end(), {sv, 10, 20, 0x00, 0x3F, 35});
    }
    Decode(summary);
    EXPECT_EQ(record.tracker.mid, 23);
    EXPECT_EQ(record.tracker.channelCount, 12);
    EXPECT_EQ(BytesOf(record.tracker.channels[11]),
              BytesOf(TrackerChannel{12, 10, 20, 0x3F, {35, 35, 35, 35, 35, 35, 35, 35, 35, 35}, 35}));
    EXPECT_EQ(record.tracker.week, 0);
    Decode({23, 5, 1, 2, 3, 0, 0x3F, 30, 2, 2, 3});  // one whole entry only
    EXPECT_EQ(record.tracker.channelCount, 1);
    EXPECT_EQ(record.tracker.channels[1].svId, 0);
}

TEST_F(DecoderTest, VariableCountsAreCappedByStorageAndPayload)
{
    Bytes error = {10, 0x10, 0x01, 0x00, 100};
    for (uint8_t i = 0; i < 70; ++i) {
        error.insert(error.end(), {0, 0, 0, i});
    }
    Decode(error);
    EXPECT_EQ(record.error.code, 4097);
    EXPECT_EQ(record.error.count, 60);
    EXPECT_EQ(record.error.words[59], 59u);

    Decode({10, 0x00, 0x02, 0x00, 0x03, 0, 0, 0, 9, 0, 0});
    EXPECT_EQ(record.error.count, 1);
    EXPECT_EQ(record.error.words[0], 9u);

    Decode({13, 40, 7, 0x00, 0x2D, 0xFF, 0xFB, 8});
    EXPECT_EQ(BytesOf(record.visibleList), BytesOf(VisibleListBlock{13, 1, {{7, 45, -5}}}));

    Decode({17, 0x00, 0x05, 0xAB, 0x01});
    EXPECT_STREQ(record.developmentData.hex, "AB01");
    Decode({17, 0x80, 0x00, 0xAB, 0x01});
    EXPECT_STREQ(record.developmentData.hex, "");
}

TEST_F(DecoderTest, VersionTextChoosesTheGeneration)
{
    for (const auto& [text, detect, generation] : {std::tuple<const char*, bool, int>{"2.0.1", true, 2},
                                                   {"2.3.0", true, 3}, {"1.9", true, 1}, {"X1", true, 3},
                                                   {"1.9", false, -1}}) {
        state.generation = -1;
        state.versionDetection = detect;
        delivery.OnFrame(Payload(21, fakes::Join({{6}, fakes::Ascii(text)})));
        EXPECT_EQ(state.generation, generation) << text;
    }
}

TEST_F(DecoderTest, AlmanacAndEphemerisTablesFillByValidSvOnly)
{
    state.almanac[5][0] = 99;
    for (uint8_t sv = 1; sv <= 32; ++sv) {
        const uint8_t low = sv == 6 ? 0 : 0xFE;
        Decode({14, sv, 0xFF, low, 0xFF, low, 0xFF, low, 0xFF, low, 0xFF, low, 0xFF, low, 0xFF, low,
                0xFF, low, 0xFF, low, 0xFF, low, 0xFF, low, 0xFF, low, 0xFF, low, 0xFF, low});
        EXPECT_EQ(host.almanacComplete, sv == 32 ? 1 : 0);  // entry 1 clears the table, 32 completes it
    }
    EXPECT_EQ(state.almanac[0][13], -2);
    EXPECT_EQ(state.almanac[5][0], -256);
    Decode({14, 33, 0x12, 0x34});
    EXPECT_EQ(host.almanacComplete, 1);

    for (const uint8_t sv : {0, 33, 32}) {
        Decode(Payload(92, {15, sv, 0xAB, 0xCD}));
    }
    EXPECT_THAT(host.log, ElementsAre("Ephemeris Data contains invalid SVID\n", "Ephemeris Data contains invalid SVID\n"));
    EXPECT_EQ(state.ephemeris[31][0], 0xABCD);
    EXPECT_EQ(host.ephemerisComplete, 1);
}

TEST_F(DecoderTest, UnknownMessagesAreLoggedAndShownUnlessPaused)
{
    Decode({16, 0x0A, 0xFF});
    EXPECT_TRUE(host.receiverTexts.empty());  // playback: no source
    EXPECT_EQ(record.type, 16);
    Decode({16, 1}, &link);
    link.paused = true;
    Decode({200}, &link);
    EXPECT_THAT(host.receiverTexts, ElementsAre("Unk: 1001"));
    Decode({26, 1, 2});  // dead reckoning: flagged, and unknown
    EXPECT_TRUE(state.deadReckoningSeen);
    EXPECT_THAT(host.log, ElementsAre("Unk: 100AFF\n", "Unk: 1001\n", "Unk: C8\n", "Unk: 1A0102\n"));
}

TEST_F(DecoderTest, OkToSendFollowsMid18AndNavigationModeBit)
{
    delivery.OnFrame(Bytes{18, 0});
    delivery.OnFrame(Bytes{18, 1});
    EXPECT_THAT(link.okToSendWrites, ElementsAre(0, 1));
    link.okToSend = 0;
    for (const auto& [generation, mode1, released] : {std::tuple{-1, 0x08, 0}, {1, 0x00, 0}, {2, 0x00, 1}}) {
        state.generation = generation;
        delivery.OnFrame(NavPayload(static_cast<uint8_t>(mode1)));  // bit 3 set: no release
        EXPECT_EQ(link.okToSend, released) << generation;
    }
}

TEST_F(DecoderTest, PollAnswerIsKeptOnlyWhileItsPollIsOutstandingAndZerosComeAfterSixtyTicks)
{
    const Bytes answer = {43, 136, 1, 2, 3, 4, 5, 0x01, 0x02, 6, 7, 8, 9, 10, 11};
    Decode(answer, &link);
    Tick();
    EXPECT_TRUE(link.answers.empty());

    link.countdowns[1] = 60;
    Decode(answer, &link);
    EXPECT_TRUE(link.answers.empty());
    Decode(NavPayload(0), &link);  // later messages leave the stored answer alone
    Tick();
    ASSERT_EQ(link.answers.size(), 1u);
    EXPECT_EQ(link.answers[0].subId, 136);
    EXPECT_EQ(BlockValue<uint16_t>(link.answers[0].bytes.data(), 6), 0x0102);
    EXPECT_EQ(link.countdowns[1], 0);

    link.countdowns[7] = 60;
    Tick(59);
    EXPECT_EQ(link.answers.size(), 1u);
    Tick();
    ASSERT_EQ(link.answers.size(), 2u);
    EXPECT_EQ(link.answers[1].subId, 151);
    EXPECT_EQ(link.answers[1].bytes, Bytes(34, 0));

    // An answer that arrives on the very tick its countdown runs out is zeroed too.
    link.countdowns[1] = 1;
    Decode(answer, &link);
    Tick();
    ASSERT_EQ(link.answers.size(), 3u);
    EXPECT_EQ(link.answers[2].bytes, Bytes(34, 0));
}

TEST_F(DecoderTest, SentencesBecomeTextRecordsAndEnterNmeaMode)
{
    delivery.OnSentence(fakes::Ascii("$GPGGA,1*00\r\n"));
    EXPECT_EQ(record.type, 255);
    EXPECT_EQ(record.Text(), "$GPGGA,1*00");
    EXPECT_EQ(record.faultMarker, 0);
    EXPECT_TRUE(host.nmeaMode);
    delivery.OnFrame(Bytes{255, 'h', 'i'});
    EXPECT_EQ(record.Text(), "hi");
    EXPECT_FALSE(host.nmeaMode);
}

}  // namespace
}  // namespace kestrion
