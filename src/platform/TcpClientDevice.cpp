#include "platform/TcpClientDevice.h"

#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace kestrion {
namespace {

constexpr auto kWriteStall = std::chrono::seconds(3);
constexpr char kClosedByPeer[] = "Connection closed by peer";

// Commands are short and wanted at once; a peer that vanished without a word (a cable pulled)
// is noticed after about 25 seconds of silence.
void SetOptions(int fd)
{
    const int on = 1;
    const int idleSeconds = 10;
    const int intervalSeconds = 5;
    const int probes = 3;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    ::setsockopt(fd, SOL_SOCKET, SO_KEEPALIVE, &on, sizeof on);
    ::setsockopt(fd, IPPROTO_TCP, TCP_KEEPIDLE, &idleSeconds, sizeof idleSeconds);
    ::setsockopt(fd, IPPROTO_TCP, TCP_KEEPINTVL, &intervalSeconds, sizeof intervalSeconds);
    ::setsockopt(fd, IPPROTO_TCP, TCP_KEEPCNT, &probes, sizeof probes);
}

int MillisecondsLeft(std::chrono::steady_clock::time_point deadline)
{
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

}  // namespace

std::unique_ptr<CTcpClientDevice> CTcpClientDevice::Connect(const std::vector<SocketAddress>& addresses,
                                                            std::chrono::milliseconds limit, std::string& reason)
{
    reason = std::strerror(EADDRNOTAVAIL);
    for (const SocketAddress& address : addresses) {
        std::unique_ptr<CTcpClientDevice> device = StartConnect(address, reason);
        const auto deadline = std::chrono::steady_clock::now() + limit;
        while (device != nullptr && device->m_state.load() == State::Connecting) {
            const int left = MillisecondsLeft(deadline);
            const SocketWait wait = WaitOnSocket(device->m_fd, POLLOUT, left);
            if (wait.outcome == SocketWait::Outcome::Ready) {
                device->FinishConnect();
            } else if (wait.outcome == SocketWait::Outcome::Failed || left == 0) {
                device->MarkGone(wait.outcome == SocketWait::Outcome::Failed ? wait.error : ETIMEDOUT);
            }
        }
        if (device != nullptr && device->Connected()) {
            reason.clear();
            return device;
        }
        if (device != nullptr) {
            reason = device->GoneReason();
        }
    }
    return nullptr;
}

std::unique_ptr<CTcpClientDevice> CTcpClientDevice::StartConnect(const SocketAddress& address, std::string& reason)
{
    const int fd = OpenSocket(address, SOCK_STREAM);
    if (fd < 0) {
        reason = std::strerror(errno);
        return nullptr;
    }
    SetOptions(fd);
    int result = 0;
    do {
        result = ::connect(fd, address.Get(), address.length);
    } while (result != 0 && errno == EINTR);
    if (result != 0 && errno != EINPROGRESS) {
        reason = std::strerror(errno);
        ::close(fd);
        return nullptr;
    }
    reason.clear();
    return std::unique_ptr<CTcpClientDevice>(
        new CTcpClientDevice(fd, address, result == 0 ? State::Up : State::Connecting));
}

CTcpClientDevice::CTcpClientDevice(int fd, const SocketAddress& address, State state)
    : m_fd(fd), m_address(address), m_state(state)
{
}

CTcpClientDevice::~CTcpClientDevice() { ::close(m_fd); }

ISerialDevice::Wait CTcpClientDevice::WaitForInput(int timeoutMs, int wakeFd)
{
    const State state = m_state.load();
    if (state == State::Gone) {
        return Wait::Gone;
    }
    const short events = state == State::Connecting ? POLLOUT : POLLIN | POLLRDHUP;
    const SocketWait wait = WaitOnSocket(m_fd, events, timeoutMs, wakeFd);
    if (wait.outcome == SocketWait::Outcome::Failed) {
        MarkGone(wait.error);
    } else if (wait.outcome == SocketWait::Outcome::Ready && state == State::Connecting) {
        FinishConnect();
        return m_state.load() == State::Gone ? Wait::Gone : Wait::Timeout;
    }
    // Read tells the bytes from the end of the stream or a reset.
    return DeviceWaitOf(wait);
}

long CTcpClientDevice::Read(uint8_t* buffer, size_t count)
{
    const State state = m_state.load();
    if (state != State::Up) {
        return state == State::Gone ? -1 : 0;
    }
    for (;;) {
        const ssize_t got = ::recv(m_fd, buffer, count, MSG_DONTWAIT);
        if (got > 0 || (got == 0 && count == 0)) {
            return got;
        }
        if (got == 0) {
            MarkGone(kClosedByPeer);
            return -1;
        }
        if (errno == EINTR) {
            continue;
        }
        if (errno == EAGAIN || errno == EWOULDBLOCK) {
            return 0;
        }
        MarkGone(errno);
        return -1;
    }
}

bool CTcpClientDevice::Write(const uint8_t* bytes, size_t count)
{
    auto deadline = std::chrono::steady_clock::now() + kWriteStall;
    while (count > 0) {
        if (m_state.load() != State::Up) {
            return false;
        }
        const ssize_t sent = ::send(m_fd, bytes, count, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (sent > 0) {
            bytes += sent;
            count -= static_cast<size_t>(sent);
            deadline = std::chrono::steady_clock::now() + kWriteStall;
        } else if (sent < 0 && errno == EINTR) {
            continue;
        } else if (sent < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            const int left = MillisecondsLeft(deadline);
            if (left == 0 || WaitOnSocket(m_fd, POLLOUT, left).outcome == SocketWait::Outcome::Failed) {
                return false;
            }
        } else {
            MarkGone(sent < 0 ? errno : EPIPE);
            return false;
        }
    }
    return true;
}

std::string CTcpClientDevice::GoneReason() const
{
    const std::lock_guard hold(m_reasonLock);
    return m_state.load() == State::Gone ? m_reason : std::string();
}

void CTcpClientDevice::FinishConnect()
{
    int error = 0;
    socklen_t length = sizeof error;
    if (::getsockopt(m_fd, SOL_SOCKET, SO_ERROR, &error, &length) != 0) {
        error = errno;
    }
    if (error != 0) {
        MarkGone(error);
    } else {
        State connecting = State::Connecting;
        m_state.compare_exchange_strong(connecting, State::Up);
    }
}

void CTcpClientDevice::MarkGone(const std::string& reason)
{
    const std::lock_guard hold(m_reasonLock);
    if (m_reason.empty()) {
        m_reason = reason;
    }
    m_state = State::Gone;
}

void CTcpClientDevice::MarkGone(int error) { MarkGone(std::string(std::strerror(error))); }

}  // namespace kestrion
