#include "platform/UdpReceiveDevice.h"

#include <netinet/in.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace kestrion {

std::unique_ptr<CUdpReceiveDevice> CUdpReceiveDevice::Bind(const std::vector<SocketAddress>& addresses,
                                                           std::string& reason)
{
    reason = std::strerror(EADDRNOTAVAIL);
    for (const SocketAddress& address : addresses) {
        const int fd = OpenSocket(address, SOCK_DGRAM);
        if (fd < 0) {
            reason = std::strerror(errno);
            continue;
        }
        if (address.Family() == AF_INET6) {
            const int off = 0;
            ::setsockopt(fd, IPPROTO_IPV6, IPV6_V6ONLY, &off, sizeof off);
        }
        if (::bind(fd, address.Get(), address.length) == 0) {
            reason.clear();
            return std::unique_ptr<CUdpReceiveDevice>(new CUdpReceiveDevice(fd));
        }
        reason = std::strerror(errno);
        ::close(fd);
    }
    return nullptr;
}

CUdpReceiveDevice::CUdpReceiveDevice(int fd) : m_fd(fd) {}

CUdpReceiveDevice::~CUdpReceiveDevice() { ::close(m_fd); }

uint16_t CUdpReceiveDevice::Port() const
{
    sockaddr_storage bound{};
    socklen_t length = sizeof bound;
    if (::getsockname(m_fd, reinterpret_cast<sockaddr*>(&bound), &length) != 0) {
        return 0;
    }
    const in_port_t port = bound.ss_family == AF_INET6 ? reinterpret_cast<const sockaddr_in6&>(bound).sin6_port
                                                      : reinterpret_cast<const sockaddr_in&>(bound).sin_port;
    return ntohs(port);
}

ISerialDevice::Wait CUdpReceiveDevice::WaitForInput(int timeoutMs, int wakeFd)
{
    if (m_gone.load()) {
        return Wait::Gone;
    }
    if (m_handedOver < m_datagram.size()) {
        return Wait::Readable;
    }
    const SocketWait wait = WaitOnSocket(m_fd, POLLIN, timeoutMs, wakeFd);
    if (wait.outcome == SocketWait::Outcome::Failed) {
        MarkGone(wait.error);
    }
    return DeviceWaitOf(wait);
}

long CUdpReceiveDevice::Read(uint8_t* buffer, size_t count)
{
    if (m_handedOver == m_datagram.size()) {
        m_datagram.resize(kLargestDatagram);
        ssize_t got = 0;
        do {
            got = ::recv(m_fd, m_datagram.data(), m_datagram.size(), MSG_DONTWAIT);
        } while (got < 0 && errno == EINTR);
        m_datagram.resize(got > 0 ? static_cast<size_t>(got) : 0);
        m_handedOver = 0;
        if (got < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
            MarkGone(errno);
            return -1;
        }
    }
    const size_t taken = std::min(count, m_datagram.size() - m_handedOver);
    std::copy_n(m_datagram.begin() + static_cast<std::ptrdiff_t>(m_handedOver), taken, buffer);
    m_handedOver += taken;
    return static_cast<long>(taken);
}

std::string CUdpReceiveDevice::GoneReason() const
{
    const std::lock_guard hold(m_reasonLock);
    return m_reason;
}

void CUdpReceiveDevice::MarkGone(int error)
{
    const std::lock_guard hold(m_reasonLock);
    m_reason = std::strerror(error);
    m_gone = true;
}

}  // namespace kestrion
