#pragma once
// Waiting for a serial port's reader thread to do its part, ticking the port by hand on the
// way. The deadline only keeps a broken build from hanging; no test measures time.
#include <chrono>
#include <functional>
#include <thread>

#include "support/FeedFakes.h"

namespace kestrion::fakes {

// Runs step() until done() holds; false when the reader never got there.
inline bool WaitUntil(const std::function<bool()>& done, const std::function<void()>& step = [] {})
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        step();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

// Fires the tick count times.
inline void FireTicks(CFakeTimers& timers, int tickCode, int count)
{
    for (int i = 0; i < count; ++i) {
        timers.Fire(timers.Of(tickCode));
    }
}

// Fires the tick until done() holds.
inline bool TickUntil(CFakeTimers& timers, int tickCode, const std::function<bool()>& done)
{
    return WaitUntil(done, [&] { timers.Fire(timers.Of(tickCode)); });
}

}  // namespace kestrion::fakes
