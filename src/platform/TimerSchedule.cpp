#include "platform/TimerSchedule.h"

#include <algorithm>

namespace kestrion {

void CTimerSchedule::Start(unsigned id, int periodMs, int64_t nowMs)
{
    Stop(id);
    const int64_t period = std::max(periodMs, 0);
    Insert(Timer{id, nowMs + period, std::max<int64_t>(period, kMinimumRepeatMs), m_nextStartOrder++});
}

void CTimerSchedule::Stop(unsigned id)
{
    std::erase_if(m_timers, [id](const Timer& timer) { return timer.id == id; });
}

std::optional<int64_t> CTimerSchedule::NextDueMs() const
{
    if (m_timers.empty()) {
        return std::nullopt;
    }
    return m_timers.front().dueMs;
}

unsigned CTimerSchedule::Fire(int64_t nowMs)
{
    Timer timer = m_timers.front();
    m_timers.erase(m_timers.begin());
    timer.dueMs += timer.repeatMs;
    if (timer.dueMs <= nowMs) {
        timer.dueMs = nowMs + timer.repeatMs;
    }
    Insert(timer);
    return timer.id;
}

void CTimerSchedule::Insert(const Timer& timer)
{
    const auto before = [](const Timer& a, const Timer& b) {
        return a.dueMs != b.dueMs ? a.dueMs < b.dueMs : a.startOrder < b.startOrder;
    };
    m_timers.insert(std::upper_bound(m_timers.begin(), m_timers.end(), timer, before), timer);
}

}  // namespace kestrion
