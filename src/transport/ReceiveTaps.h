#pragma once
// What sees every byte the measured port receives besides its framer: the raw recorder and
// the receiver's sharing. Taps are called on the port's reader thread in arrival order, as
// each read returns, and must not block: they copy the bytes and leave.
#include <chrono>
#include <cstdint>
#include <mutex>
#include <span>
#include <vector>

#include "transport/RawWriter.h"

namespace kestrion {

class IReceiveTap {
public:
    virtual ~IReceiveTap() = default;
    // One read's bytes and the time the read returned.
    virtual void Received(std::span<const uint8_t> bytes, std::chrono::steady_clock::time_point at) = 0;
};

// The taps of the measured port. Added and removed on any thread while a reader delivers; a
// tap removed is not called after Remove returns. A tap's owner writes to the receiver through
// it: the bytes go to the measured port while one is open, and are dropped otherwise.
class CReceiveTaps : public IRawWriter {
public:
    void Add(IReceiveTap& tap);
    void Remove(IReceiveTap& tap);
    void Deliver(std::span<const uint8_t> bytes, std::chrono::steady_clock::time_point at);

    // The measured port as it opens, null as it closes; waits for a write under way.
    void SetPort(IRawWriter* port);
    // IRawWriter: to the port, one unit per call.
    void RawWrite(const uint8_t* bytes, size_t count) override;
    void SetBeforeClose(std::function<void()> /*stop*/) override {}

private:
    std::mutex m_lock;
    std::vector<IReceiveTap*> m_taps;
    std::mutex m_portLock;  // apart from m_lock: a write may wait for the port, the reader must not
    IRawWriter* m_port = nullptr;
};

}  // namespace kestrion
