#pragma once
// A receiver behind a TCP server, as a serial device: the bytes of the stream both ways, no
// line settings and no line errors. A connection is made without blocking; the reader's waits
// finish it. A connection refused, reset or closed by the peer makes the device gone, with
// the reason.
#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/NetworkSocket.h"
#include "platform/SerialDevice.h"

namespace kestrion {

class CTcpClientDevice final : public ISerialDevice {
public:
    // Tries each address in turn until one takes the connection, waiting at most `limit` for
    // each; null with the reason of the last one.
    static std::unique_ptr<CTcpClientDevice> Connect(const std::vector<SocketAddress>& addresses,
                                                     std::chrono::milliseconds limit, std::string& reason);
    // Starts connecting and returns at once; null with the reason when the connection failed
    // at once (refused on this machine).
    static std::unique_ptr<CTcpClientDevice> StartConnect(const SocketAddress& address, std::string& reason);
    ~CTcpClientDevice() override;
    CTcpClientDevice(const CTcpClientDevice&) = delete;
    CTcpClientDevice& operator=(const CTcpClientDevice&) = delete;

    const SocketAddress& Address() const { return m_address; }

    Wait WaitForInput(int timeoutMs, int wakeFd) override;
    long Read(uint8_t* buffer, size_t count) override;
    // False while the connection is not made yet or once it is gone.
    bool Write(const uint8_t* bytes, size_t count) override;
    // The kernel sends what was handed to it even after the socket closes.
    size_t OutputQueued() override { return 0; }
    unsigned TakeLineErrors() override { return 0; }
    // A stream's bytes are the receiver's messages: none is dropped.
    void Purge() override {}
    std::string GoneReason() const override;
    bool Connected() const override { return m_state.load() == State::Up; }

private:
    enum class State { Connecting, Up, Gone };

    CTcpClientDevice(int fd, const SocketAddress& address, State state);
    // A connecting socket became writable: made, or failed with its reason.
    void FinishConnect();
    // Only the first reason is kept: it is the cause.
    void MarkGone(const std::string& reason);
    void MarkGone(int error);

    int m_fd;
    SocketAddress m_address;
    std::atomic<State> m_state;
    mutable std::mutex m_reasonLock;
    std::string m_reason;
};

}  // namespace kestrion
