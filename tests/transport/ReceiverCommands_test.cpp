// The measured feed's receiver operations on a scripted serial line: what reaches the wire,
// what the settings file holds afterwards, and how a port that will not reopen is handled.
#include <gtest/gtest.h>

#include <functional>
#include <utility>

#include "support/FeedFakes.h"
#include "SerialFakes.h"
#include "SerialHarness.h"
#include "protocol/Mid.h"
#include "transport/Feed.h"
#include "transport/FeedEvents.h"
#include "transport/SerialSource.h"

namespace kestrion {
namespace {

using namespace fakes;
using Texts = std::vector<std::string>;

constexpr const char* kSection = "Data Sources";
const std::string kToBinarySentence = "\r\n$PORV100,0,38400,8,1,0*30\r\n";
// MID_SetSerialPort: 38400 baud, 8 data bits, 1 stop bit, no parity.
const Bytes kToBinaryFrame = BuildCommandFrame(Bytes{0x86, 0x00, 0x00, 0x96, 0x00, 0x08, 0x01, 0x00, 0x00});
const std::string kRefusal = CFakeSerialFactory::kRefusal;

std::string Hex(const Bytes& bytes) { return CFakeSerialLine::Hex(bytes); }

// A measured feed open on a greeting receiver at COM3, 4800 baud, 7 data bits, no parity, 2 stop bits.
class CCommandBench {
public:
    CCommandBench()
    {
        services.serialDevices = &devices;
        devices.line.greeting = true;  // so that writes need not wait three seconds for a first byte
        EXPECT_EQ(feed.Open(), 1);
    }

    virtual ~CCommandBench() = default;

    std::string Ini(const char* key) const { return profile.GetString(kSection, key, "?"); }
    std::vector<Bytes> Writes() const { return devices.line.Writes(); }
    Texts OpenedBauds() const
    {
        Texts bauds;
        for (const SerialSettings& settings : devices.openings) {
            bauds.push_back(settings.baud);
        }
        return bauds;
    }
    Texts Boxes() const
    {
        Texts texts;
        for (const CFakeFeedServices::Box& box : services.boxes) {
            texts.push_back(box.text + (box.icon == BoxIcon::Warning ? " (!)" : ""));
        }
        return texts;
    }
    std::string FilePath(const std::string& name, const std::string& text) const
    {
        WriteText(folder.Path() / name, text);
        return (folder.Path() / name).string();
    }

    CTempProfile tempProfile{
        "[Data Sources]\nDataSource=1\nMeasSource=1\nMeasSerialPort=COM3\nMeasSerialBaud=4800\n"
        "MeasSerialDBits=7\nMeasSerialParity=NONE\nMeasSerialSBits=2\n"};
    CProfile profile = tempProfile.Profile();
    CTempFolder folder;
    CFakeFeedServices services{profile};
    CFakeSerialFactory devices;
    CMeasuredFeed feed{services.Feeds()};
};

class ReceiverCommandsTest : public ::testing::Test, protected CCommandBench {};

// An upload file: the header, then the rows as given.
std::string UploadText(const Texts& rows)
{
    std::string text = "//\n// Collection Time(UTC): Sun Nov  5 00:00:00 2023\n//\n//\n//\n";
    for (const std::string& row : rows) {
        text += row + "\n";
    }
    return text;
}

// A row of count words: first, then first + 1, ...
std::string Row(int first, int count)
{
    std::string row;
    for (int i = 0; i < count; ++i) {
        row += (i > 0 ? ", " : "") + std::to_string(first + i);
    }
    return row;
}

TEST_F(ReceiverCommandsTest, NothingHappensUnlessTheMeasuredSourceIsASerialPort)
{
    const std::string almanac = FilePath("a.alm", UploadText(Texts(32, Row(1, 14))));
    const std::string ephemeris = FilePath("e.eph", UploadText(Texts(32, Row(1, 45))));
    const uint8_t poll[] = {MID_PollSWVersion, 0x00};
    const std::function<void()> operations[] = {
        [&] { feed.SendPayload(poll); },
        [&] { feed.SendNmea("PORV105,01"); },
        [&] { EXPECT_FALSE(feed.Reconnect([](const CProfile&) { FAIL() << "stored"; }, true)); },
        [&] { feed.SwitchProtocol(3); },
        [&] { feed.SwitchProtocol(7); },
        [&] { EXPECT_EQ(feed.Synchronize(), 0); },
        [&] { feed.UploadAlmanac(almanac); },
        [&] { feed.UploadEphemeris(ephemeris); },
        [&] { feed.PollCommandParameters(MID_SetNavMode); },
        [&] { feed.PollSoftwareVersion(); },
    };
    // The settings change while the serial feed runs: every operation reads them again.
    for (const auto& [key, value] : {std::pair{"MeasSource", "0"}, {"MeasSource", "2"}, {"DataSource", "0"}}) {
        profile.WriteString(kSection, key, value);
        for (const auto& operation : operations) {
            operation();
        }
        profile.WriteString(kSection, key, "1");
        EXPECT_TRUE(Writes().empty()) << key << "=" << value;
    }
    EXPECT_EQ(devices.line.Opens(), 1);
    EXPECT_EQ(Ini("MeasSerialBaud"), "4800");
    EXPECT_EQ(feed.pollCountdowns[1], 0);
    EXPECT_TRUE(services.boxes.empty());
    EXPECT_TRUE(services.host.log.empty());
}

TEST_F(ReceiverCommandsTest, ReconnectClosesStoresAndOpensWithTheStoredSettings)
{
    CMessageRecord navigation;
    navigation.Reset(2);
    for (const bool clearLatest : {false, true}) {
        feed.AcceptRecord(&navigation);
        bool closedWhileStoring = false;
        const bool reopened = feed.Reconnect(
            [&](const CProfile& store) {
                closedWhileStoring = feed.Source() == nullptr && devices.line.Events().back() == "close";
                store.WriteString(kSection, "MeasSerialBaud", "57600");
            },
            clearLatest);
        EXPECT_TRUE(reopened);
        EXPECT_TRUE(closedWhileStoring);
        EXPECT_EQ(feed.Latest().type, clearLatest ? 0 : 2);
        ASSERT_NE(feed.Source(), nullptr);
        EXPECT_EQ(feed.Source()->IsOpen(), 1);
        EXPECT_EQ(devices.lastSettings.baud, "57600");
    }
    EXPECT_TRUE(services.boxes.empty());
}

TEST_F(ReceiverCommandsTest, SwitchingToBinarySendsTheSentenceThenReopensAt38400EightNoneOne)
{
    feed.SwitchProtocol(3);
    EXPECT_EQ(devices.line.Events(), (Texts{"write:" + Hex(Ascii(kToBinarySentence)), "close"}));
    EXPECT_EQ(Ini("MeasSerialBaud") + Ini("MeasSerialDBits") + Ini("MeasSerialParity") + Ini("MeasSerialSBits"),
              "384008N1");
    const SerialSettings& reopened = devices.lastSettings;
    EXPECT_EQ(reopened.baud + reopened.dataBits + reopened.parity + reopened.stopBits, "384008N1");
    EXPECT_EQ(services.host.log, Texts{"$PORV100... sent to switch to Orvo protocol at 38400\n"});

    // Target 2 is the NMEA dialog's; any other is refused in the log only.
    feed.SwitchProtocol(2);
    feed.SwitchProtocol(0);
    EXPECT_EQ(devices.line.Opens(), 2);
    EXPECT_EQ(Writes().size(), 1u);
    EXPECT_EQ(services.host.log.back(), "Illegal NMEA mode operation\n");
}

TEST_F(ReceiverCommandsTest, SynchronisingWritesFourteenCommandsEachBeforeItsPortClosesAndEndsAt38400)
{
    devices.line.slowOutput = true;  // every command must drain before the port is purged
    EXPECT_EQ(feed.Synchronize(), 1);

    Texts expected{"close"};
    for (int i = 0; i < 14; ++i) {
        expected.push_back("write:" + Hex(i < 7 ? Ascii(kToBinarySentence) : kToBinaryFrame));
        expected.push_back("close");
    }
    EXPECT_EQ(devices.line.Events(), expected);
    EXPECT_EQ(devices.line.purgedOutput, 0u);
    const Texts scan = {"1200", "2400", "4800", "9600", "19200", "38400", "57600"};
    Texts bauds = {"4800"};
    bauds.insert(bauds.end(), scan.begin(), scan.end());
    bauds.insert(bauds.end(), scan.begin(), scan.end());
    bauds.push_back("38400");
    EXPECT_EQ(OpenedBauds(), bauds);
    for (const SerialSettings& settings : devices.openings) {
        EXPECT_EQ(settings.dataBits + settings.parity + settings.stopBits, "7NONE2");
    }
    EXPECT_EQ(Ini("MeasSerialBaud"), "38400");
    ASSERT_NE(feed.Source(), nullptr);
    EXPECT_EQ(feed.Source()->IsOpen(), 1);
    EXPECT_TRUE(services.boxes.empty());
}

TEST(ReceiverCommands, APortThatWillNotReopenStopsTheSynchronisationWithOneMessage)
{
    struct Case {
        int reopens;  // that succeed
        const char* failingBaud;
    };
    for (const Case& c : {Case{0, "1200"}, Case{3, "9600"}, Case{7, "1200"}, Case{14, "38400"}}) {
        CCommandBench bench;
        bench.devices.opensLeft = c.reopens;
        EXPECT_EQ(bench.feed.Synchronize(), 0);
        EXPECT_EQ(bench.Boxes(), Texts{"Cannot reopen COM3 at " + std::string(c.failingBaud) + " baud: " + kRefusal + " (!)"})
            << c.reopens;
        EXPECT_EQ(bench.Writes().size(), static_cast<size_t>(c.reopens)) << c.reopens;
        EXPECT_EQ(bench.Ini("MeasSerialBaud"), c.failingBaud);
        EXPECT_EQ(bench.feed.Source(), nullptr);

        // Later sends have nowhere to go.
        const uint8_t poll[] = {MID_PollSWVersion, 0x00};
        bench.feed.SendPayload(poll);
        EXPECT_EQ(bench.Writes().size(), static_cast<size_t>(c.reopens));
    }
}

TEST_F(ReceiverCommandsTest, ASwitchWhosePortWillNotReopenSaysSoOnce)
{
    devices.opensLeft = 0;
    feed.SwitchProtocol(3);
    EXPECT_EQ(Boxes(), Texts{"Cannot reopen COM3 at 38400 baud: " + kRefusal + " (!)"});
    EXPECT_EQ(Writes(), std::vector<Bytes>{Ascii(kToBinarySentence)});
    EXPECT_EQ(feed.Source(), nullptr);
}

TEST_F(ReceiverCommandsTest, AlmanacIsSentWholeOrNotAtAll)
{
    Texts rows;
    for (int sv = 0; sv < 32; ++sv) {
        rows.push_back(Row(sv * 100, 14));
    }
    rows[1] = "-5,101 102  103,104, 105 ,106,107,108,109,110,111,112,113, 999";  // spaces or commas; extra words ignored
    feed.UploadAlmanac(FilePath("good.alm", UploadText(rows)));
    ASSERT_EQ(Writes().size(), 1u);
    const Bytes frame = Writes()[0];
    ASSERT_EQ(frame.size(), 897u + 8u);
    const Bytes payload(frame.begin() + 4, frame.end() - 4);
    EXPECT_EQ(Hex(Bytes(payload.begin(), payload.begin() + 5)), "8200000001");
    EXPECT_EQ(Hex(Bytes(payload.begin() + 29, payload.begin() + 33)), "FFFB0065") << "SV 2: -5, 101";
    EXPECT_EQ(Hex(Bytes(payload.end() - 2, payload.end())), "0C29") << "SV 32, word 14: 3113";

    struct Case {
        const char* what;
        std::string text;
        const char* problem;
    };
    Texts shortRow = rows, trailingComma = rows, notANumber = rows, tooLarge = rows, tooLong = rows;
    shortRow[9] = Row(0, 13);
    trailingComma[9] = Row(0, 13) + ", ";
    notANumber[9] = Row(0, 13) + ", 1x";
    tooLarge[9] = Row(0, 13) + ", 65536";
    tooLong[9] = Row(0, 14) + std::string(900, ' ');
    const std::string notWords = "line 15: does not start with 14 16-bit numbers";
    const Case rejected[] = {
        {"31 data lines", UploadText(Texts(rows.begin(), rows.end() - 1)), "line 37: missing"},
        {"a short header", "//\n//\n//\n//\n", "line 5: missing"},
        {"13 words", UploadText(shortRow), notWords.c_str()},
        {"a line end for the last word", UploadText(trailingComma), notWords.c_str()},
        {"a word that is not a number", UploadText(notANumber), notWords.c_str()},
        {"a word beyond 16 bits", UploadText(tooLarge), notWords.c_str()},
        {"a line beyond the limit", UploadText(tooLong), "line 15: line too long"},
        {"a header without a line end", std::string(100 * 1024, '/'), "line 1: line too long"},
    };
    const std::string bad = (folder.Path() / "bad.alm").string();
    for (const Case& c : rejected) {
        feed.UploadAlmanac(FilePath("bad.alm", c.text));
        EXPECT_EQ(Boxes(), Texts{"Almanac Data File Format Error\nSet Almanac Aborted\n\n" + bad + ": " + c.problem +
                                 " (!)"})
            << c.what;
        services.boxes.clear();
    }
    const std::string missing = (folder.Path() / "missing.alm").string();
    feed.UploadAlmanac(missing);
    feed.UploadAlmanac(folder.Path().string());
    EXPECT_EQ(Boxes(), (Texts{
                           "Almanac Data File Format Error\nSet Almanac Aborted\n\n" + missing +
                               ": No such file or directory (!)",
                           "Almanac Data File Format Error\nSet Almanac Aborted\n\n" + folder.Path().string() +
                               ": Is a directory (!)",
                       }));
    services.boxes.clear();
    feed.UploadAlmanac("");
    EXPECT_TRUE(services.boxes.empty());
    EXPECT_EQ(Writes().size(), 1u);
}

TEST_F(ReceiverCommandsTest, EphemerisSatellitesAreSentLineByLineUntilABadLine)
{
    Texts rows;
    for (int sv = 1; sv <= 32; ++sv) {
        rows.push_back(Row(sv, 45));
    }
    rows[2] = Row(0, 45);   // satellite 0
    rows[4] = Row(33, 45);  // satellite 33
    feed.UploadEphemeris(FilePath("skips.eph", UploadText(rows)));
    EXPECT_TRUE(services.boxes.empty());
    const std::vector<Bytes> sent = Writes();
    ASSERT_EQ(sent.size(), 30u);
    EXPECT_EQ(Hex(Bytes(sent[0].begin(), sent[0].begin() + 9)), "A0A2005B9500010002");
    EXPECT_EQ(Hex(Bytes(sent[2].begin() + 4, sent[2].begin() + 7)), "950004") << "3 and 5 skipped";
    EXPECT_EQ(sent[29].size(), 91u + 8u);

    rows[2] = Row(3, 45);
    rows[9] = Row(10, 44);
    feed.UploadEphemeris(FilePath("short.eph", UploadText(rows)));
    EXPECT_EQ(Writes().size(), 30u + 8u) << "nine lines read, one of them satellite 33";
    EXPECT_EQ(Boxes(), Texts{"Ephemeris Data File Format Error\nSet Ephemeris Aborted\n\n" +
                             (folder.Path() / "short.eph").string() +
                             ": line 15: does not start with 45 16-bit numbers (!)"});
}

TEST_F(ReceiverCommandsTest, ParameterPollArmsItsCountdownAndTheAnswerReachesTheHandler)
{
    std::vector<std::pair<int, Bytes>> answers;
    feed.SetPollAnswerHandler([&](uint8_t subId, std::span<const uint8_t> record) {
        answers.emplace_back(subId, Bytes(record.begin(), record.end()));
    });
    const int pollTimer = services.timers.Of(kTickSerialPoll);
    feed.PollCommandParameters(MID_NavigationInitialization);  // has no current values
    EXPECT_TRUE(Writes().empty());

    feed.PollCommandParameters(MID_SetNavMode);
    for (int i = 0; i < 5; ++i) {
        services.timers.Fire(pollTimer);
    }
    EXPECT_EQ(feed.pollCountdowns[1], 55);
    feed.PollCommandParameters(MID_SetNavMode);
    EXPECT_EQ(feed.pollCountdowns[1], 60);
    const Bytes poll = {0xA0, 0xA2, 0x00, 0x06, 0xA8, 0x88, 0x00, 0x00, 0x00, 0x00, 0x01, 0x30, 0xB0, 0xB3};
    EXPECT_EQ(Writes(), (std::vector<Bytes>{poll, poll}));

    devices.line.Send(BuildCommandFrame(Bytes{43, 136, 1, 2, 3, 4, 5, 0x01, 0x02, 6, 7, 8, 9, 10, 11}));
    ASSERT_TRUE(TickUntil(services.timers, kTickSerialPoll, [&] { return !answers.empty(); }));
    EXPECT_EQ(answers[0].first, MID_SetNavMode);
    EXPECT_EQ(Hex(Bytes(answers[0].second.begin(), answers[0].second.begin() + 4)), "88010203");
    EXPECT_EQ(feed.pollCountdowns[1], 0);

    // Unanswered: zeros after sixty ticks.
    feed.PollCommandParameters(0x97);
    for (int i = 0; i < 60; ++i) {
        services.timers.Fire(pollTimer);
    }
    ASSERT_EQ(answers.size(), 2u);
    EXPECT_EQ(answers[1], (std::pair<int, Bytes>{0x97, Bytes(34, 0)}));
}

TEST_F(ReceiverCommandsTest, PeriodicResetSendsTheStoredInitialisationEveryPeriod)
{
    for (const auto& [key, value] : {std::pair{"X", "-2682000"}, {"Y", "-4306000"}, {"Z", "3850000"},
                                     {"Clock", "96000"}, {"WeekNo", "1100"}, {"TOW", "34560000"},
                                     {"ResetMode", "2"}, {"EnableRawTrackMessages", "1"}}) {
        profile.WriteString("ReceiverInit", key, value);
    }
    const std::time_t start = services.clock.now;
    const auto secondsWithResets = [&](int until) {
        std::vector<int> seconds;
        for (int second = 1; second <= until; ++second) {
            const size_t before = Writes().size();
            services.clock.now = start + second;
            services.timers.Fire(services.timers.Of(kTickSerialSecond));
            if (Writes().size() > before) {
                seconds.push_back(second);
            }
        }
        return seconds;
    };
    EXPECT_TRUE(secondsWithResets(5).empty()) << "off";

    services.reset = {30, start};
    EXPECT_EQ(secondsWithResets(95), (std::vector<int>{30, 60, 90}));
    const Bytes frame = Writes()[0];
    EXPECT_EQ(Hex(Bytes(frame.begin() + 4, frame.end() - 4)), "80FFD71370FFBE4BB0003ABF1000017700020F5800044C0C13");
    EXPECT_EQ(services.host.log.back(), "UI_Command: MID 0x80\n");

    // A clock set back counts the period again from there.
    services.reset = {30, start + 1000};
    EXPECT_EQ(secondsWithResets(40), std::vector<int>{31});
}

TEST_F(ReceiverCommandsTest, ATruthReceiverIsNeverReset)
{
    CTruthFeed truth{services.Feeds()};
    CSerialSource source{truth, services, services.timers, services.decoder, profile, services, "COM4", SerialSettings{}};
    ASSERT_EQ(source.Open(kRoleTruth, ""), 1);
    services.reset = {5, services.clock.now - 10};
    source.Tick(kTickSerialSecond);
    EXPECT_TRUE(Writes().empty());
    EXPECT_EQ(services.reset.lastReset, services.clock.now - 10);
}

}  // namespace
}  // namespace kestrion
