#include "transport/ReplaySlice.h"

#include <chrono>

namespace kestrion {

CReplaySlice::CReplaySlice(int64_t limit, SteadyMs now) : m_limit(limit), m_now(std::move(now)), m_startMs(Now()) {}

bool CReplaySlice::Spent(int64_t done) const
{
    return done >= m_limit || Now() - m_startMs >= kSliceMs;
}

int64_t CReplaySlice::Now() const
{
    if (m_now) {
        return m_now();
    }
    const auto since = std::chrono::steady_clock::now().time_since_epoch();
    return std::chrono::duration_cast<std::chrono::milliseconds>(since).count();
}

}  // namespace kestrion
