#include "transport/SerialSource.h"

#include <fcntl.h>
#include <pty.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "support/FeedFakes.h"
#include "SerialFakes.h"
#include "SerialHarness.h"
#include "platform/TermiosSerial.h"
#include "protocol/Mid.h"
#include "transport/Feed.h"
#include "transport/FeedEvents.h"

namespace kestrion {
namespace {

using namespace fakes;
using Texts = std::vector<std::string>;

// The serial services, opening their devices with this factory.
ISerialServices& WithDevices(CFakeFeedServices& services, ISerialDeviceFactory& devices)
{
    services.serialDevices = &devices;
    return services;
}

class SerialSourceTest : public ::testing::Test {
protected:
    int Open() { return source.Open(kRoleMeasured, ""); }
    bool TickPortUntil(const std::function<bool()>& done)
    {
        return fakes::TickUntil(services.timers, kTickSerialPoll, done);
    }
    bool TickUntilRecords(size_t count)
    {
        return TickPortUntil([&] { return services.logged.size() >= count; });
    }
    void TickSeconds(int count)
    {
        for (int i = 0; i < count; ++i) {
            services.timers.Fire(services.timers.Of(kTickSerialSecond));
        }
    }
    std::vector<Bytes> Writes() const { return devices.line.Writes(); }

    CTempProfile tempProfile;
    CProfile profile = tempProfile.Profile();
    CFakeFeedServices services{profile};
    CFakeSerialFactory devices;
    CMeasuredFeed feed{services.Feeds()};
    CSerialSource source{feed, services, services.timers, services.decoder, profile, WithDevices(services, devices),
                         "COM3", SerialSettings{"4800", "8", "Odd", "2"}};
};

TEST_F(SerialSourceTest, OpensTheNamedDeviceWithItsSettingsOrShowsTheDeviceError)
{
    devices.line.Unplug();
    EXPECT_EQ(Open(), 0);
    EXPECT_EQ(source.IsOpen(), 0);
    EXPECT_EQ(services.boxes.at(0).text, CFakeSerialFactory::kRefusal);
    EXPECT_EQ(services.timers.Running(), 0);

    devices.line.Plug();
    services.protocol.deadReckoningSeen = true;
    ASSERT_EQ(Open(), 1);
    EXPECT_EQ(devices.lastPath, "/dev/ttyS2");
    const SerialSettings& settings = devices.lastSettings;
    EXPECT_EQ(settings.baud + settings.dataBits + settings.parity + settings.stopBits, "48008Odd2");
    EXPECT_EQ(services.timers.registrations, (std::vector<int>{CSerialPort::kTickMs, CSerialSource::kSecondMs}));
    EXPECT_FALSE(services.protocol.deadReckoningSeen);

    // Opening again closes first: still one tick of each kind.
    ASSERT_EQ(Open(), 1);
    EXPECT_EQ(services.timers.Running(), 2);
    source.Close();
    EXPECT_EQ(services.timers.Running(), 0);
    EXPECT_EQ(devices.line.Events(), (Texts{"close", "close"}));
}

TEST_F(SerialSourceTest, FramesSplitAcrossTicksBecomeRecordsOfTheFeed)
{
    ASSERT_EQ(Open(), 1);
    const Bytes ack = Ack(0x80);
    devices.line.Send(Bytes(ack.begin(), ack.begin() + 5));
    ASSERT_TRUE(TickPortUntil([&] { return services.host.dataActivity > 0; }));
    EXPECT_TRUE(services.logged.empty());

    devices.line.Send(Join({Bytes(ack.begin() + 5, ack.end()), Ascii("$GPGGA,1*00\r\n")}));
    ASSERT_TRUE(TickUntilRecords(2));
    EXPECT_EQ(services.logged, (std::vector<int>{MID_Ack, 255}));
    EXPECT_EQ(services.CountOf(FeedEvent::NewRecord), 2u);
    // The first message on a serial line asks for the software version.
    EXPECT_EQ(services.host.versionPolls, 1);
}

TEST_F(SerialSourceTest, CommandsWaitWhileTheReceiverSaysItIsNotReady)
{
    ASSERT_EQ(Open(), 1);
    devices.line.Send(BuildCommandFrame(Bytes{MID_OkToSend, 0}));
    ASSERT_TRUE(TickPortUntil([&] { return source.OkToSend() == 0; }));

    const uint8_t poll[] = {MID_PollSWVersion, 0x00};
    source.SendCommand(poll, sizeof poll);
    EXPECT_TRUE(Writes().empty());

    devices.line.Send(BuildCommandFrame(Bytes{MID_OkToSend, 1}));
    ASSERT_TRUE(TickPortUntil([&] { return !Writes().empty(); }));
    EXPECT_EQ(Writes(), std::vector<Bytes>{BuildCommandFrame(Bytes(poll, poll + 2))});

    source.SendNmea("PORV100,0,38400,8,1,0");
    EXPECT_EQ(Writes().back(), Ascii(BuildNmeaSentence("PORV100,0,38400,8,1,0")));
}

TEST_F(SerialSourceTest, PromptsForTheSoftwareOnTheSixthSecondAfterAGoodMessage)
{
    ASSERT_EQ(Open(), 1);
    TickSeconds(8);  // nothing received yet: no counting
    devices.line.Send(Ack(0x80));
    ASSERT_TRUE(TickUntilRecords(1));
    ASSERT_EQ(services.protocol.generation, 0);  // the version poll went out

    TickSeconds(5);
    EXPECT_EQ(services.selectionPrompts, 0);
    TickSeconds(1);
    EXPECT_EQ(services.selectionPrompts, 1);
    TickSeconds(1);
    EXPECT_EQ(services.selectionPrompts, 2);

    // No prompt while the dialog is open, a generation is known or detection is off.
    services.protocol.selectionDialogOpen = true;
    TickSeconds(1);
    services.protocol.selectionDialogOpen = false;
    services.protocol.generation = 2;
    TickSeconds(1);
    services.protocol.generation = 0;
    services.protocol.versionDetection = false;
    TickSeconds(1);
    EXPECT_EQ(services.selectionPrompts, 2);
}

TEST(SerialSourceOverPty, RecordsArriveAndCommandsLeaveThroughATermiosDevice)
{
    // The test plays the receiver on the master side of a pseudo-terminal.
    int master = -1;
    int slave = -1;
    char name[256] = {};
    ASSERT_EQ(::openpty(&master, &slave, name, nullptr, nullptr), 0);
    ::close(slave);  // the source opens its own descriptor by name
    ::fcntl(master, F_SETFL, O_NONBLOCK);

    CTempProfile tempProfile;
    const CProfile profile = tempProfile.Profile();
    CFakeFeedServices services{profile};
    CTermiosSerialFactory termios;
    CMeasuredFeed feed{services.Feeds()};
    CSerialSource source{feed, services, services.timers, services.decoder, profile, WithDevices(services, termios),
                         name, SerialSettings{"38400", "8", "N", "1"}};
    ASSERT_EQ(source.Open(kRoleMeasured, ""), 1) << (services.boxes.empty() ? "" : services.boxes[0].text);

    const Bytes sent = Join({Ack(0x80), Ascii("$GPRMC,1*00\r\n"), Ack(0xA6)});
    ASSERT_EQ(::write(master, sent.data(), sent.size()), static_cast<ssize_t>(sent.size()));
    ASSERT_TRUE(TickUntil(services.timers, kTickSerialPoll, [&] { return services.logged.size() >= 3; }));
    EXPECT_EQ(services.logged, (std::vector<int>{MID_Ack, 255, MID_Ack}));

    const uint8_t poll[] = {MID_PollSWVersion, 0x00};
    source.SendCommand(poll, sizeof poll);
    Bytes written;
    const Bytes expected = BuildCommandFrame(Bytes(poll, poll + 2));
    EXPECT_TRUE(WaitUntil([&] {
        uint8_t buffer[4096];
        const ssize_t count = ::read(master, buffer, sizeof buffer);
        written.insert(written.end(), buffer, buffer + std::max<ssize_t>(count, 0));
        return written.size() >= expected.size();
    }));
    EXPECT_EQ(written, expected);
    source.Close();
    ::close(master);
}

}  // namespace
}  // namespace kestrion
