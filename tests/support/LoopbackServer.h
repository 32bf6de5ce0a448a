#pragma once
// A TCP server on 127.0.0.1 for the network device tests, on a port the system picks: it
// takes one connection at a time, sends and receives its bytes, closes it in order or resets
// it, and stops and starts listening on the same port. Waits are bounded polls; the bound only
// keeps a broken build from hanging.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace kestrion::fakes {

inline constexpr int kLoopbackPatienceMs = 20000;

inline sockaddr_in Loopback(uint16_t port)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

inline uint16_t BoundPort(int fd)
{
    sockaddr_in bound{};
    socklen_t length = sizeof bound;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&bound), &length);
    return ntohs(bound.sin_port);
}

// A port of 127.0.0.1 that was free a moment ago, for a socket of the type.
inline uint16_t FreeLoopbackPort(int type)
{
    const int fd = ::socket(AF_INET, type, 0);
    sockaddr_in address = Loopback(0);
    ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    const uint16_t port = BoundPort(fd);
    ::close(fd);
    return port;
}

// Sends one datagram to 127.0.0.1:port.
inline bool SendDatagram(uint16_t port, const std::vector<uint8_t>& bytes)
{
    const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
    const sockaddr_in address = Loopback(port);
    const ssize_t sent =
        ::sendto(fd, bytes.data(), bytes.size(), 0, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    ::close(fd);
    return sent == static_cast<ssize_t>(bytes.size());
}

class CLoopbackServer {
public:
    CLoopbackServer() { Listen(); }
    ~CLoopbackServer()
    {
        Close();
        StopListening();
    }
    CLoopbackServer(const CLoopbackServer&) = delete;
    CLoopbackServer& operator=(const CLoopbackServer&) = delete;

    uint16_t Port() const { return m_port; }
    std::string Url() const { return "tcp://127.0.0.1:" + std::to_string(m_port); }
    int Accepted() const { return m_accepted; }

    // Listens again on the same port (the first time on a new one).
    bool Listen()
    {
        m_listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        const int on = 1;
        ::setsockopt(m_listener, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
        sockaddr_in address = Loopback(m_port);
        const bool bound = ::bind(m_listener, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
                           ::listen(m_listener, 4) == 0;
        m_port = BoundPort(m_listener);
        return bound;
    }
    // Connections to the port are refused from now on; those queued are reset.
    void StopListening()
    {
        if (m_listener >= 0) {
            ::close(std::exchange(m_listener, -1));
        }
    }
    // Takes the next connection within waitMs; the one before is closed.
    bool Accept(int waitMs = kLoopbackPatienceMs)
    {
        pollfd request{m_listener, POLLIN, 0};
        if (::poll(&request, 1, waitMs) <= 0) {
            return false;
        }
        Close();
        m_connection = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
        m_accepted += m_connection >= 0 ? 1 : 0;
        return m_connection >= 0;
    }
    // A connection is waiting to be taken.
    bool Pending() const
    {
        pollfd request{m_listener, POLLIN, 0};
        return ::poll(&request, 1, 0) > 0;
    }

    bool Send(const std::vector<uint8_t>& bytes) const
    {
        return ::send(m_connection, bytes.data(), bytes.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(bytes.size());
    }
    // The next count bytes of the connection; fewer when it ends or they do not come.
    std::vector<uint8_t> Receive(size_t count) const
    {
        std::vector<uint8_t> bytes(count);
        size_t got = 0;
        while (got < count) {
            pollfd request{m_connection, POLLIN, 0};
            if (::poll(&request, 1, kLoopbackPatienceMs) <= 0) {
                break;
            }
            const ssize_t read = ::recv(m_connection, bytes.data() + got, count - got, 0);
            if (read <= 0) {
                break;
            }
            got += static_cast<size_t>(read);
        }
        bytes.resize(got);
        return bytes;
    }
    // An orderly close: the client reads the end of the stream.
    void Close()
    {
        if (m_connection >= 0) {
            ::close(std::exchange(m_connection, -1));
        }
    }
    // A close without lingering: the client is reset.
    void Reset()
    {
        const linger abort{1, 0};
        ::setsockopt(m_connection, SOL_SOCKET, SO_LINGER, &abort, sizeof abort);
        Close();
    }

private:
    int m_listener = -1;
    int m_connection = -1;
    uint16_t m_port = 0;
    int m_accepted = 0;
};

}  // namespace kestrion::fakes
