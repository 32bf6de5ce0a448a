#pragma once
// Plays the current document's data source on loop timers, as the headless runs do: opens it,
// runs the timers and the caller's steps until the source ends, nothing is left to run by
// the time limit, the limit passes or a stop is asked for, then closes it.
#include <atomic>
#include <cstdint>
#include <functional>

#include "app/Engine.h"
#include "platform/LoopTimers.h"

namespace kestrion {

// Work of the caller's own at given times of the loop clock, besides the timers.
struct PlaySteps {
    std::function<void()> afterOpen;     // once the source has opened, before it plays
    std::function<int64_t()> nextDueMs;  // the time of the next step; none when empty
    std::function<void()> runDue;        // runs the steps due by now
    std::function<void()> beforeClose;   // looks at the source once more before it closes
};

// Whether the data source opened.
bool PlayDataSource(CEngine& engine, CLoopTimers& timers, int64_t limitMs, const std::atomic<bool>* stop,
                    const PlaySteps& steps = {});

}  // namespace kestrion
