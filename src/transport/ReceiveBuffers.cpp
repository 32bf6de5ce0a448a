#include "transport/ReceiveBuffers.h"

namespace kestrion {

bool CReceiveBuffers::Full() const
{
    std::lock_guard lock(m_lock);
    return m_buffers[m_active].count == kSize;
}

std::span<const uint8_t> CReceiveBuffers::Swap()
{
    std::lock_guard lock(m_lock);
    const size_t taken = m_active;
    m_active = 1 - taken;
    m_buffers[m_active].count = 0;
    return {m_buffers[taken].bytes.data(), m_buffers[taken].count};
}

void CReceiveBuffers::Clear()
{
    std::lock_guard lock(m_lock);
    m_buffers[0].count = 0;
    m_buffers[1].count = 0;
}

}  // namespace kestrion
