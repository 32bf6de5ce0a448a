#pragma once
// What the network devices share: the addresses a name resolves to and the wait on a socket
// beside the reader's wake descriptor.
#include <sys/socket.h>

#include <chrono>
#include <string>
#include <vector>

#include "platform/NetworkAddress.h"
#include "platform/SerialDevice.h"

namespace kestrion {

struct SocketAddress {
    sockaddr_storage storage{};
    socklen_t length = 0;

    int Family() const { return storage.ss_family; }
    const sockaddr* Get() const { return reinterpret_cast<const sockaddr*>(&storage); }
};

// The socket addresses of `address` for the socket type (SOCK_STREAM, SOCK_DGRAM); an empty
// host gives the wildcard addresses to bind. A host name waits for the system's resolver at
// most `limit`. Empty, with the user's text naming `name` and the resolver's reason, when
// nothing is found.
std::vector<SocketAddress> ResolveNetworkAddress(const std::string& name, const NetworkAddress& address,
                                                 int socketType, std::chrono::milliseconds limit,
                                                 std::string& error);

// The outcome of a wait for `events` on a socket and for input on wakeFd.
struct SocketWait {
    enum class Outcome { Ready, Timeout, Woken, Failed } outcome;
    short revents = 0;  // the socket's, when Ready
    int error = 0;      // errno, when Failed
};
// Waits up to timeoutMs (negative: without limit); the socket's events come before the wake's.
// A signal ends the wait as a time-out.
SocketWait WaitOnSocket(int fd, short events, int timeoutMs, int wakeFd = -1);
// The device's wait the socket's gives: Readable when the socket is ready, Gone when it failed.
ISerialDevice::Wait DeviceWaitOf(const SocketWait& wait);

// A socket of the address's family, non-blocking and closed on exec; -1 with errno.
int OpenSocket(const SocketAddress& address, int socketType);

}  // namespace kestrion
