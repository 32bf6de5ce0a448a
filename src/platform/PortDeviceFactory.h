#pragma once
// The devices a port name opens: network names ("tcp://HOST:PORT", "udp://:PORT") as sockets,
// every other name as a termios serial device. The baud and line settings do not apply to a
// network device.
#include <chrono>
#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "platform/NetworkSocket.h"
#include "platform/SerialDevice.h"
#include "platform/TermiosSerial.h"

namespace kestrion {

class CPortDeviceFactory : public ISerialDeviceFactory {
public:
    // The longest wait of an open for the host name's look-up, and then for each of its
    // addresses to take the connection.
    static constexpr std::chrono::milliseconds kOpenLimit{5000};

    // A TCP name connects, waiting as long as kOpenLimit allows; a UDP name binds its port.
    std::unique_ptr<ISerialDevice> Open(const std::string& path, const SerialSettings& settings,
                                        std::string& error) override;
    // A TCP name starts connecting, without waiting, to the address its last open reached;
    // no name is looked up again. Anything else opens as Open does.
    std::unique_ptr<ISerialDevice> Reopen(const std::string& path, const SerialSettings& settings,
                                          std::string& error) override;

private:
    std::unique_ptr<ISerialDevice> OpenNetwork(const std::string& name, std::string& error);

    CTermiosSerialFactory m_serial;
    std::mutex m_lock;  // the relay opens on its own thread
    std::map<std::string, SocketAddress> m_reached;  // by TCP name: the address last connected to
};

}  // namespace kestrion
