// The network devices against servers and senders on 127.0.0.1, opened through the factory
// the program uses.
#include <netdb.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <functional>

#include "support/LoopbackServer.h"
#include "platform/PortDeviceFactory.h"
#include "platform/TcpClientDevice.h"
#include "platform/UdpReceiveDevice.h"

namespace kestrion {
namespace {

using namespace fakes;
using Bytes = std::vector<uint8_t>;

// The bytes the device gives until count have come or it is gone; its last wait in `last`.
Bytes ReadBytes(ISerialDevice& device, size_t count, ISerialDevice::Wait* last = nullptr, size_t chunk = 4096)
{
    Bytes bytes;
    const int wake = ::eventfd(0, EFD_CLOEXEC);
    for (int wait = 0; bytes.size() < count && wait < 1000; ++wait) {
        const ISerialDevice::Wait outcome = device.WaitForInput(20, wake);
        if (last != nullptr) {
            *last = outcome;
        }
        if (outcome == ISerialDevice::Wait::Gone) {
            break;
        }
        uint8_t buffer[4096];
        const long got = outcome == ISerialDevice::Wait::Readable ? device.Read(buffer, std::min(chunk, sizeof buffer)) : 0;
        if (got < 0) {
            if (last != nullptr) {
                *last = ISerialDevice::Wait::Gone;
            }
            break;
        }
        bytes.insert(bytes.end(), buffer, buffer + got);
    }
    ::close(wake);
    return bytes;
}

// Waits until the device reports Gone; false when it never does.
bool WaitGone(ISerialDevice& device)
{
    ISerialDevice::Wait last = ISerialDevice::Wait::Timeout;
    for (int wait = 0; wait < 1000 && last != ISerialDevice::Wait::Gone; ++wait) {
        ReadBytes(device, 1, &last);
    }
    return last == ISerialDevice::Wait::Gone;
}

class NetworkDeviceTest : public ::testing::Test {
protected:
    std::unique_ptr<ISerialDevice> Open(const std::string& name)
    {
        error = "stale";
        return factory.Open(name, {"4800", "7", "E", "2"}, error);
    }
    // Opens the server's address and takes the connection.
    std::unique_ptr<ISerialDevice> Connect()
    {
        std::unique_ptr<ISerialDevice> device = Open(server.Url());
        EXPECT_NE(device, nullptr) << error;
        EXPECT_TRUE(server.Accept());
        return device;
    }

    CPortDeviceFactory factory;
    CLoopbackServer server;
    std::string error;
};

TEST_F(NetworkDeviceTest, ATcpConnectionCarriesBytesBothWaysWhateverTheLineSettings)
{
    const std::unique_ptr<ISerialDevice> device = Connect();
    ASSERT_NE(device, nullptr);
    EXPECT_EQ(error, "");
    EXPECT_TRUE(device->Connected());

    Bytes sent(10000);
    for (size_t i = 0; i < sent.size(); ++i) {
        sent[i] = static_cast<uint8_t>(i * 7);
    }
    ASSERT_TRUE(server.Send(sent));
    EXPECT_EQ(ReadBytes(*device, sent.size()), sent);

    const Bytes command{0xA0, 0xA2, 0x00, 0x02, 0x84, 0x00, 0x00, 0x84, 0xB0, 0xB3};
    ASSERT_TRUE(device->Write(command.data(), command.size()));
    EXPECT_EQ(server.Receive(command.size()), command);

    // A purge drops nothing of the stream, and a stream has no line errors.
    ASSERT_TRUE(server.Send({1, 2, 3}));
    device->Purge();
    EXPECT_EQ(ReadBytes(*device, 3), (Bytes{1, 2, 3}));
    EXPECT_EQ(device->TakeLineErrors(), 0u);
    EXPECT_EQ(device->GoneReason(), "");
}

TEST_F(NetworkDeviceTest, APeerThatClosesOrResetsMakesTheDeviceGoneWithTheReasonAfterItsLastBytes)
{
    std::unique_ptr<ISerialDevice> device = Connect();
    ASSERT_NE(device, nullptr);
    ASSERT_TRUE(server.Send({9, 8, 7}));
    server.Close();
    ISerialDevice::Wait last = ISerialDevice::Wait::Timeout;
    EXPECT_EQ(ReadBytes(*device, 4, &last), (Bytes{9, 8, 7}));
    EXPECT_EQ(last, ISerialDevice::Wait::Gone);
    EXPECT_EQ(device->GoneReason(), "Connection closed by peer");
    EXPECT_FALSE(device->Connected());
    const uint8_t byte = 0;
    EXPECT_FALSE(device->Write(&byte, 1));

    device = Connect();
    ASSERT_NE(device, nullptr);
    server.Reset();
    ASSERT_TRUE(WaitGone(*device));
    EXPECT_EQ(device->GoneReason(), "Connection reset by peer");
}

TEST_F(NetworkDeviceTest, ARefusedConnectionOrABadAddressFailsTheOpenWithTheReason)
{
    server.StopListening();
    EXPECT_EQ(Open(server.Url()), nullptr);
    EXPECT_EQ(error, "Cannot connect to " + server.Url() + ": Connection refused");

    EXPECT_EQ(Open("tcp://127.0.0.1:99999"), nullptr);
    EXPECT_EQ(error, "tcp://127.0.0.1:99999 is not a network address: the port \"99999\" is not a number from 1 to "
                     "65535; write tcp://HOST:PORT, udp://:PORT or udp://ADDRESS:PORT");

    // A name with an empty label is refused by the resolver itself, without asking the network.
    EXPECT_EQ(Open("tcp://no..such.host:5000"), nullptr);
    EXPECT_EQ(error, std::string("Cannot connect to tcp://no..such.host:5000: no..such.host: ") +
                         ::gai_strerror(EAI_NONAME));

    // Anything else is a serial port.
    EXPECT_EQ(Open("/dev/kestrion-no-such-port"), nullptr);
    EXPECT_NE(error.find("/dev/kestrion-no-such-port: No such file or directory"), std::string::npos) << error;
}

TEST_F(NetworkDeviceTest, AReopenConnectsWithoutWaitingAndTheReaderFinishesTheConnection)
{
    std::unique_ptr<ISerialDevice> device = Connect();
    ASSERT_NE(device, nullptr);
    server.Close();
    device.reset();

    device = factory.Reopen(server.Url(), {}, error);
    ASSERT_NE(device, nullptr) << error;
    ASSERT_TRUE(server.Accept());
    ASSERT_TRUE(server.Send({5}));
    EXPECT_EQ(ReadBytes(*device, 1), Bytes{5});
    EXPECT_TRUE(device->Connected());

    // The server gone, a reopen fails at once or on the reader's wait, with the reason.
    server.Close();
    server.StopListening();
    device = factory.Reopen(server.Url(), {}, error);
    if (device != nullptr) {
        EXPECT_TRUE(WaitGone(*device));
        EXPECT_EQ(device->GoneReason(), "Connection refused");
    } else {
        EXPECT_EQ(error, "Cannot connect to " + server.Url() + ": Connection refused");
    }
}

TEST_F(NetworkDeviceTest, AUdpPortReceivesEveryDatagramInOrderAndRefusesToSend)
{
    const uint16_t port = FreeLoopbackPort(SOCK_DGRAM);
    const std::string name = "udp://127.0.0.1:" + std::to_string(port);
    const std::unique_ptr<ISerialDevice> device = Open(name);
    ASSERT_NE(device, nullptr) << error;
    EXPECT_EQ(error, "");
    EXPECT_TRUE(device->Connected());

    // A datagram larger than a read comes over several reads, none of its bytes lost.
    Bytes large(3000);
    for (size_t i = 0; i < large.size(); ++i) {
        large[i] = static_cast<uint8_t>(i);
    }
    ASSERT_TRUE(SendDatagram(port, {1, 2}));
    ASSERT_TRUE(SendDatagram(port, large));
    ASSERT_TRUE(SendDatagram(port, {3}));
    Bytes expected{1, 2};
    expected.insert(expected.end(), large.begin(), large.end());
    expected.push_back(3);
    EXPECT_EQ(ReadBytes(*device, expected.size(), nullptr, 1000), expected);

    const uint8_t command[] = {0xA0, 0xA2};
    EXPECT_FALSE(device->Write(command, sizeof command));

    // The port is taken while the device has it.
    EXPECT_EQ(Open(name), nullptr);
    EXPECT_EQ(error, "Cannot receive on " + name + ": Address already in use");
}

}  // namespace
}  // namespace kestrion
