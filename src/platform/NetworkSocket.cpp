#include "platform/NetworkSocket.h"

#include <netdb.h>
#include <poll.h>

#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

namespace kestrion {
namespace {

// One look-up of the resolver, shared by the caller and the thread doing it: a look-up that
// outlives the caller's wait finishes on its own and frees what it found.
struct Lookup {
    std::mutex lock;
    std::condition_variable finished;
    bool done = false;
    int status = 0;
    addrinfo* found = nullptr;

    ~Lookup()
    {
        if (found != nullptr) {
            ::freeaddrinfo(found);
        }
    }
};

std::vector<SocketAddress> AddressesOf(const addrinfo* found)
{
    std::vector<SocketAddress> addresses;
    for (const addrinfo* entry = found; entry != nullptr; entry = entry->ai_next) {
        if (entry->ai_addrlen <= sizeof(sockaddr_storage)) {
            SocketAddress address;
            std::memcpy(&address.storage, entry->ai_addr, entry->ai_addrlen);
            address.length = entry->ai_addrlen;
            addresses.push_back(address);
        }
    }
    return addresses;
}

// Numbers are looked up at once; a name waits for the resolver at most `limit`. The resolver's
// status, nullopt when it took longer.
std::optional<int> LookUp(const NetworkAddress& address, int socketType, std::chrono::milliseconds limit,
           std::shared_ptr<Lookup>& lookup)
{
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = socketType;
    hints.ai_flags = AI_NUMERICSERV | AI_NUMERICHOST | (address.host.empty() ? AI_PASSIVE : 0);
    const std::string service = std::to_string(address.port);
    const char* host = address.host.empty() ? nullptr : address.host.c_str();
    lookup = std::make_shared<Lookup>();
    lookup->status = ::getaddrinfo(host, service.c_str(), &hints, &lookup->found);
    if (lookup->status != EAI_NONAME || host == nullptr) {
        return lookup->status;
    }
    hints.ai_flags &= ~AI_NUMERICHOST;
    lookup = std::make_shared<Lookup>();
    std::thread([lookup, name = address.host, service, hints] {
        addrinfo* found = nullptr;
        const int status = ::getaddrinfo(name.c_str(), service.c_str(), &hints, &found);
        const std::lock_guard hold(lookup->lock);
        lookup->status = status;
        lookup->found = found;
        lookup->done = true;
        lookup->finished.notify_all();
    }).detach();
    std::unique_lock hold(lookup->lock);
    if (!lookup->finished.wait_for(hold, limit, [&] { return lookup->done; })) {
        return std::nullopt;
    }
    return lookup->status;
}

}  // namespace

std::vector<SocketAddress> ResolveNetworkAddress(const std::string& name, const NetworkAddress& address,
                                                 int socketType, std::chrono::milliseconds limit,
                                                 std::string& error)
{
    std::shared_ptr<Lookup> lookup;
    const std::optional<int> status = LookUp(address, socketType, limit, lookup);
    std::vector<SocketAddress> addresses;
    if (status == 0) {
        addresses = AddressesOf(lookup->found);
    }
    if (!addresses.empty()) {
        error.clear();
    } else if (!status) {
        error = name + ": looking up " + address.host + " took more than " +
                std::to_string(std::chrono::duration_cast<std::chrono::seconds>(limit).count()) + " seconds";
    } else {
        error = name + ": " + address.host + ": " + (*status != 0 ? ::gai_strerror(*status) : "no address");
    }
    return addresses;
}

SocketWait WaitOnSocket(int fd, short events, int timeoutMs, int wakeFd)
{
    pollfd requests[2] = {{fd, events, 0}, {wakeFd, POLLIN, 0}};
    const int ready = ::poll(requests, wakeFd >= 0 ? 2 : 1, timeoutMs);
    if (ready < 0) {
        return errno == EINTR ? SocketWait{SocketWait::Outcome::Timeout} : SocketWait{SocketWait::Outcome::Failed, 0, errno};
    }
    if (requests[0].revents != 0) {
        return {SocketWait::Outcome::Ready, requests[0].revents};
    }
    return {ready > 0 ? SocketWait::Outcome::Woken : SocketWait::Outcome::Timeout};
}

ISerialDevice::Wait DeviceWaitOf(const SocketWait& wait)
{
    switch (wait.outcome) {
    case SocketWait::Outcome::Ready:
        return ISerialDevice::Wait::Readable;
    case SocketWait::Outcome::Woken:
        return ISerialDevice::Wait::Woken;
    case SocketWait::Outcome::Timeout:
        return ISerialDevice::Wait::Timeout;
    case SocketWait::Outcome::Failed:
        break;
    }
    return ISerialDevice::Wait::Gone;
}

int OpenSocket(const SocketAddress& address, int socketType)
{
    return ::socket(address.Family(), socketType | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
}

}  // namespace kestrion
