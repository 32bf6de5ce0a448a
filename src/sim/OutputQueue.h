#pragma once
// What the receiver has sent and the line has not carried yet, each byte with the baud it was
// sent at. A byte taken while the line runs at another baud arrives as garbage.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <span>
#include <vector>

#include "synth/SampleRandom.h"

namespace kestrion {

class COutputQueue {
public:
    explicit COutputQueue(uint64_t seed) : m_random(seed) {}

    void Push(std::span<const uint8_t> bytes, int baud);

    // Up to maxBytes in order, garbled where their baud is not lineBaud.
    std::vector<uint8_t> Take(size_t maxBytes, int lineBaud);

    size_t Size() const { return m_bytes.size(); }

private:
    struct SentByte {
        uint8_t value;
        int baud;
    };

    uint8_t Garbage();

    std::deque<SentByte> m_bytes;
    CSampleRandom m_random;
};

}  // namespace kestrion
