// The serial port object on network devices: a TCP receiver on a server of 127.0.0.1 lost and
// found again, a silent connection kept, and a UDP receiver that takes no commands.
#include <gtest/gtest.h>

#include "support/LoopbackServer.h"
#include "support/FeedFakes.h"
#include "SerialHarness.h"
#include "platform/PortDeviceFactory.h"
#include "transport/FeedEvents.h"
#include "transport/SerialPort.h"

namespace kestrion {
namespace {

using namespace fakes;
using Texts = std::vector<std::string>;

class CCollectingReceiver : public ISerialReceiver {
public:
    void Accept(const uint8_t* bytes, size_t count) override { received.insert(received.end(), bytes, bytes + count); }
    void TickPollAnswers() override {}

    Bytes received;
};

// The program's factory, counting the reopens the port asks for.
class CCountingFactory : public ISerialDeviceFactory {
public:
    std::unique_ptr<ISerialDevice> Open(const std::string& path, const SerialSettings& settings,
                                        std::string& error) override
    {
        return devices.Open(path, settings, error);
    }
    std::unique_ptr<ISerialDevice> Reopen(const std::string& path, const SerialSettings& settings,
                                          std::string& error) override
    {
        ++reopens;
        return devices.Reopen(path, settings, error);
    }

    CPortDeviceFactory devices;
    int reopens = 0;
};

class NetworkPortTest : public ::testing::Test {
protected:
    ~NetworkPortTest() override { port.Close(); }

    std::string Open(const std::string& name) { return port.Open(receiver, name, {"9600", "8", "N", "1"}); }
    void Ticks(int count) { FireTicks(services.timers, kTickSerialPoll, count); }
    bool TickUntil(const std::function<bool()>& done) { return fakes::TickUntil(services.timers, kTickSerialPoll, done); }
    bool TickUntilReceived(size_t count) { return TickUntil([&] { return receiver.received.size() >= count; }); }
    bool TickUntilFaults(size_t count) { return TickUntil([&] { return services.host.faults.size() >= count; }); }
    // Ticks until the port connects again, and takes the connection.
    bool TickUntilConnection() { return TickUntil([&] { return server.Pending(); }) && server.Accept(); }
    // Opens the server's address, takes the connection and has the receiver talk once.
    void OpenTalking()
    {
        ASSERT_EQ(Open(server.Url()), "");
        ASSERT_TRUE(server.Accept());
        ASSERT_TRUE(server.Send({1}));
        ASSERT_TRUE(TickUntilReceived(1));
    }

    CTempProfile tempProfile;
    CProfile profile = tempProfile.Profile();
    CFakeFeedServices services{profile};
    CCountingFactory devices;
    CCollectingReceiver receiver;
    CLoopbackServer server;
    CSerialPort port{services.timers, services.decoder, devices, [](std::chrono::milliseconds) {}};
};

TEST_F(NetworkPortTest, AServerThatGoesAwayIsLostWithTheReasonAndReopenedWhenItIsBack)
{
    OpenTalking();
    const std::string url = server.Url();
    // The last bytes before the close arrive before the loss is told.
    ASSERT_TRUE(server.Send({2, 3}));
    server.Close();
    server.StopListening();
    ASSERT_TRUE(TickUntilFaults(1));
    EXPECT_EQ(services.host.faults, Texts{"Comm: Port " + url + " lost: Connection closed by peer"});
    EXPECT_EQ(receiver.received, (Bytes{1, 2, 3}));
    EXPECT_TRUE(port.Lost());

    // Attempts meanwhile are refused, quietly.
    Ticks(3 * (CSerialPort::kReopenTicks + 1));
    EXPECT_EQ(services.host.faults.size(), 1u);

    ASSERT_TRUE(server.Listen());
    ASSERT_TRUE(TickUntilConnection());
    ASSERT_TRUE(TickUntilFaults(2));
    EXPECT_EQ(services.host.faults[1], "Comm: Port " + url + " reopened");
    EXPECT_FALSE(port.Lost());
    ASSERT_TRUE(server.Send({4, 5}));
    ASSERT_TRUE(TickUntilReceived(5));
    EXPECT_EQ(receiver.received, (Bytes{1, 2, 3, 4, 5}));
    EXPECT_EQ(services.host.log, (Texts{"Comm: Port " + url + " lost: Connection closed by peer\n",
                                        "Comm: Port " + url + " reopened\n"}));

    // Commands go over the connection made again.
    port.Send(Bytes{0xA0, 0xA2}, std::nullopt);
    EXPECT_EQ(server.Receive(2), (Bytes{0xA0, 0xA2}));
}

TEST_F(NetworkPortTest, ASilentConnectionIsKeptAndOneThatBreaksSilentIsLostAllTheSame)
{
    ASSERT_EQ(Open(server.Url()), "");
    ASSERT_TRUE(server.Accept());
    Ticks(5 * (CSerialPort::kReopenTicks + 1));
    EXPECT_EQ(devices.reopens, 0);
    EXPECT_FALSE(server.Pending()) << "the silent connection was made again";
    EXPECT_TRUE(services.host.faults.empty());

    // Still the same connection: a command reaches the server.
    port.Send(Bytes{0x84}, std::nullopt);
    EXPECT_EQ(server.Receive(1), Bytes{0x84});

    server.Reset();
    ASSERT_TRUE(TickUntilFaults(1));
    EXPECT_EQ(services.host.faults, Texts{"Comm: Port " + server.Url() + " lost: Connection reset by peer"});
    // The server still listens: the next attempt connects, and the connection is announced.
    ASSERT_TRUE(TickUntilConnection());
    ASSERT_TRUE(TickUntilFaults(2));
    EXPECT_EQ(services.host.faults[1], "Comm: Port " + server.Url() + " reopened");
}

TEST_F(NetworkPortTest, ARefusedFirstConnectionFailsTheOpenAndStartsNothing)
{
    server.StopListening();
    EXPECT_EQ(Open(server.Url()), "Cannot connect to " + server.Url() + ": Connection refused");
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(services.timers.Running(), 0);
}

TEST_F(NetworkPortTest, AUdpReceiverDeliversDatagramsAndRefusesEveryCommandWithAMessage)
{
    const uint16_t udpPort = FreeLoopbackPort(SOCK_DGRAM);
    const std::string url = "udp://127.0.0.1:" + std::to_string(udpPort);
    ASSERT_EQ(Open(url), "");
    // Silence does not reopen the socket.
    Ticks(3 * (CSerialPort::kReopenTicks + 1));
    EXPECT_EQ(devices.reopens, 0);
    ASSERT_TRUE(SendDatagram(udpPort, {0x24, 0x47}));
    ASSERT_TRUE(SendDatagram(udpPort, {0x50}));
    ASSERT_TRUE(TickUntilReceived(3));
    EXPECT_EQ(receiver.received, (Bytes{0x24, 0x47, 0x50}));

    port.Send(Bytes{0xA0, 0xA2}, 0x84);
    port.SetOkToSend(0);
    port.Send(Bytes{0x24}, std::nullopt);
    port.SetOkToSend(1);
    const uint8_t raw[] = {1, 2, 3};
    port.RawWrite(raw, sizeof raw);
    EXPECT_EQ(services.host.faults, (Texts{"Comm: " + url + " receives only; command 0x84 not sent",
                                           "Comm: " + url + " receives only; sentence not sent"}));
    Ticks(1);
    ASSERT_EQ(services.host.faults.size(), 3u);
    EXPECT_EQ(services.host.faults[2], "Comm: " + url + " receives only; 3 bytes not sent");
    EXPECT_EQ(services.host.log.size(), 3u);
}

}  // namespace
}  // namespace kestrion
