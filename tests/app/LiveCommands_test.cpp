// The receiver commands end to end: the engine on one side of a pseudo-terminal, the simulated
// receiver on the other, in real time. What counts is what the receiver heard at its own
// speed, and that it still talks to the program afterwards.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>

#include "support/LiveReceiver.h"
#include "app/CommandTable.h"
#include "dialogs/CommandDialog.h"
#include "dialogs/ReceiverInitDialog.h"
#include "dialogs/SerialPortDialog.h"
#include "protocol/Mid.h"

namespace kestrion::test {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes HexToBytes(const std::string& hex)
{
    Bytes bytes;
    for (size_t i = 0; i + 1 < hex.size(); i += 3) {
        bytes.push_back(static_cast<uint8_t>(std::stoul(hex.substr(i, 2), nullptr, 16)));
    }
    return bytes;
}

// The payloads of the frames the receiver heard, in order.
std::vector<Bytes> HeardPayloads(CLiveReceiver& receiver)
{
    std::vector<Bytes> payloads;
    for (const std::string& line : receiver.Heard()) {
        if (line.starts_with("A0 A2")) {
            const Bytes frame = HexToBytes(line);
            payloads.emplace_back(frame.begin() + 4, frame.end() - 4);
        }
    }
    return payloads;
}

std::vector<Bytes> HeardWithMid(CLiveReceiver& receiver, uint8_t mid)
{
    std::vector<Bytes> found;
    for (Bytes& payload : HeardPayloads(receiver)) {
        if (!payload.empty() && payload[0] == mid) {
            found.push_back(std::move(payload));
        }
    }
    return found;
}

std::vector<std::string> HeardSentences(CLiveReceiver& receiver)
{
    std::vector<std::string> sentences;
    for (const std::string& line : receiver.Heard()) {
        if (line.starts_with("$")) {
            sentences.push_back(line);
        }
    }
    return sentences;
}

// Counts the navigation records that reach the views.
class CNavigationCounter : public IDocumentView {
public:
    void OnUpdate(UpdateHint hint, const CMessageRecord* record) override
    {
        if (hint == UpdateHint::Record && record != nullptr && record->type == 2) {
            ++count;
        }
    }
    int count = 0;
};

// A console whose receiver has announced itself and whose views count navigation records.
struct CTalkingConsole : CLiveConsole {
    explicit CTalkingConsole(const SimConfig& config, const std::string& extraIni = {})
        : CLiveConsole(config, extraIni)
    {
        engine->CurrentDocument()->AddView(navigation);
        Run(1.5);
    }
    // Navigation records that arrive within the next seconds.
    int NavigationWithin(double seconds)
    {
        const int before = navigation.count;
        Run(seconds);
        return navigation.count - before;
    }
    CNavigationCounter navigation;
};

uint16_t Word(const Bytes& payload, size_t index)
{
    return static_cast<uint16_t>(payload[1 + 2 * index] << 8 | payload[2 + 2 * index]);
}

TEST(LiveCommands, NmeaAndBackWithDevelopmentData)
{
    CTalkingConsole console({});
    console.ui.onDialog = [](CDialogForm& dialog) {
        dialog.RightDoubleClick();  // shows "&Enable Development Data"
        for (const FormControl& control : dialog.Controls()) {
            if (control.label == "&Enable Development Data") {
                dialog.Click(control.id);
            }
        }
        return dialog.Ok();
    };
    console.engine->Execute(ID_SWITCH_TO_NMEA);
    EXPECT_EQ(console.ui.dialogs, std::vector<std::string>{"Select NMEA Messages: Default"});
    console.Run(3.0);
    EXPECT_TRUE(console.engine->NmeaDisplayMode()) << "sentences arrive at 4800";
    EXPECT_EQ(console.Profile().GetString("Data Sources", "MeasSerialBaud", ""), "4800");
    EXPECT_TRUE(IsEnabled(*FindCommand(ID_SWITCH_TO_ORVO), console.engine->State()));

    console.engine->Execute(ID_SWITCH_TO_ORVO);
    EXPECT_GT(console.NavigationWithin(3.0), 0) << "binary again at 38400";
    const Bytes defaults = {0x81, 2, 1, 1, 0, 1, 1, 1, 5, 1, 1, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0x12, 0xC0};
    EXPECT_EQ(HeardWithMid(console.receiver, 0x81), std::vector<Bytes>{defaults});
    EXPECT_EQ(HeardSentences(console.receiver),
              (std::vector<std::string>{"$PORV105,01*02", "$PORV100,0,38400,8,1,0*30"}))
        << "the development data request goes out on the reopened port at 4800";
    const CProfile profile = console.Profile();
    EXPECT_EQ(profile.GetString("Data Sources", "MeasSerialBaud", ""), "38400");
    EXPECT_EQ(profile.GetString("Data Sources", "MeasSerialParity", ""), "N");
    EXPECT_FALSE(console.engine->Services().Protocol().versionDetection);
}

struct SyncStart {
    int baud;
    SimProtocol protocol;
};

class LiveSynchronisation : public testing::TestWithParam<SyncStart> {};

TEST_P(LiveSynchronisation, EndsAtBinary38400)
{
    SimConfig config;
    config.baud = GetParam().baud;
    config.protocol = GetParam().protocol;
    CTalkingConsole console(config, "");
    const auto started = std::chrono::steady_clock::now();
    console.engine->Execute(ID_SYNCHRONIZE);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - started;
    RecordProperty("seconds", std::to_string(took.count()));
    EXPECT_EQ(console.Profile().GetString("Data Sources", "MeasSerialBaud", ""), "38400");
    // A receiver whose output backed up while the port was reopened fifteen times skips its
    // reports until the queue drains: give it a few seconds.
    EXPECT_GT(console.NavigationWithin(6.0), 0);
    // It heard its own protocol at its own speed, and then the sync commands again at 38400.
    const size_t sentences = HeardSentences(console.receiver).size();
    const size_t frames = HeardWithMid(console.receiver, MID_SetSerialPort).size();
    EXPECT_GE(sentences + frames, 1u);
    for (const Bytes& frame : HeardWithMid(console.receiver, MID_SetSerialPort)) {
        EXPECT_EQ(frame, (Bytes{0x86, 0x00, 0x00, 0x96, 0x00, 0x08, 0x01, 0x00, 0x00}));
    }
}

std::string SyncName(const testing::TestParamInfo<SyncStart>& info)
{
    return (info.param.protocol == SimProtocol::Nmea ? "Nmea" : "Binary") + std::to_string(info.param.baud);
}

INSTANTIATE_TEST_SUITE_P(EveryStart, LiveSynchronisation,
                         testing::Values(SyncStart{1200, SimProtocol::Nmea}, SyncStart{2400, SimProtocol::Nmea},
                                         SyncStart{4800, SimProtocol::Nmea}, SyncStart{9600, SimProtocol::Nmea},
                                         SyncStart{19200, SimProtocol::Nmea}, SyncStart{38400, SimProtocol::Nmea},
                                         SyncStart{57600, SimProtocol::Nmea}, SyncStart{1200, SimProtocol::Binary},
                                         SyncStart{2400, SimProtocol::Binary}, SyncStart{4800, SimProtocol::Binary},
                                         SyncStart{9600, SimProtocol::Binary}, SyncStart{19200, SimProtocol::Binary},
                                         SyncStart{38400, SimProtocol::Binary},
                                         SyncStart{57600, SimProtocol::Binary}),
                         SyncName);

TEST(LiveCommands, MainPortTo57600)
{
    CTalkingConsole console({});
    console.ui.onDialog = [](CDialogForm& dialog) {
        const FormControl& baud = dialog.Controls().front();
        const auto item = std::find(baud.items.begin(), baud.items.end(), "57600");
        dialog.ChooseItem(baud.id, static_cast<int>(item - baud.items.begin()));
        return dialog.Ok();
    };
    console.engine->Execute(ID_SET_MAIN_PORT);
    const Bytes to57600 = {0x86, 0x00, 0x00, 0xE1, 0x00, 0x08, 0x01, 0x00, 0x00};
    EXPECT_EQ(HeardWithMid(console.receiver, MID_SetSerialPort), std::vector<Bytes>{to57600});
    EXPECT_EQ(console.Profile().GetString("Data Sources", "MeasSerialBaud", ""), "57600");
    EXPECT_GT(console.NavigationWithin(3.0), 0) << "talking again at 57600";
}

// Development data asked for at 38400: the receiver is moved to 57600 first and the
// initialisation follows on the reopened port. A factory reset then takes the program back
// to 38400, the receiver's speed after it.
TEST(LiveCommands, InitialisationWithMessagesMovesTheLineTo57600AndAFactoryResetBack)
{
    CTalkingConsole console({}, "[ReceiverInit]\nResetMode=3\nEnableDebugMessages=1\n");
    console.engine->Execute(ID_INITIALIZE);
    EXPECT_EQ(console.Profile().GetString("Data Sources", "MeasSerialBaud", ""), "57600");
    EXPECT_GT(console.NavigationWithin(4.0), 0) << "talking at 57600 after the cold start";

    console.Profile().WriteString("ReceiverInit", "ResetMode", "4");
    console.engine->Execute(ID_INITIALIZE);
    EXPECT_EQ(console.Profile().GetString("Data Sources", "MeasSerialBaud", ""), "38400");

    // The baud change, then each initialisation's reset flags, as the receiver heard them.
    std::vector<Bytes> heard;
    for (const Bytes& payload : HeardPayloads(console.receiver)) {
        if (payload[0] == MID_SetSerialPort) {
            heard.push_back(payload);
        } else if (payload[0] == MID_NavigationInitialization && payload.size() == 25) {
            heard.push_back({payload[0], payload[24]});
        }
    }
    EXPECT_EQ(heard, (std::vector<Bytes>{{0x86, 0x00, 0x00, 0xE1, 0x00, 0x08, 0x01, 0x00, 0x00},
                                         {0x80, 0x24},
                                         {0x80, 0x08}}));
}

TEST(LiveCommands, AlmanacAndEphemerisPolledToFilesAndUploadedBack)
{
    CTalkingConsole console({});
    const std::string almanac = console.File("poll.alm");
    const std::string ephemeris = console.File("poll.eph");
    console.ui.files = {almanac, ephemeris};
    console.engine->Execute(ID_POLL_ALMANAC);
    console.engine->Execute(ID_POLL_EPHEMERIS);
    console.Run(6.0);
    ASSERT_TRUE(std::ifstream(almanac).good());
    ASSERT_TRUE(std::ifstream(ephemeris).good());

    console.ui.files = {almanac, ephemeris};
    console.engine->Execute(ID_SET_ALMANAC);
    console.engine->Execute(ID_SET_EPHEMERIS);
    console.Run(1.0);
    const ProtocolState& received = console.engine->Services().Protocol();
    const std::vector<Bytes> almanacs = HeardWithMid(console.receiver, MID_SetAlmanac);
    ASSERT_EQ(almanacs.size(), 1u);
    ASSERT_EQ(almanacs[0].size(), 897u);
    for (size_t word = 0; word < 448; ++word) {
        ASSERT_EQ(Word(almanacs[0], word), static_cast<uint16_t>(received.almanac[word / 14][word % 14])) << word;
    }
    const std::vector<Bytes> ephemerides = HeardWithMid(console.receiver, MID_SetEphemeris);
    ASSERT_EQ(ephemerides.size(), 32u);
    for (size_t sv = 0; sv < 32; ++sv) {
        ASSERT_EQ(ephemerides[sv].size(), 91u);
        for (size_t word = 0; word < 45; ++word) {
            ASSERT_EQ(Word(ephemerides[sv], word), received.ephemeris[sv][word]) << sv << " " << word;
        }
    }
}

TEST(LiveCommands, ParameterDialogsOpenWithTheReceiversCurrentValues)
{
    CTalkingConsole console({});
    ASSERT_EQ(console.engine->Services().Protocol().generation, 3);
    std::vector<Payload> sentBack;
    console.ui.onDialog = [&sentBack](CDialogForm& dialog) {
        const bool ok = dialog.Ok();
        for (const Payload& payload : static_cast<CCommandDialog&>(dialog).Payloads()) {
            sentBack.push_back(payload);
        }
        return ok;
    };
    for (const int id : {ID_NAV_MODE_MASK, ID_NAV_DOP_MASK, ID_NAV_DGPS_MODE, ID_NAV_DGPS_SOURCE,
                         ID_NAV_ELEVATION_MASK, ID_NAV_POWER_MASK, ID_NAV_STATIC, ID_SET_LOW_POWER}) {
        console.engine->Execute(id);
        console.Run(0.5);
    }
    EXPECT_EQ(console.ui.dialogs,
              (std::vector<std::string>{"Navigation Mode Control: Current", "DOP Mask Control: Current",
                                        "DGPS Mode: Current", "DGPS Source: Current", "Elevation Mask: Current",
                                        "Power Mask: Current", "Static Navigation: Current",
                                        "Low Power Parameters: Current"}));
    EXPECT_EQ(HeardWithMid(console.receiver, MID_POLL_CMD_PARAM).size(), 8u);
    // What the dialogs sent is what the receiver heard, each after its poll.
    std::vector<Bytes> heard;
    for (const Bytes& payload : HeardPayloads(console.receiver)) {
        if (payload[0] != MID_POLL_CMD_PARAM && payload[0] != MID_PollSWVersion) {
            heard.push_back(payload);
        }
    }
    EXPECT_EQ(heard, sentBack);
}

TEST(LiveCommands, AnUnansweredPollOpensTheDialogWithDefaultsAfterThreeSeconds)
{
    SimConfig config;
    config.generation = 2;  // has no parameter polls
    CTalkingConsole console(config);
    ProtocolState& protocol = console.engine->Services().Protocol();
    protocol.generation = 3;
    protocol.versionDetection = false;
    const auto polled = std::chrono::steady_clock::now();
    console.engine->Execute(ID_NAV_DOP_MASK);
    for (int step = 0; step < 80 && console.ui.dialogs.empty(); ++step) {
        console.Run(0.1);
    }
    const std::chrono::duration<double> waited = std::chrono::steady_clock::now() - polled;
    EXPECT_EQ(console.ui.dialogs, std::vector<std::string>{"DOP Mask Control: Default"});
    EXPECT_GE(waited.count(), 2.9) << "60 ticks of 50 ms";
}

TEST(LiveCommands, PeriodicResetResendsTheInitialisation)
{
    CTalkingConsole console({}, "[ReceiverInit]\nResetMode=0\n");
    console.ui.onDialog = [](CDialogForm& dialog) {
        for (const FormControl& control : dialog.Controls()) {
            if (control.kind == ControlKind::ComboEdit) {
                dialog.Type(control.id, "5");  // the period
            }
        }
        return dialog.Ok();
    };
    console.engine->Execute(ID_INITIALIZE);
    console.Run(11.5);
    const std::vector<Bytes> resets = HeardWithMid(console.receiver, MID_NavigationInitialization);
    ASSERT_GE(resets.size(), 3u) << "at 0, 5 and 10 seconds";
    for (const Bytes& reset : resets) {
        EXPECT_EQ(reset, resets.front());
    }
    const std::vector<int64_t> times = console.receiver.HeardAt("A0 A2 00 19 80");
    for (size_t i = 1; i < times.size(); ++i) {
        EXPECT_NEAR(times[i] - times[i - 1], 5000, 1100) << "the period, on the one-second tick";
    }
}

}  // namespace
}  // namespace kestrion::test
