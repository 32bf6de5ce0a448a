#include "platform/PortDeviceFactory.h"

#include "platform/NetworkAddress.h"
#include "platform/TcpClientDevice.h"
#include "platform/UdpReceiveDevice.h"

namespace kestrion {

std::unique_ptr<ISerialDevice> CPortDeviceFactory::Open(const std::string& path, const SerialSettings& settings,
                                                        std::string& error)
{
    return IsNetworkPort(path) ? OpenNetwork(path, error) : m_serial.Open(path, settings, error);
}

std::unique_ptr<ISerialDevice> CPortDeviceFactory::Reopen(const std::string& path, const SerialSettings& settings,
                                                          std::string& error)
{
    SocketAddress reached;
    {
        const std::lock_guard hold(m_lock);
        const auto found = m_reached.find(path);
        if (found == m_reached.end()) {
            return Open(path, settings, error);
        }
        reached = found->second;
    }
    std::string reason;
    std::unique_ptr<ISerialDevice> device = CTcpClientDevice::StartConnect(reached, reason);
    error = reason.empty() ? std::string() : "Cannot connect to " + path + ": " + reason;
    return device;
}

std::unique_ptr<ISerialDevice> CPortDeviceFactory::OpenNetwork(const std::string& name, std::string& error)
{
    const std::optional<NetworkAddress> address = ParseNetworkAddress(name, error);
    if (!address) {
        return nullptr;
    }
    const bool tcp = address->kind == NetworkKind::Tcp;
    const std::string failure = (tcp ? "Cannot connect to " : "Cannot receive on ");
    const std::vector<SocketAddress> addresses =
        ResolveNetworkAddress(name, *address, tcp ? SOCK_STREAM : SOCK_DGRAM, kOpenLimit, error);
    if (addresses.empty()) {
        error = failure + error;
        return nullptr;
    }
    std::string reason;
    if (!tcp) {
        std::unique_ptr<ISerialDevice> device = CUdpReceiveDevice::Bind(addresses, reason);
        error = device != nullptr ? std::string() : failure + name + ": " + reason;
        return device;
    }
    std::unique_ptr<CTcpClientDevice> device = CTcpClientDevice::Connect(addresses, kOpenLimit, reason);
    if (device == nullptr) {
        error = failure + name + ": " + reason;
        return nullptr;
    }
    const std::lock_guard hold(m_lock);
    m_reached[name] = device->Address();
    error.clear();
    return device;
}

}  // namespace kestrion
