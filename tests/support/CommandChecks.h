#pragma once
// The receiver commands end to end, on whichever console the test gives: the engine on one side
// of a line, the simulated receiver on the other. What counts is what the receiver heard at its
// own speed, and that it still talks to the program afterwards.
#include <gtest/gtest.h>

#include <fstream>

#include "support/HeardFrames.h"
#include "support/TalkingConsole.h"
#include "app/CommandTable.h"
#include "app/Engine.h"
#include "dialogs/CommandDialog.h"
#include "dialogs/ReceiverInitDialog.h"
#include "dialogs/SerialPortDialog.h"
#include "protocol/Mid.h"
#include "protocol/ProtocolState.h"

namespace kestrion::test::commands {

struct SyncStart {
    int baud;
    SimProtocol protocol;
};

inline std::string SyncName(const testing::TestParamInfo<SyncStart>& info)
{
    return (info.param.protocol == SimProtocol::Nmea ? "Nmea" : "Binary") + std::to_string(info.param.baud);
}

inline uint16_t Word(const Bytes& payload, size_t index)
{
    return static_cast<uint16_t>(payload[1 + 2 * index] << 8 | payload[2 + 2 * index]);
}

template <typename Console>
void NmeaAndBackWithDevelopmentData()
{
    CTalkingConsole<Console> console({});
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

template <typename Console>
void SynchronisationEndsAtBinary38400(const SyncStart& start)
{
    SimConfig config;
    config.baud = start.baud;
    config.protocol = start.protocol;
    CTalkingConsole<Console> console(config, "");
    const int64_t started = console.NowMs();
    console.engine->Execute(ID_SYNCHRONIZE);
    testing::Test::RecordProperty("seconds", std::to_string(static_cast<double>(console.NowMs() - started) / 1000));
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

template <typename Console>
void MainPortTo57600()
{
    CTalkingConsole<Console> console({});
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
template <typename Console>
void InitialisationWithMessagesMovesTheLineTo57600AndAFactoryResetBack()
{
    CTalkingConsole<Console> console({}, "[ReceiverInit]\nResetMode=3\nEnableDebugMessages=1\n");
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

template <typename Console>
void AlmanacAndEphemerisPolledToFilesAndUploadedBack()
{
    CTalkingConsole<Console> console({});
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

template <typename Console>
void ParameterDialogsOpenWithTheReceiversCurrentValues()
{
    CTalkingConsole<Console> console({});
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

template <typename Console>
void AnUnansweredPollOpensTheDialogWithDefaultsAfterThreeSeconds()
{
    SimConfig config;
    config.generation = 2;  // has no parameter polls
    CTalkingConsole<Console> console(config);
    ProtocolState& protocol = console.engine->Services().Protocol();
    protocol.generation = 3;
    protocol.versionDetection = false;
    const int64_t polled = console.NowMs();
    console.engine->Execute(ID_NAV_DOP_MASK);
    for (int step = 0; step < 80 && console.ui.dialogs.empty(); ++step) {
        console.Run(0.1);
    }
    const int64_t waitedMs = console.NowMs() - polled;
    EXPECT_EQ(console.ui.dialogs, std::vector<std::string>{"DOP Mask Control: Default"});
    EXPECT_GE(waitedMs, 2900) << "60 ticks of 50 ms";
}

template <typename Console>
void PeriodicResetResendsTheInitialisation()
{
    CTalkingConsole<Console> console({}, "[ReceiverInit]\nResetMode=0\n");
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

}  // namespace kestrion::test::commands
