#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <numeric>
#include <string>

#include "ReceiverHarness.h"
#include "protocol/MessageLayouts.h"

namespace kestrion::test {
namespace {

std::vector<uint8_t> SetSerialPort(uint32_t baud)
{
    return {0x86, uint8_t(baud >> 24), uint8_t(baud >> 16), uint8_t(baud >> 8), uint8_t(baud), 8, 1, 0, 0};
}

std::vector<uint8_t> Answered(CReceiverHarness& line, uint8_t ackOrNak)
{
    std::vector<uint8_t> mids;
    for (const CMessageRecord& record : line.of[ackOrNak]) {
        mids.push_back(ackOrNak == 11 ? record.ack.commandMid : record.nak.commandMid);
    }
    return mids;
}

// How many sentences of each talker and type ("$GPGGA") were heard.
std::map<std::string, int> Talkers(const CReceiverHarness& line)
{
    std::map<std::string, int> talkers;
    for (const std::string& sentence : line.sentences) {
        ++talkers[sentence.substr(0, 6)];
    }
    return talkers;
}

class GenerationPolls : public testing::TestWithParam<int> {};

TEST_P(GenerationPolls, AnswersEachPollInTheLayoutOfItsGeneration)
{
    const int generation = GetParam();
    CReceiverHarness line({.generation = generation});
    line.Run(1.0);
    line.Forget();
    line.Command({0x89, 3, 8, 9, 10});    // DOP mask: GDOP
    line.Command({0x8B, 0, 50, 0, 120});  // navigation elevation mask 12.0
    line.Command({0x84, 0x00});
    line.Command({0x90, 0x00});
    line.Command({0x98, 0x00});
    line.Command({0xA8, 0x88, 0, 0, 0, 0});  // only the last generation knows the parameter poll
    line.Run(1.0);

    ASSERT_EQ(line.of[6].size(), 1u);
    const std::string version(line.of[6][0].swVersion.version, strnlen(line.of[6][0].swVersion.version, 20));
    EXPECT_TRUE(version.starts_with(generation == 1 ? "1." : generation == 2 ? "2.0." : "2.1.")) << version;
    ASSERT_EQ(line.of[7].size(), 1u);
    EXPECT_GT(line.of[7][0].clockStatus.week.Value(), 0);
    EXPECT_GT(line.of[7][0].clockStatus.svCount, 3);
    EXPECT_EQ(line.sizesOf[19], std::vector<size_t>{generation == 1 ? 24u : 65u});
    ASSERT_EQ(line.of[19].size(), 1u);
    const CMessageRecord& params = line.of[19][0];
    EXPECT_EQ(generation == 1 ? params.mgrParams1.dopMaskMode : params.mgrParams.dopMaskMode, 3);
    EXPECT_EQ(generation == 1 ? params.mgrParams1.elevMask.Value() : params.mgrParams.elevMask.Value(), 120);
    EXPECT_EQ(Answered(line, 11), (std::vector<uint8_t>{0x89, 0x8B})) << "polls are answered, not acknowledged";
    EXPECT_EQ(Answered(line, 12), generation == 3 ? std::vector<uint8_t>{} : std::vector<uint8_t>{0xA8});
    EXPECT_EQ(line.sizesOf[43].size(), generation == 3 ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(Sim, GenerationPolls, testing::Values(1, 2, 3));

TEST(ReceiverModel, AnswersParameterPollsInTheCommandLayoutsAndSendsTheWholeAlmanacAndEphemeris)
{
    CReceiverHarness line({});
    line.Command({0x8C, 28, 33});  // power mask
    for (uint8_t subId : kPollSubIds) {
        line.Command({0xA8, subId, 0, 0, 0, 0});
    }
    line.Command({0xA8, 0x86, 0, 0, 0, 0});  // the serial port has no current values
    line.Command({0x92, 0x00});
    line.Command({0x93, 0x00, 0x00});  // every ephemeris, then SV 7's
    line.Command({0x93, 0x07, 0x00});
    line.Run(1.0);

    const std::vector<size_t> sizes = line.sizesOf[43];
    ASSERT_EQ(sizes.size(), 8u);
    ASSERT_EQ(line.link.answers.size(), 8u);
    for (size_t slot = 0; slot < 8; ++slot) {
        EXPECT_EQ(sizes[slot], 1 + layouts::kPollAnswers[slot].Size()) << int(kPollSubIds[slot]);
        EXPECT_EQ(line.link.answers[slot].first, kPollSubIds[slot]);
        EXPECT_EQ(line.link.answers[slot].second[0], kPollSubIds[slot]);
    }
    EXPECT_EQ(line.link.answers[5].second[2], 33) << "the power mask that was set";
    EXPECT_EQ(line.link.answers[7].second[9], 0xA7) << "low power carries its acquisition block";
    EXPECT_EQ(Answered(line, 12), std::vector<uint8_t>{0xA8});

    line.Run(3.0);
    std::vector<int> almanacSvs, ephemerisSvs, all(32);
    for (const CMessageRecord& record : line.of[14]) {
        almanacSvs.push_back(record.almanac.svId);
    }
    for (const CMessageRecord& record : line.of[15]) {
        ephemerisSvs.push_back(record.ephemeris.svId);
        EXPECT_EQ(record.ephemeris.words[0].Value(), record.ephemeris.svId);
    }
    std::iota(all.begin(), all.end(), 1);
    EXPECT_EQ(almanacSvs, all);
    all.push_back(7);
    EXPECT_EQ(ephemerisSvs, all);
}

TEST(ReceiverModel, AcknowledgesKnownCommandsAndRejectsOthers)
{
    CReceiverHarness line({});
    std::vector<uint8_t> uarts(49, 0);  // UART 0 to 57600, the others unset
    uarts[0] = 0xA5;
    uarts[6] = 0xE1;
    for (int entry = 1; entry < 4; ++entry) {
        uarts[1 + 12 * entry] = 0xFF;
    }
    line.Command({0x88, 0, 1, 1, 0, 1, 0xFC, 0x18, 0, 0, 0, 30, 15, 1});
    line.Command({0x8F, 1});
    line.Command({0xA6, 0, 2, 1, 0, 0, 0, 0});
    line.Command({0x42, 0});             // not a command
    line.Command({0x8C, 28});            // too short
    line.Command(SetSerialPort(12345));  // no such baud
    line.Command({0xB6, 0});             // the generation 1 UART command
    line.Command(uarts);
    line.Run(1.0);

    EXPECT_EQ(Answered(line, 11), (std::vector<uint8_t>{0x88, 0x8F, 0xA6, 0xA5}));
    EXPECT_EQ(Answered(line, 12), (std::vector<uint8_t>{0x42, 0x8C, 0x86, 0xB6}));
    EXPECT_EQ(line.model.Baud(), 57600);
}

TEST(ReceiverModel, MovesEverySecondAndAResetLosesTheFixAndAnnouncesTheVersionAgain)
{
    CReceiverHarness line({});
    line.Run(30.0);
    const auto navs = line.of[2];
    const auto trackers = line.of[4];
    ASSERT_GE(navs.size(), 29u);
    ASSERT_GE(trackers.size(), 29u);
    for (size_t i = 1; i < navs.size(); ++i) {
        EXPECT_EQ(navs[i].nav.tow.Value() - navs[i - 1].nav.tow.Value(), 100u);
    }
    const CMessageRecord before = navs.back();
    const double metres = std::hypot(double(before.nav.x - navs.front().nav.x),
                                     double(before.nav.y - navs.front().nav.y), double(before.nav.z - navs.front().nav.z));
    EXPECT_GT(metres, 20.0);
    EXPECT_LT(metres, 30 * 8.0);
    EXPECT_GE(before.nav.svCount, 4);
    const TrackerChannel* channels = trackers.back().tracker.channels;
    EXPECT_EQ(before.nav.svCount,
              std::count_if(channels, channels + kChannels, [](const TrackerChannel& c) { return c.state == 0xBF; }));

    line.Forget();
    line.Command({0x80, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 12, 0x00});
    line.Run(1.0);
    EXPECT_EQ(Answered(line, 11), std::vector<uint8_t>{0x80});
    EXPECT_TRUE(line.of[2].empty()) << "silent while restarting";
    line.Run(2.0);
    ASSERT_EQ(line.of[6].size(), 1u);
    ASSERT_FALSE(line.of[2].empty());
    EXPECT_LT(line.of[2].front().nav.svCount, 4) << "channels search again";
    line.Run(20.0);
    const CMessageRecord& after = line.of[2].back();
    EXPECT_GE(after.nav.svCount, 4);
    EXPECT_LT(std::hypot(double(after.nav.x - before.nav.x), double(after.nav.y - before.nav.y)), 300.0);
}

// Seconds from the reset command to the first navigation message with four SVs in the fix.
double FirstFixAfter(uint8_t resetFlags)
{
    CReceiverHarness line({});
    line.Run(10.0);
    line.Forget();
    line.Command({0x80, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 12, resetFlags});
    for (int second = 1; second <= 90; ++second) {
        line.Run(1.0);
        for (const CMessageRecord& navigation : line.of[2]) {
            if (navigation.nav.svCount >= 4) {
                return second;
            }
        }
    }
    return 0.0;
}

TEST(ReceiverModel, TheFullerTheResetTheLaterTheFirstFix)
{
    const double hot = FirstFixAfter(0x00);
    const double warm = FirstFixAfter(0x02);
    const double cold = FirstFixAfter(0x24);  // development data asked for too
    const double factory = FirstFixAfter(0x08);
    EXPECT_GT(hot, 0.0);
    EXPECT_LT(hot, 10.0);
    EXPECT_GT(warm, hot + 15.0);
    EXPECT_GT(cold, warm + 10.0);
    EXPECT_GT(factory, cold + 5.0);
    EXPECT_LT(factory, 60.0);
}

TEST(ReceiverModel, SwitchesToNmeaAndBackAtTheNewBauds)
{
    CReceiverHarness line({});
    // GGA every second, RMC every other second, the rest off, at 9600.
    line.Command({0x81, 2, 1, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x25, 0x80});
    line.Run(0.5);
    EXPECT_EQ(Answered(line, 11), std::vector<uint8_t>{0x81}) << "acknowledged at the old baud";
    EXPECT_EQ(line.model.Protocol(), SimProtocol::Nmea);

    line.lineBaud = 9600;
    line.Forget();
    line.Run(4.0);
    EXPECT_TRUE(line.payloads.empty());
    std::map<std::string, int> talkers = Talkers(line);
    EXPECT_EQ(talkers.size(), 2u);
    EXPECT_GE(talkers["$GPGGA"], 3);
    EXPECT_GE(talkers["$GPRMC"], 1);
    EXPECT_LT(talkers["$GPRMC"], talkers["$GPGGA"]);

    line.Command({0x84, 0x00});  // binary commands mean nothing to it now
    line.Sentence("PORV100,0,19200,8,1,0");
    line.Write({'$', 'P', 'O', 'R', 'V', '1', '0', '0', ',', '0', ',', '4', '8', '0', '0', '*', '0', '0', '\r', '\n'});
    EXPECT_EQ(line.model.Protocol(), SimProtocol::Binary);
    EXPECT_EQ(line.model.Baud(), 19200) << "a sentence with a wrong checksum is ignored";

    line.lineBaud = 19200;
    line.Forget();
    line.Run(2.0);
    EXPECT_GE(line.of[2].size(), 1u);
    EXPECT_TRUE(line.sentences.empty());
}

TEST(ReceiverModel, StartsInNmeaWithEverySentenceEachSecond)
{
    CReceiverHarness line({.generation = 2, .baud = 4800, .protocol = SimProtocol::Nmea});
    line.Run(2.0);
    EXPECT_TRUE(line.payloads.empty());
    std::vector<std::string> talkers;
    for (const auto& [talker, count] : Talkers(line)) {
        talkers.push_back(talker);
    }
    EXPECT_EQ(talkers, (std::vector<std::string>{"$GPGGA", "$GPGSA", "$GPGSV", "$GPRMC"}));
}

// The GNGGA fix quality of each second heard, in order.
std::vector<char> GgaQualities(const CReceiverHarness& line)
{
    std::vector<char> qualities;
    for (const std::string& sentence : line.sentences) {
        if (sentence.starts_with("$GNGGA,")) {
            size_t comma = 0;
            for (int field = 0; field < 6; ++field) {
                comma = sentence.find(',', comma + 1);
            }
            qualities.push_back(sentence[comma + 1]);
        }
    }
    return qualities;
}

TEST(ReceiverModel, AnNmeaReceiverOfSeveralSystemsSpeaksNmea411AndRestartsBySentence)
{
    const SimConfig config{.protocol = SimProtocol::Nmea,
                           .gnss = {SkySystem::Gps, SkySystem::Glonass, SkySystem::Galileo, SkySystem::Beidou}};
    CReceiverHarness line(config);
    line.Run(3.0);
    std::map<std::string, int> talkers = Talkers(line);
    for (const char* talker : {"$GNGGA", "$GNRMC", "$GNGNS", "$GNGST"}) {
        EXPECT_EQ(talkers[talker], 3) << talker;
    }
    EXPECT_EQ(talkers["$GNGSA"], 12) << "one per system each second";
    for (const char* talker : {"$GPGSV", "$GLGSV", "$GAGSV", "$GBGSV"}) {
        EXPECT_GE(talkers[talker], 3) << talker;
    }
    EXPECT_EQ(talkers.count("$GPGGA"), 0u);
    EXPECT_EQ(GgaQualities(line), (std::vector<char>{'1', '1', '1'}));

    // A cold restart: the fix is lost, and found again after the search.
    line.Forget();
    line.Sentence("PORV101,3");
    line.Run(60.0);
    const std::vector<char> qualities = GgaQualities(line);
    // A second already on its way may still show the old fix; DGPS comes back with the fix.
    ASSERT_GT(qualities.size(), 2u);
    EXPECT_EQ(qualities[1], '0');
    EXPECT_NE(qualities.back(), '0');
    // Meanwhile no other system kept a fix of its own.
    for (const std::string& sentence : line.sentences) {
        if (sentence.starts_with("$GNGNS,") && sentence.find(",NNNN,") != std::string::npos) {
            return;
        }
    }
    ADD_FAILURE() << "no GNS without a fix after the restart";
}

TEST(ReceiverModel, ABinaryReceiverSwitchedToNmeaSendsGpsSentencesWhateverItsSystems)
{
    CReceiverHarness line({.gnss = {SkySystem::Gps, SkySystem::Galileo}});
    // Every sentence each second, at 38400.
    line.Command({0x81, 2, 1, 0, 0, 0, 1, 0, 1, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x96, 0x00});
    line.Run(0.5);
    ASSERT_EQ(line.model.Protocol(), SimProtocol::Nmea);
    line.Forget();
    line.Run(3.0);
    std::vector<std::string> talkers;
    for (const auto& [talker, count] : Talkers(line)) {
        talkers.push_back(talker);
    }
    EXPECT_EQ(talkers, (std::vector<std::string>{"$GPGGA", "$GPGSA", "$GPGSV", "$GPRMC"}));
}

TEST(ReceiverModel, AWrongBaudIsGarbageBothWays)
{
    CReceiverHarness line({});
    line.Command(SetSerialPort(9600));
    line.Run(0.2);
    EXPECT_EQ(Answered(line, 11), std::vector<uint8_t>{0x86});
    EXPECT_EQ(line.model.Baud(), 9600);

    // The program stays at 38400: it hears noise at the receiver's byte rate and is not heard.
    line.Forget();
    line.Command({0x84, 0x00});
    line.Run(3.0);
    EXPECT_TRUE(line.payloads.empty());
    EXPECT_TRUE(line.sentences.empty());
    EXPECT_GT(line.bytesCarried, 300u);
    EXPECT_LE(line.bytesCarried, 3 * 960u + 200u);

    line.lineBaud = 9600;
    line.Forget();
    line.Command({0x84, 0x00});
    line.Run(2.0);
    EXPECT_EQ(line.of[6].size(), 1u);
    EXPECT_GE(line.of[2].size(), 1u);
}

TEST(ReceiverModel, BusyHoldsCommandsUntilItIsReadyAgain)
{
    CReceiverHarness line({.busy = true, .busyEvery = 10, .busyFor = 2});
    while (!line.model.Holding()) {
        line.Run(0.05);
        ASSERT_LT(line.of[2].size(), 12u) << "never became busy";
    }
    line.Run(0.2);
    ASSERT_EQ(line.of[18].size(), 1u);
    EXPECT_EQ(line.of[18][0].okToSend.okToSend, 0);

    line.Forget();
    line.Command({0x84, 0x00});
    line.Command({0x8F, 1});
    line.Run(1.0);
    ASSERT_FALSE(line.of[2].empty());
    EXPECT_EQ(line.of[2].back().nav.mode1 & 0x08, 0x08) << "navigation says commands are held";
    EXPECT_TRUE(line.of[6].empty());
    EXPECT_TRUE(line.of[11].empty());

    line.Run(1.5);
    std::vector<uint8_t> order;
    for (const std::vector<uint8_t>& payload : line.payloads) {
        if (payload[0] == 18 || payload[0] == 6 || payload[0] == 11) {
            order.push_back(payload[0]);
        }
    }
    EXPECT_EQ(order, (std::vector<uint8_t>{18, 6, 11}));
    EXPECT_EQ(line.of[18][0].okToSend.okToSend, 1);
    EXPECT_FALSE(line.model.Holding());
    EXPECT_EQ(line.of[2].back().nav.mode1 & 0x08, 0);
}

TEST(ReceiverModel, TracesWhatItHearsAtItsBaud)
{
    CReceiverHarness line({});
    std::vector<std::string> traced;
    line.model.SetTrace([&traced](std::string_view text) { traced.emplace_back(text); });
    line.Command({0x84, 0x00});
    line.Sentence("PORV105,01");
    line.lineBaud = 9600;
    line.Command({0x90, 0x00});
    const std::string sentence = BuildNmeaSentence("PORV105,01");  // CR LF, "$", body, "*hh", CR LF
    EXPECT_EQ(traced, (std::vector<std::string>{"A0 A2 00 02 84 00 00 84 B0 B3", sentence.substr(2, sentence.size() - 4)}));
}

}  // namespace
}  // namespace kestrion::test
