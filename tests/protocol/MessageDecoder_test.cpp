#include "protocol/MessageDecoder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "ProtocolFakes.h"
#include "protocol/Layout.h"

namespace kestrion {
namespace {

using ::testing::ElementsAre;

class DecoderTest : public ::testing::Test {
protected:
    void Decode(std::vector<uint8_t> payload, IReceiverLink* withLink = nullptr)
    {
        decoder.Decode(record, payload, withLink);
    }

    ProtocolState state;
    fakes::CFakeHost host;
    fakes::CFakeLink link;
    CMessageDecoder decoder{state, host};
    CMessageRecord record;
};

std::vector<uint8_t> NavPayload(uint8_t mode1)
{
    return {0x02, 0xFF, 0xF0, 0xBD, 0xC0, 0x00, 0x3D, 0x09, 0x00, 0x00, 0x00, 0x00, 0x01,
            0xFF, 0xF8, 0x00, 0x10, 0x00, 0x00, mode1, 0x05, 0x02, 0x04, 0xB0, 0x00, 0x98,
            0x96, 0x80, 0x04, 0x07, 0x0D, 0x11, 0x1B, 0, 0, 0, 0, 0, 0, 0, 0};
}

TEST_F(DecoderTest, NavigationFieldsAreBigEndianSigned)
{
    Decode(NavPayload(0x04));
    EXPECT_EQ(record.type, 2);
    EXPECT_EQ(record.nav.x, -1000000);
    EXPECT_EQ(record.nav.y, 4000000);
    EXPECT_EQ(record.nav.z, 1);
    EXPECT_EQ(record.nav.vx, -8);  // -1 m/s
    EXPECT_EQ(record.nav.vy, 16);
    EXPECT_EQ(record.nav.mode1, 0x04);
    EXPECT_EQ(record.nav.dop, 5);
    EXPECT_EQ(record.nav.week, 1200);
    EXPECT_EQ(record.nav.tow, 10000000u);
    EXPECT_EQ(record.Week(), 1200);
    EXPECT_EQ(record.Tow(), 10000000u);
    EXPECT_THAT(std::vector<uint8_t>(record.nav.svIds, record.nav.svIds + 5), ElementsAre(7, 13, 17, 27, 0));
    EXPECT_FALSE(host.nmeaMode);
}

TEST_F(DecoderTest, ShortPayloadReadsZerosNeverStaleBytes)
{
    Decode(NavPayload(0));
    Decode({0x02, 0xFF, 0xF0});
    EXPECT_EQ(record.nav.x, static_cast<int32_t>(0xFFF00000));
    EXPECT_EQ(record.nav.week, 0);
    EXPECT_EQ(record.nav.svIds[0], 0);

    Decode({0x0B});
    EXPECT_EQ(record.ack.commandMid, 0);
}

TEST_F(DecoderTest, DoubleHalvesTravelLowWordFirst)
{
    std::vector<uint8_t> payload(83);
    payload[0] = 30;
    const uint8_t one[] = {0x00, 0x00, 0x00, 0x00, 0x3F, 0xF0, 0x00, 0x00};
    std::copy(std::begin(one), std::end(one), payload.begin() + 2);
    Decode(payload);
    EXPECT_EQ(BlockValue<double>(record.mid30.bytes, 2), 1.0);
}

TEST_F(DecoderTest, TrackerChannelsKeepTheAverageOfNonZeroCno)
{
    std::vector<uint8_t> payload(188);
    payload[0] = 4;
    payload[7] = 12;
    const uint8_t channel[] = {5, 3, 91, 0x00, 0xBF, 40, 0, 42, 0, 0, 0, 0, 0, 0, 43};
    std::copy(std::begin(channel), std::end(channel), payload.begin() + 8 + 15);
    Decode(payload);
    const TrackerChannel& second = record.tracker.channels[1];
    EXPECT_EQ(second.svId, 5);
    EXPECT_EQ(second.elevation, 91);
    EXPECT_EQ(second.state, 0xBF);
    EXPECT_EQ(second.averageCno, 41);  // (40 + 42 + 43) / 3
    EXPECT_EQ(record.tracker.channels[0].averageCno, 0);
}

TEST_F(DecoderTest, TrackerSummaryFillsTenCnoAndCapsTheCount)
{
    std::vector<uint8_t> payload = {23, 20};
    for (uint8_t sv = 1; sv <= 20; ++sv) {
        payload.insert(payload.end(), {sv, 10, 20, 0x00, 0x3F, 35});
    }
    Decode(payload);
    EXPECT_EQ(record.tracker.mid, 23);
    EXPECT_EQ(record.tracker.channelCount, 12);
    EXPECT_EQ(record.tracker.channels[11].svId, 12);
    EXPECT_EQ(record.tracker.channels[11].cno[9], 35);
    EXPECT_EQ(record.tracker.week, 0);

    Decode({23, 5, 1, 2, 3, 0, 0x3F, 30, 2, 2, 3});  // one whole entry only
    EXPECT_EQ(record.tracker.channelCount, 1);
    EXPECT_EQ(record.tracker.channels[1].svId, 0);
}

TEST_F(DecoderTest, VariableCountsAreCappedByStorageAndPayload)
{
    std::vector<uint8_t> error = {10, 0x10, 0x01, 0x00, 100};
    for (int i = 0; i < 70; ++i) {
        error.insert(error.end(), {0, 0, 0, static_cast<uint8_t>(i)});
    }
    Decode(error);
    EXPECT_EQ(record.error.code, 4097);
    EXPECT_EQ(record.error.count, 60);
    EXPECT_EQ(record.error.words[59], 59u);

    Decode({10, 0x00, 0x02, 0x00, 0x03, 0, 0, 0, 9, 0, 0});
    EXPECT_EQ(record.error.count, 1);
    EXPECT_EQ(record.error.words[0], 9u);

    Decode({13, 40, 7, 0x00, 0x2D, 0xFF, 0xFB, 8});
    EXPECT_EQ(record.visibleList.count, 1);
    EXPECT_EQ(record.visibleList.entries[0].azimuth, 45);
    EXPECT_EQ(record.visibleList.entries[0].elevation, -5);

    Decode({17, 0x00, 0x05, 0xAB, 0x01});
    EXPECT_STREQ(record.developmentData.hex, "AB01");
    Decode({17, 0x80, 0x00, 0xAB, 0x01});
    EXPECT_STREQ(record.developmentData.hex, "");
}

TEST_F(DecoderTest, VersionTextChoosesTheGeneration)
{
    const auto version = [&](const char* text) {
        std::vector<uint8_t> payload(21);
        payload[0] = 6;
        std::copy(text, text + std::strlen(text), payload.begin() + 1);
        state.generation = -1;
        Decode(payload);
        return state.generation;
    };
    EXPECT_EQ(version("2.0.1"), 2);
    EXPECT_EQ(version("2.3.0"), 3);
    EXPECT_EQ(version("1.9"), 1);
    EXPECT_EQ(version("X1"), 3);
    state.versionDetection = false;
    EXPECT_EQ(version("1.9"), -1);
}

TEST_F(DecoderTest, AlmanacEntryOneClearsTheTableAndThirtyTwoCompletesIt)
{
    state.almanac[5][0] = 99;
    for (uint8_t sv = 1; sv <= 32; ++sv) {
        std::vector<uint8_t> payload = {14, sv};
        for (int word = 0; word < 14; ++word) {
            payload.insert(payload.end(), {0xFF, static_cast<uint8_t>(sv == 6 ? 0 : 0xFE)});
        }
        Decode(payload);
        EXPECT_EQ(host.almanacComplete, sv == 32 ? 1 : 0);
    }
    EXPECT_EQ(state.almanac[0][13], -2);
    EXPECT_EQ(state.almanac[5][0], -256);

    Decode({14, 33, 0x12, 0x34});
    EXPECT_EQ(host.almanacComplete, 1);
}

TEST_F(DecoderTest, EphemerisWithInvalidSvIdIsLoggedAndNotStored)
{
    std::vector<uint8_t> payload(92);
    payload[0] = 15;
    payload[1] = 0;
    Decode(payload);
    payload[1] = 33;
    Decode(payload);
    EXPECT_THAT(host.log, ElementsAre("Ephemeris Data contains invalid SVID\n", "Ephemeris Data contains invalid SVID\n"));

    payload[1] = 32;
    payload[2] = 0xAB;
    payload[3] = 0xCD;
    Decode(payload);
    EXPECT_EQ(state.ephemeris[31][0], 0xABCD);
    EXPECT_EQ(host.ephemerisComplete, 1);
}

TEST_F(DecoderTest, UnknownMessagesAreLoggedAndShownUnlessPaused)
{
    Decode({16, 0x0A, 0xFF});
    EXPECT_THAT(host.log, ElementsAre("Unk: 100AFF\n"));
    EXPECT_TRUE(host.receiverTexts.empty());  // playback: no source
    EXPECT_EQ(record.type, 16);

    Decode({16, 1}, &link);
    EXPECT_THAT(host.receiverTexts, ElementsAre("Unk: 1001"));
    link.paused = true;
    Decode({200}, &link);
    EXPECT_EQ(host.receiverTexts.size(), 1u);
    EXPECT_THAT(host.log, ElementsAre("Unk: 100AFF\n", "Unk: 1001\n", "Unk: C8\n"));
}

TEST_F(DecoderTest, DeadReckoningMessageSetsItsFlagAndIsUnknown)
{
    Decode({26, 1, 2});
    EXPECT_TRUE(state.deadReckoningSeen);
    EXPECT_THAT(host.log, ElementsAre("Unk: 1A0102\n"));
}

TEST_F(DecoderTest, OkToSendFollowsMid18AndNavigationModeBit)
{
    Decode({18, 0}, &link);
    Decode({18, 1}, &link);
    EXPECT_THAT(link.okToSendWrites, ElementsAre(0, 1));

    link.okToSend = 0;
    Decode(NavPayload(0x08), &link);  // bit 3 set: no release
    EXPECT_EQ(link.okToSend, 0);
    state.generation = 1;
    Decode(NavPayload(0x00), &link);
    EXPECT_EQ(link.okToSend, 0);
    state.generation = 2;
    Decode(NavPayload(0x00), &link);
    EXPECT_EQ(link.okToSend, 1);
}

TEST_F(DecoderTest, PollAnswerIsKeptOnlyWhileItsPollIsOutstanding)
{
    const std::vector<uint8_t> answer = {43, 136, 1, 2, 3, 4, 5, 0x01, 0x02, 6, 7, 8, 9, 10, 11};
    Decode(answer, &link);
    CMessageDecoder::TickPollAnswers(record, link);
    EXPECT_TRUE(link.answers.empty());

    link.countdowns[1] = 60;
    Decode(answer, &link);
    EXPECT_TRUE(link.answers.empty());
    Decode(NavPayload(0), &link);  // later messages leave the stored answer alone
    CMessageDecoder::TickPollAnswers(record, link);
    ASSERT_EQ(link.answers.size(), 1u);
    EXPECT_EQ(link.answers[0].subId, 136);
    EXPECT_EQ(BlockValue<uint16_t>(link.answers[0].bytes.data(), 6), 0x0102);
    EXPECT_EQ(link.countdowns[1], 0);
}

TEST_F(DecoderTest, UnansweredPollDeliversZerosAfterSixtyTicks)
{
    link.countdowns[7] = 60;
    for (int tick = 0; tick < 59; ++tick) {
        CMessageDecoder::TickPollAnswers(record, link);
    }
    EXPECT_TRUE(link.answers.empty());
    CMessageDecoder::TickPollAnswers(record, link);
    ASSERT_EQ(link.answers.size(), 1u);
    EXPECT_EQ(link.answers[0].subId, 151);
    EXPECT_EQ(link.answers[0].bytes, std::vector<uint8_t>(34, 0));
}

TEST_F(DecoderTest, SentencesBecomeTextRecordsAndEnterNmeaMode)
{
    const std::string sentence = "$GPGGA,1*00\r\n";
    decoder.MakeTextRecord(record, {reinterpret_cast<const uint8_t*>(sentence.data()), sentence.size()});
    EXPECT_EQ(record.type, 255);
    EXPECT_EQ(record.Text(), "$GPGGA,1*00");
    EXPECT_EQ(record.faultMarker, 0);
    EXPECT_TRUE(host.nmeaMode);

    Decode({255, 'h', 'i'});
    EXPECT_EQ(record.Text(), "hi");
    EXPECT_FALSE(host.nmeaMode);
}

}  // namespace
}  // namespace kestrion
