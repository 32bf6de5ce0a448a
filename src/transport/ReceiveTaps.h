#pragma once
// What sees every byte the measured port receives besides its framer: the raw recorder and
// the receiver's sharing. Taps are called on the port's reader thread in arrival order, as
// each read returns, and must not block: they copy the bytes and leave.
#include <chrono>
#include <cstdint>
#include <mutex>
#include <span>
#include <vector>

namespace kestrion {

class IReceiveTap {
public:
    virtual ~IReceiveTap() = default;
    // One read's bytes and the time the read returned.
    virtual void Received(std::span<const uint8_t> bytes, std::chrono::steady_clock::time_point at) = 0;
};

// The taps of the measured port. Added and removed on any thread while a reader delivers; a
// tap removed is not called after Remove returns.
class CReceiveTaps {
public:
    void Add(IReceiveTap& tap);
    void Remove(IReceiveTap& tap);
    void Deliver(std::span<const uint8_t> bytes, std::chrono::steady_clock::time_point at);

private:
    std::mutex m_lock;
    std::vector<IReceiveTap*> m_taps;
};

}  // namespace kestrion
