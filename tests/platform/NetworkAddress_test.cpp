#include "platform/NetworkAddress.h"

#include <gtest/gtest.h>

#include "platform/SerialDevice.h"

namespace kestrion {
namespace {

constexpr const char* kForms = "; write tcp://HOST:PORT, udp://:PORT or udp://ADDRESS:PORT";

TEST(NetworkAddressTest, ReadsTheKindHostAndPortOfEveryForm)
{
    struct Case {
        std::string name;
        NetworkKind kind;
        std::string host;
        uint16_t port;
    };
    const Case cases[] = {
        {"tcp://127.0.0.1:5000", NetworkKind::Tcp, "127.0.0.1", 5000},
        {"TCP://receiver.local:65535", NetworkKind::Tcp, "receiver.local", 65535},
        {"tcp://[::1]:1", NetworkKind::Tcp, "::1", 1},
        {"tcp://[fe80::1%eth0]:2101", NetworkKind::Tcp, "fe80::1%eth0", 2101},
        {"udp://:5000", NetworkKind::Udp, "", 5000},
        {"udp://192.168.1.20:10110", NetworkKind::Udp, "192.168.1.20", 10110},
        {"Udp://[::]:7", NetworkKind::Udp, "::", 7},
    };
    for (const Case& c : cases) {
        std::string error = "stale";
        const std::optional<NetworkAddress> address = ParseNetworkAddress(c.name, error);
        ASSERT_TRUE(address.has_value()) << c.name << ": " << error;
        EXPECT_EQ(address->kind, c.kind) << c.name;
        EXPECT_EQ(address->host, c.host) << c.name;
        EXPECT_EQ(address->port, c.port) << c.name;
        EXPECT_EQ(error, "");
    }
}

TEST(NetworkAddressTest, ABadAddressIsNamedWithWhatIsWrongAndTheFormsToWrite)
{
    const std::pair<std::string, std::string> cases[] = {
        {"tcp://receiver", "no :PORT after the host"},
        {"tcp://:5000", "a TCP address needs the host to connect to"},
        {"tcp://host:", "the port \"\" is not a number from 1 to 65535"},
        {"tcp://host:0", "the port \"0\" is not a number from 1 to 65535"},
        {"tcp://host:65536", "the port \"65536\" is not a number from 1 to 65535"},
        {"tcp://host:50x", "the port \"50x\" is not a number from 1 to 65535"},
        {"tcp://host:5000/", "the port \"5000/\" is not a number from 1 to 65535"},
        {"tcp://host:+5", "the port \"+5\" is not a number from 1 to 65535"},
        {"tcp://::1:5000", "an IPv6 address goes in brackets, as in tcp://[::1]:5000"},
        {"tcp://[::1:5000", "the ] after the IPv6 address is missing"},
        {"tcp://[]:5000", "the brackets hold no address"},
        {"tcp://[::1]5000", "no :PORT after the address"},
        {"tcp://my host:5000", "the host \"my host\" holds a character no host name has"},
        {"tcp://user@host:5000", "the host \"user@host\" holds a character no host name has"},
        {"udp://", "no :PORT after the host"},
        {"/dev/ttyUSB0", "it starts with neither tcp:// nor udp://"},
    };
    for (const auto& [name, reason] : cases) {
        std::string error;
        EXPECT_FALSE(ParseNetworkAddress(name, error).has_value()) << name;
        EXPECT_EQ(error, name + " is not a network address: " + reason + kForms);
    }
}

TEST(NetworkAddressTest, NetworkNamesAreToldFromSerialPortsAndKeptAsTheyAre)
{
    for (const char* name : {"tcp://host:1", "UDP://:2", "tcp://", "udp://x"}) {
        EXPECT_TRUE(IsNetworkPort(name)) << name;
        EXPECT_EQ(DevicePathOf(name), name);
    }
    for (const char* name : {"COM1", "/dev/ttyUSB0", "tcp:/host:1", "ttcp://host:1", "tcp", ""}) {
        EXPECT_FALSE(IsNetworkPort(name)) << name;
    }
    EXPECT_EQ(DevicePathOf("COM1"), "/dev/ttyS0");
    // The relay port dialog's form of a name.
    EXPECT_EQ(DevicePathOf("\\\\.\\tcp://host:1"), "tcp://host:1");
    EXPECT_TRUE(IsReceiveOnlyPort("udp://:5000"));
    EXPECT_TRUE(IsReceiveOnlyPort("UDP://:5000"));
    EXPECT_FALSE(IsReceiveOnlyPort("tcp://host:5000"));
}

}  // namespace
}  // namespace kestrion
