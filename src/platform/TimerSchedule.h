#pragma once
// Periodic timers ordered by due time on a millisecond clock kept by the caller.
#include <cstdint>
#include <optional>
#include <vector>

namespace kestrion {

class CTimerSchedule {
public:
    // Repeats never come closer than this, so a 0-period timer cannot spin.
    static constexpr int kMinimumRepeatMs = 10;

    // Arms timer `id` for nowMs + periodMs (a negative period counts as 0), replacing a
    // timer with the same id; it then repeats every max(periodMs, kMinimumRepeatMs).
    void Start(unsigned id, int periodMs, int64_t nowMs);
    void Stop(unsigned id);

    bool Empty() const { return m_timers.empty(); }
    // The earliest due time; empty when no timer runs.
    std::optional<int64_t> NextDueMs() const;

    // Takes the earliest timer (there must be one), re-arms it one period after its due
    // time, or one period after nowMs when that time has already come, and returns its id.
    // Equal due times go in start order.
    unsigned Fire(int64_t nowMs);

private:
    struct Timer {
        unsigned id;
        int64_t dueMs;
        int64_t repeatMs;
        uint64_t startOrder;
    };

    void Insert(const Timer& timer);

    std::vector<Timer> m_timers;  // sorted by due time, then start order
    uint64_t m_nextStartOrder = 0;
};

}  // namespace kestrion
