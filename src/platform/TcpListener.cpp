#include "platform/TcpListener.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>

namespace kestrion {

namespace {

constexpr const char* kScheme = "tcp://";
constexpr const char* kLoopback = "127.0.0.1";
constexpr int kBacklog = 16;

bool AllDigits(const std::string& text)
{
    return !text.empty() && std::ranges::all_of(text, [](unsigned char c) { return std::isdigit(c) != 0; });
}

std::optional<uint16_t> PortOf(const std::string& text)
{
    if (!AllDigits(text) || text.size() > 5) {
        return std::nullopt;
    }
    const long port = std::stol(text);
    return port <= 65535 ? std::optional<uint16_t>(static_cast<uint16_t>(port)) : std::nullopt;
}

std::string PeerOf(const sockaddr_in& address)
{
    char host[INET_ADDRSTRLEN] = {};
    inet_ntop(AF_INET, &address.sin_addr, host, sizeof host);
    return std::string(host) + ":" + std::to_string(ntohs(address.sin_port));
}

}  // namespace

std::optional<ListenAddress> ParseListenAddress(const std::string& text, std::string& error)
{
    if (const std::optional<uint16_t> port = PortOf(text)) {
        return ListenAddress{kLoopback, *port};
    }
    const std::string scheme = kScheme;
    const size_t colon = text.rfind(':');
    if (!text.starts_with(scheme) || colon < scheme.size()) {
        error = text + ": listen on tcp://ADDRESS:PORT or a port number";
        return std::nullopt;
    }
    std::string host = text.substr(scheme.size(), colon - scheme.size());
    const std::optional<uint16_t> port = PortOf(text.substr(colon + 1));
    if (!port) {
        error = text + ": the port is a number from 0 to 65535";
        return std::nullopt;
    }
    if (host == "localhost") {
        host = kLoopback;
    }
    in_addr parsed{};
    if (inet_pton(AF_INET, host.c_str(), &parsed) != 1) {
        error = text + ": the address is localhost or an IPv4 address such as 0.0.0.0";
        return std::nullopt;
    }
    return ListenAddress{host, *port};
}

std::string ListenUrl(const ListenAddress& address)
{
    return kScheme + address.host + ":" + std::to_string(address.port);
}

CTcpListener::~CTcpListener() { Close(); }

std::string CTcpListener::Open(const std::string& text)
{
    Close();
    std::string error;
    const std::optional<ListenAddress> address = ParseListenAddress(text, error);
    if (!address) {
        return error;
    }
    sockaddr_in bound{};
    bound.sin_family = AF_INET;
    bound.sin_port = htons(address->port);
    inet_pton(AF_INET, address->host.c_str(), &bound.sin_addr);
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        return ListenUrl(*address) + ": " + std::strerror(errno);
    }
    const int on = 1;
    setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    socklen_t length = sizeof bound;
    if (bind(fd, reinterpret_cast<const sockaddr*>(&bound), sizeof bound) != 0 || listen(fd, kBacklog) != 0 ||
        getsockname(fd, reinterpret_cast<sockaddr*>(&bound), &length) != 0) {
        const int reason = errno;
        close(fd);
        return ListenUrl(*address) + ": " + std::strerror(reason);
    }
    m_fd = fd;
    m_address = ListenUrl({address->host, ntohs(bound.sin_port)});
    return {};
}

void CTcpListener::Close()
{
    if (m_fd >= 0) {
        close(m_fd);
        m_fd = -1;
    }
    m_address.clear();
}

std::unique_ptr<CTcpConnection> CTcpListener::Accept(std::string& error)
{
    sockaddr_in peer{};
    socklen_t length = sizeof peer;
    const int fd = accept4(m_fd, reinterpret_cast<sockaddr*>(&peer), &length, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (fd < 0) {
        if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR && errno != ECONNABORTED) {
            error = "accept on " + m_address + ": " + std::strerror(errno);
        }
        return nullptr;
    }
    // Receiver data goes out as it comes, not held back to fill segments.
    const int on = 1;
    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    return std::make_unique<CTcpConnection>(fd, PeerOf(peer));
}

}  // namespace kestrion
