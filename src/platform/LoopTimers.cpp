#include "platform/LoopTimers.h"

#include <algorithm>
#include <thread>

namespace kestrion {

namespace {

bool Stopped(const std::atomic<bool>* stop)
{
    return stop != nullptr && stop->load();
}

}  // namespace

CLoopTimers::CLoopTimers(Mode mode, std::time_t startWallTime)
    : m_mode(mode), m_startWallTime(startWallTime), m_start(std::chrono::steady_clock::now())
{
}

void CLoopTimers::SetDispatch(ITimerDispatch& dispatch)
{
    m_dispatch = &dispatch;
}

unsigned CLoopTimers::Start(unsigned id, int periodMs)
{
    if (id == 0) {
        return 0;
    }
    m_schedule.Start(id, periodMs, ElapsedMs());
    return id;
}

void CLoopTimers::Stop(unsigned systemTimerId)
{
    m_schedule.Stop(systemTimerId);
}

bool CLoopTimers::RunNext(int64_t limitMs, const std::atomic<bool>* stop)
{
    const std::optional<int64_t> due = m_schedule.NextDueMs();
    const bool fires = due.has_value() && *due <= limitMs;
    if (!WaitUntil(fires ? *due : limitMs, stop) || !fires) {
        return false;
    }
    // Re-armed before the dispatch, so that a Stop or Start from inside it takes effect.
    const unsigned id = m_schedule.Fire(ElapsedMs());
    if (m_dispatch != nullptr) {
        m_dispatch->Dispatch(id);
    }
    return true;
}

int64_t CLoopTimers::ElapsedMs() const
{
    if (m_mode == Mode::Virtual) {
        return m_virtualMs;
    }
    const auto elapsed = std::chrono::steady_clock::now() - m_start;
    return std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count();
}

std::time_t CLoopTimers::Now() const
{
    return m_startWallTime + static_cast<std::time_t>(ElapsedMs() / 1000);
}

bool CLoopTimers::WaitUntil(int64_t targetMs, const std::atomic<bool>* stop)
{
    for (;;) {
        if (Stopped(stop)) {
            return false;
        }
        if (m_mode == Mode::Virtual) {
            m_virtualMs = std::max(m_virtualMs, targetMs);
            return true;
        }
        const int64_t remaining = targetMs - ElapsedMs();
        if (remaining <= 0) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(std::min<int64_t>(remaining, kStopPollMs)));
    }
}

}  // namespace kestrion
