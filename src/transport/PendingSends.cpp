#include "transport/PendingSends.h"

#include <algorithm>

namespace kestrion {

bool CPendingSends::Append(std::span<const uint8_t> bytes, std::optional<uint8_t> mid)
{
    if (bytes.size() > kSize - m_count) {
        return false;
    }
    std::copy(bytes.begin(), bytes.end(), m_bytes.begin() + static_cast<std::ptrdiff_t>(m_count));
    m_count += bytes.size();
    if (mid.has_value()) {
        m_mids.push_back(*mid);
    }
    return true;
}

void CPendingSends::Clear()
{
    m_count = 0;
    m_mids.clear();
}

}  // namespace kestrion
