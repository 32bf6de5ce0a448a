#pragma once
// A receiver that sends its output as UDP datagrams, as a serial device: the datagrams' bytes
// in the order they arrive, from any sender. It sends nothing: writes are refused.
#include <atomic>
#include <cstddef>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/NetworkSocket.h"
#include "platform/SerialDevice.h"

namespace kestrion {

class CUdpReceiveDevice final : public ISerialDevice {
public:
    static constexpr size_t kLargestDatagram = 65536;

    // Binds the first address that takes it (a wildcard IPv6 address takes IPv4 senders too);
    // null with the reason of the last one.
    static std::unique_ptr<CUdpReceiveDevice> Bind(const std::vector<SocketAddress>& addresses, std::string& reason);
    ~CUdpReceiveDevice() override;
    CUdpReceiveDevice(const CUdpReceiveDevice&) = delete;
    CUdpReceiveDevice& operator=(const CUdpReceiveDevice&) = delete;

    // The port bound, as the system chose it for port 0.
    uint16_t Port() const;

    Wait WaitForInput(int timeoutMs, int wakeFd) override;
    // A datagram larger than count is handed over over several reads.
    long Read(uint8_t* buffer, size_t count) override;
    bool Write(const uint8_t* /*bytes*/, size_t /*count*/) override { return false; }
    size_t OutputQueued() override { return 0; }
    unsigned TakeLineErrors() override { return 0; }
    void Purge() override {}
    std::string GoneReason() const override;
    bool Connected() const override { return !m_gone.load(); }

private:
    explicit CUdpReceiveDevice(int fd);
    void MarkGone(int error);

    int m_fd;
    // The reader thread's: the datagram being handed over.
    std::vector<uint8_t> m_datagram;
    size_t m_handedOver = 0;
    std::atomic<bool> m_gone{false};
    mutable std::mutex m_reasonLock;
    std::string m_reason;
};

}  // namespace kestrion
