#pragma once
// The timers and the clock behind a loop without a window. Real mode runs on the steady
// clock and sleeps until the next timer is due; Virtual mode never waits: its clock jumps
// to the next due timer.
#include <atomic>
#include <chrono>
#include <cstdint>
#include <ctime>

#include "platform/Clock.h"
#include "platform/TimerSchedule.h"
#include "platform/Timers.h"

namespace kestrion {

class CLoopTimers : public ISystemTimers, public IClock {
public:
    enum class Mode { Real, Virtual };

    // Real mode waits for the stop flag in slices no longer than this.
    static constexpr int kStopPollMs = 20;

    // The clock starts at 0 ms elapsed, at wall time `startWallTime`.
    CLoopTimers(Mode mode, std::time_t startWallTime);

    // Where fired timers go; must outlive the loop timers' use.
    void SetDispatch(ITimerDispatch& dispatch);

    // The system identifier is `id` itself; id 0 starts nothing and gives 0. A period of 0
    // is due at once; see CTimerSchedule for repeats.
    unsigned Start(unsigned id, int periodMs) override;
    void Stop(unsigned systemTimerId) override;

    // Waits for the earliest timer due by limitMs, re-arms it and dispatches it: true.
    // False when none is due by limitMs (the clock has then reached limitMs) or when *stop
    // is or becomes true (nothing is dispatched).
    bool RunNext(int64_t limitMs, const std::atomic<bool>* stop = nullptr);

    int64_t ElapsedMs() const;
    bool HasTimers() const { return !m_schedule.Empty(); }
    // The start wall time plus the whole seconds elapsed.
    std::time_t Now() const override;

private:
    // Brings the clock to targetMs; false when stopped first.
    bool WaitUntil(int64_t targetMs, const std::atomic<bool>* stop);

    Mode m_mode;
    std::time_t m_startWallTime;
    std::chrono::steady_clock::time_point m_start;
    int64_t m_virtualMs = 0;
    ITimerDispatch* m_dispatch = nullptr;
    CTimerSchedule m_schedule;
};

}  // namespace kestrion
