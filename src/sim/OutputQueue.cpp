#include "sim/OutputQueue.h"

#include <algorithm>

namespace kestrion {

void COutputQueue::Push(std::span<const uint8_t> bytes, int baud)
{
    for (uint8_t value : bytes) {
        m_bytes.push_back({value, baud});
    }
}

std::vector<uint8_t> COutputQueue::Take(size_t maxBytes, int lineBaud)
{
    std::vector<uint8_t> out;
    const size_t count = std::min(maxBytes, m_bytes.size());
    out.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        const SentByte sent = m_bytes.front();
        m_bytes.pop_front();
        out.push_back(sent.baud == lineBaud ? sent.value : Garbage());
    }
    return out;
}

uint8_t COutputQueue::Garbage()
{
    // Never a frame start or a sentence start, so garbage never frames by chance.
    for (;;) {
        const auto value = static_cast<uint8_t>(m_random.Next());
        if (value != 0xA0 && value != '$') {
            return value;
        }
    }
}

}  // namespace kestrion
