#pragma once
// A TCP socket listening for connections, bound to loopback unless another address is named.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/TcpConnection.h"

namespace kestrion {

// Where to listen: an IPv4 address in dotted form and a port, 0 for one the system picks.
struct ListenAddress {
    std::string host;
    uint16_t port = 0;
};

// Takes "tcp://ADDRESS:PORT", "tcp://localhost:PORT" or a bare "PORT"; a bare port and
// localhost mean 127.0.0.1. Nothing, with the error text, when the text is neither.
std::optional<ListenAddress> ParseListenAddress(const std::string& text, std::string& error);

// "tcp://ADDRESS:PORT".
std::string ListenUrl(const ListenAddress& address);

class CTcpListener {
public:
    CTcpListener() = default;
    ~CTcpListener();
    CTcpListener(const CTcpListener&) = delete;
    CTcpListener& operator=(const CTcpListener&) = delete;

    // Binds and listens (SO_REUSEADDR, non-blocking). The error text naming the address and
    // the reason ("tcp://127.0.0.1:5000: Address already in use"), empty on success.
    std::string Open(const std::string& address);
    void Close();
    bool IsOpen() const { return m_fd >= 0; }
    int Fd() const { return m_fd; }
    // The bound address with the real port, "tcp://127.0.0.1:40522"; empty while closed.
    const std::string& Address() const { return m_address; }

    // One waiting connection, or none. A failure other than "none waiting" gives its text.
    std::unique_ptr<CTcpConnection> Accept(std::string& error);

private:
    int m_fd = -1;
    std::string m_address;
};

}  // namespace kestrion
