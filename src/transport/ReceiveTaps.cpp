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

void CReceiveTaps::SetPort(IRawWriter* port)
{
    std::lock_guard lock(m_portLock);
    m_port = port;
}

void CReceiveTaps::RawWrite(const uint8_t* bytes, size_t count)
{
    std::lock_guard lock(m_portLock);
    if (m_port != nullptr) {
        m_port->RawWrite(bytes, count);
    }
}

}  // namespace kestrion
