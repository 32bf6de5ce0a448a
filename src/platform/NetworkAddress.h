#pragma once
// A receiver on the network named where a serial port is: "tcp://HOST:PORT" connects to a TCP
// server, "udp://:PORT" or "udp://ADDRESS:PORT" receives datagrams. An IPv6 address goes in
// brackets ("tcp://[::1]:5000").
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kestrion {

enum class NetworkKind { Tcp, Udp };

struct NetworkAddress {
    NetworkKind kind = NetworkKind::Tcp;
    std::string host;  // without brackets; empty for every local address (UDP only)
    uint16_t port = 0;
};

// The name starts with "tcp://" or "udp://" in any case, well formed or not.
bool IsNetworkPort(std::string_view name);
// A "udp://" name: the port receives and sends nothing.
bool IsReceiveOnlyPort(std::string_view name);

// The address a network name gives; nullopt with the user's text naming it and what is wrong.
std::optional<NetworkAddress> ParseNetworkAddress(std::string_view name, std::string& error);

}  // namespace kestrion
