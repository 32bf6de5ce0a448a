#include "sim/BytePacer.h"

#include <algorithm>

namespace kestrion {

size_t CBytePacer::Allowance(int64_t nowMs, int baud)
{
    const double bytesPerMs = baud / 10.0 / 1000.0;
    if (nowMs > m_lastMs) {
        m_credit = std::min(m_credit + (nowMs - m_lastMs) * bytesPerMs, kBurstMs * bytesPerMs);
        m_lastMs = nowMs;
    }
    return m_credit > 0.0 ? static_cast<size_t>(m_credit) : 0;
}

void CBytePacer::Spend(size_t bytes)
{
    m_credit -= static_cast<double>(bytes);
}

}  // namespace kestrion
