#include "transport/ReceiveTaps.h"

#include <algorithm>

namespace kestrion {

void CReceiveTaps::Add(IReceiveTap& tap)
{
    std::lock_guard lock(m_lock);
    if (std::find(m_taps.begin(), m_taps.end(), &tap) == m_taps.end()) {
        m_taps.push_back(&tap);
    }
}

void CReceiveTaps::Remove(IReceiveTap& tap)
{
    std::lock_guard lock(m_lock);
    std::erase(m_taps, &tap);
}

void CReceiveTaps::Deliver(std::span<const uint8_t> bytes, std::chrono::steady_clock::time_point at)
{
    std::lock_guard lock(m_lock);
    for (IReceiveTap* tap : m_taps) {
        tap->Received(bytes, at);
    }
}

}  // namespace kestrion
