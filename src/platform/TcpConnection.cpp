#include "platform/TcpConnection.h"

#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <cerrno>

namespace kestrion {

namespace {

// A peer that never stops sending still lets its reader do other work between calls.
constexpr size_t kMostPerReceive = 64 * 1024;

}  // namespace

CTcpConnection::CTcpConnection(int fd, std::string peer) : m_fd(fd), m_peer(std::move(peer)) {}

CTcpConnection::~CTcpConnection() { close(m_fd); }

void CTcpConnection::LimitSendBuffer(int bytes) const
{
    setsockopt(m_fd, SOL_SOCKET, SO_SNDBUF, &bytes, sizeof bytes);
}

long CTcpConnection::Send(std::span<const uint8_t> bytes)
{
    for (;;) {
        // No SIGPIPE for a peer that has gone: the error says so.
        const ssize_t sent = send(m_fd, bytes.data(), bytes.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
        if (sent >= 0) {
            return static_cast<long>(sent);
        }
        if (errno == EAGAIN || errno == EWOULDBLOCK) {
            return 0;
        }
        if (errno != EINTR) {
            return -1;
        }
    }
}

bool CTcpConnection::Receive(std::vector<uint8_t>& into)
{
    std::array<uint8_t, 4096> chunk{};
    for (size_t taken = 0; taken < kMostPerReceive;) {
        const ssize_t count = recv(m_fd, chunk.data(), chunk.size(), MSG_DONTWAIT);
        if (count > 0) {
            into.insert(into.end(), chunk.begin(), chunk.begin() + count);
            taken += static_cast<size_t>(count);
        } else if (count == 0) {
            return false;
        } else if (errno == EAGAIN || errno == EWOULDBLOCK) {
            return true;
        } else if (errno != EINTR) {
            return false;
        }
    }
    return true;
}

}  // namespace kestrion
