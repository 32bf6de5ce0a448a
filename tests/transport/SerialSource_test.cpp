#include "transport/SerialSource.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "FeedFakes.h"
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

// The services, opening their serial devices with this factory.
IFeedServices& WithDevices(CFakeFeedServices& services, ISerialDeviceFactory& devices)
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
    void TickSecond() { services.timers.Fire(TimerOf(services.timers, kTickSerialSecond)); }
    std::vector<Bytes> Writes() const { return devices.line.Writes(); }

    CTempProfile tempProfile;
    CProfile profile = tempProfile.Profile();
    CFakeFeedServices services{profile};
    CFakeSerialFactory devices;
    CMeasuredFeed feed{services};
    CSerialSource source{feed, WithDevices(services, devices), "COM3", "4800", "8", "Odd", "2"};
};

TEST_F(SerialSourceTest, AFailedOpenShowsTheDeviceErrorAndRegistersNothing)
{
    devices.line.Unplug();
    EXPECT_EQ(Open(), 0);
    EXPECT_EQ(source.IsOpen(), 0);
    ASSERT_EQ(services.boxes.size(), 1u);
    EXPECT_EQ(services.boxes[0].text, CFakeSerialFactory::kRefusal);
    EXPECT_EQ(services.timers.Running(), 0);
}

TEST_F(SerialSourceTest, OpensTheNamedDeviceWithItsSettingsAndClosesEverything)
{
    services.protocol.deadReckoningSeen = true;
    ASSERT_EQ(Open(), 1);
    EXPECT_EQ(devices.lastPath, "/dev/ttyS2");
    const SerialSettings& settings = devices.lastSettings;
    EXPECT_EQ(settings.baud + settings.dataBits + settings.parity + settings.stopBits, "48008Odd2");
    EXPECT_EQ(services.timers.registrations, (std::vector<int>{CSerialPort::kTickMs, CSerialSource::kSecondMs}));
    EXPECT_NE(TimerOf(services.timers, kTickSerialSecond), 0);
    EXPECT_FALSE(services.protocol.deadReckoningSeen);

    // Opening again closes first: still one tick of each kind.
    ASSERT_EQ(Open(), 1);
    EXPECT_EQ(services.timers.Running(), 2);

    source.Close();
    EXPECT_EQ(services.timers.Running(), 0);
    EXPECT_EQ(devices.line.Events(), (Texts{"close", "close"}));
    EXPECT_EQ(source.IsOpen(), 0);
}

TEST_F(SerialSourceTest, FramesSplitAcrossTicksBecomeRecordsOfTheFeed)
{
    ASSERT_EQ(Open(), 1);
    const Bytes ack = Ack(0x80);
    const auto half = ack.begin() + 5;
    devices.line.Send(Bytes(ack.begin(), half));
    ASSERT_TRUE(TickPortUntil([&] { return services.host.dataActivity > 0; }));
    EXPECT_TRUE(services.logged.empty());

    devices.line.Send(Bytes(half, ack.end()));
    devices.line.Send(Ascii("$GPGGA,1*00\r\n"));
    ASSERT_TRUE(TickUntilRecords(2));
    EXPECT_EQ(services.logged, (std::vector<int>{MID_Ack, 255}));
    EXPECT_EQ(services.EventsOf(WMU_NEW_RECORD).size(), 2u);
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
    EXPECT_TRUE(services.host.log.empty());

    devices.line.Send(BuildCommandFrame(Bytes{MID_OkToSend, 1}));
    ASSERT_TRUE(TickPortUntil([&] { return !Writes().empty(); }));
    EXPECT_EQ(Writes(), std::vector<Bytes>{BuildCommandFrame(Bytes(poll, poll + 2))});
    EXPECT_EQ(services.host.log, Texts{"UI_Command: MID 0x84\n"});

    source.SendNmea("PORV100,0,38400,8,1,0");
    EXPECT_EQ(Writes().back(), Ascii(BuildNmeaSentence("PORV100,0,38400,8,1,0")));
    EXPECT_EQ(services.host.log.size(), 1u);
}

TEST_F(SerialSourceTest, PromptsForTheSoftwareOnTheSixthSecondAfterAGoodMessage)
{
    ASSERT_EQ(Open(), 1);
    for (int i = 0; i < 8; ++i) {
        TickSecond();  // nothing received yet: no counting
    }
    devices.line.Send(Ack(0x80));
    ASSERT_TRUE(TickUntilRecords(1));
    ASSERT_EQ(services.protocol.generation, 0);  // the version poll went out

    for (int i = 0; i < 5; ++i) {
        TickSecond();
    }
    EXPECT_EQ(services.selectionPrompts, 0);
    TickSecond();
    EXPECT_EQ(services.selectionPrompts, 1);
    TickSecond();
    EXPECT_EQ(services.selectionPrompts, 2);

    services.protocol.selectionDialogOpen = true;
    TickSecond();
    services.protocol.selectionDialogOpen = false;
    services.protocol.generation = 2;
    TickSecond();
    services.protocol.generation = 0;
    services.protocol.versionDetection = false;
    TickSecond();
    EXPECT_EQ(services.selectionPrompts, 2);
}

TEST_F(SerialSourceTest, TheLinkIsTheOwningFeed)
{
    EXPECT_EQ(source.PollCountdowns().data(), feed.pollCountdowns);
    feed.SetPause(1);
    EXPECT_TRUE(source.FeedPaused());

    CTruthFeed truth{services};
    CSerialSource truthSource{truth, services, "COM1", "", "", "", ""};
    for (const int countdown : truthSource.PollCountdowns()) {
        EXPECT_EQ(countdown, 0);
    }
    EXPECT_FALSE(truthSource.FeedPaused());
}

// A pseudo-terminal pair: the test plays the receiver on the master side.
class CPseudoTerminal {
public:
    CPseudoTerminal()
    {
        char name[256] = {};
        int slave = -1;
        if (::openpty(&m_master, &slave, name, nullptr, nullptr) == 0) {
            m_path = name;
            ::close(slave);  // the source opens its own descriptor by name
            ::fcntl(m_master, F_SETFL, O_NONBLOCK);
        }
    }
    ~CPseudoTerminal()
    {
        if (m_master >= 0) {
            ::close(m_master);
        }
    }

    bool Ok() const { return m_master >= 0; }
    const std::string& Path() const { return m_path; }
    void Write(const Bytes& bytes) { ASSERT_EQ(::write(m_master, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size())); }
    Bytes ReadAvailable()
    {
        Bytes bytes(4096);
        const ssize_t count = ::read(m_master, bytes.data(), bytes.size());
        bytes.resize(count > 0 ? static_cast<size_t>(count) : 0);
        return bytes;
    }

private:
    int m_master = -1;
    std::string m_path;
};

TEST(SerialSourceOverPty, RecordsArriveAndCommandsLeaveThroughATermiosDevice)
{
    CPseudoTerminal receiver;
    ASSERT_TRUE(receiver.Ok());
    CTempProfile tempProfile;
    const CProfile profile = tempProfile.Profile();
    CFakeFeedServices services{profile};
    CTermiosSerialFactory termios;
    CMeasuredFeed feed{services};
    CSerialSource source{feed, WithDevices(services, termios), receiver.Path(), "38400", "8", "N", "1"};
    ASSERT_EQ(source.Open(kRoleMeasured, ""), 1) << (services.boxes.empty() ? "" : services.boxes[0].text);

    receiver.Write(Join({Ack(0x80), Ascii("$GPRMC,1*00\r\n"), Ack(0xA6)}));
    ASSERT_TRUE(TickUntil(services.timers, kTickSerialPoll, [&] { return services.logged.size() >= 3; }));
    EXPECT_EQ(services.logged, (std::vector<int>{MID_Ack, 255, MID_Ack}));

    const uint8_t poll[] = {MID_PollSWVersion, 0x00};
    source.SendCommand(poll, sizeof poll);
    Bytes written;
    const Bytes expected = BuildCommandFrame(Bytes(poll, poll + 2));
    ASSERT_TRUE(WaitUntil([&] {
        const Bytes more = receiver.ReadAvailable();
        written.insert(written.end(), more.begin(), more.end());
        return written.size() >= expected.size();
    }));
    EXPECT_EQ(written, expected);
    source.Close();
}

}  // namespace
}  // namespace kestrion
