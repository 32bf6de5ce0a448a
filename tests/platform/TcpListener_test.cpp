#include "platform/TcpListener.h"

#include <gtest/gtest.h>

#include "support/LoopbackClient.h"

namespace kestrion::test {
namespace {

uint16_t PortOf(const std::string& url)
{
    return static_cast<uint16_t>(std::stoi(url.substr(url.rfind(':') + 1)));
}

// Polls the listener for a connection, up to five seconds.
std::unique_ptr<CTcpConnection> AcceptWithin(CTcpListener& listener)
{
    std::string error;
    for (int attempt = 0; attempt < 500; ++attempt) {
        pollfd wait{listener.Fd(), POLLIN, 0};
        poll(&wait, 1, 10);
        if (std::unique_ptr<CTcpConnection> connection = listener.Accept(error)) {
            return connection;
        }
    }
    ADD_FAILURE() << "no connection: " << error;
    return nullptr;
}

TEST(TcpListener, ListensOnLoopbackUnlessAnotherAddressIsNamed)
{
    struct Case {
        const char* text;
        const char* host;
        uint16_t port;
    };
    for (const Case& c : {Case{"5000", "127.0.0.1", 5000}, Case{"tcp://localhost:5001", "127.0.0.1", 5001},
                          Case{"tcp://0.0.0.0:5002", "0.0.0.0", 5002}, Case{"tcp://192.168.1.20:0", "192.168.1.20", 0},
                          Case{"0", "127.0.0.1", 0}, Case{"65535", "127.0.0.1", 65535}}) {
        SCOPED_TRACE(c.text);
        std::string error;
        const std::optional<ListenAddress> address = ParseListenAddress(c.text, error);
        ASSERT_TRUE(address.has_value()) << error;
        EXPECT_EQ(address->host, c.host);
        EXPECT_EQ(address->port, c.port);
    }
}

TEST(TcpListener, RefusesAddressesItCannotListenOnWithTheReason)
{
    struct Case {
        const char* text;
        const char* error;
    };
    for (const Case& c : {Case{"65536", "65536: listen on tcp://ADDRESS:PORT or a port number"},
                          Case{"tcp://127.0.0.1:65536", "tcp://127.0.0.1:65536: the port is a number from 0 to 65535"},
                          Case{"tcp://127.0.0.1:", "tcp://127.0.0.1:: the port is a number from 0 to 65535"},
                          Case{"tcp://127.0.0.1", "tcp://127.0.0.1: listen on tcp://ADDRESS:PORT or a port number"},
                          Case{"tcp://gps.example:5000",
                               "tcp://gps.example:5000: the address is localhost or an IPv4 address such as 0.0.0.0"},
                          Case{"tcp://:5000",
                               "tcp://:5000: the address is localhost or an IPv4 address such as 0.0.0.0"},
                          Case{"udp://127.0.0.1:5000",
                               "udp://127.0.0.1:5000: listen on tcp://ADDRESS:PORT or a port number"},
                          Case{"", ": listen on tcp://ADDRESS:PORT or a port number"}}) {
        SCOPED_TRACE(c.text);
        std::string error;
        EXPECT_FALSE(ParseListenAddress(c.text, error).has_value());
        EXPECT_EQ(error, c.error);
        CTcpListener listener;
        EXPECT_EQ(listener.Open(c.text), c.error);
        EXPECT_FALSE(listener.IsOpen());
    }
}

TEST(TcpListener, NamesTheRealPortAndTheAddressInUse)
{
    CTcpListener first;
    ASSERT_EQ(first.Open("tcp://127.0.0.1:0"), "");
    const uint16_t port = PortOf(first.Address());
    EXPECT_NE(port, 0);
    EXPECT_EQ(first.Address(), "tcp://127.0.0.1:" + std::to_string(port));

    CTcpListener second;
    EXPECT_EQ(second.Open(std::to_string(port)), first.Address() + ": Address already in use");
    EXPECT_FALSE(second.IsOpen());
    EXPECT_EQ(second.Address(), "");

    // SO_REUSEADDR: the port is free again as soon as its listener closes, even after a connection.
    CLoopbackClient client(first.Address());
    ASSERT_TRUE(client.Connected());
    AcceptWithin(first).reset();
    client.Close();
    first.Close();
    EXPECT_EQ(second.Open("tcp://localhost:" + std::to_string(port)), "");
}

TEST(TcpListener, AcceptsWithoutWaitingAndCarriesBytesBothWays)
{
    CTcpListener listener;
    ASSERT_EQ(listener.Open("0"), "");
    std::string error;
    EXPECT_EQ(listener.Accept(error), nullptr) << "nobody is waiting";
    EXPECT_EQ(error, "");

    CLoopbackClient client(listener.Address());
    ASSERT_TRUE(client.Connected());
    std::unique_ptr<CTcpConnection> connection = AcceptWithin(listener);
    ASSERT_NE(connection, nullptr);
    sockaddr_in local{};
    socklen_t length = sizeof local;
    getsockname(client.Fd(), reinterpret_cast<sockaddr*>(&local), &length);
    EXPECT_EQ(connection->Peer(), "127.0.0.1:" + std::to_string(ntohs(local.sin_port)));

    std::vector<uint8_t> received;
    EXPECT_TRUE(connection->Receive(received)) << "nothing has come, and the peer is there";
    EXPECT_TRUE(received.empty());
    const uint8_t out[] = {0xA0, 0xA2, 0x00};
    EXPECT_EQ(connection->Send(out), 3);
    EXPECT_TRUE(client.ReadUntil(3));
    EXPECT_EQ(client.received, std::vector<uint8_t>(out, out + 3));

    ASSERT_TRUE(client.Send({'$', 'G', 'P'}));
    client.Close();
    bool stays = true;
    for (int attempt = 0; attempt < 500 && stays; ++attempt) {
        pollfd wait{connection->Fd(), POLLIN, 0};
        poll(&wait, 1, 10);
        stays = connection->Receive(received);
    }
    EXPECT_FALSE(stays) << "the peer closed";
    EXPECT_EQ(std::string(received.begin(), received.end()), "$GP") << "what came before the close is kept";
    // The first send after the close may still be taken; the peer's reset ends the next ones.
    long sent = 0;
    for (int attempt = 0; attempt < 500 && sent >= 0; ++attempt) {
        sent = connection->Send(out);
        poll(nullptr, 0, 2);
    }
    EXPECT_EQ(sent, -1) << "a closed peer is gone, without SIGPIPE";
}

}  // namespace
}  // namespace kestrion::test
