#pragma once
// Ticking a serial port or source by hand until its reader thread has done its part. The
// deadline only keeps a broken build from hanging; no test measures time.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <thread>

#include "FeedFakes.h"

namespace kestrion::fakes {

// The timer registered for the tick code, or 0.
inline int TimerOf(const CFakeTimers& timers, int tickCode)
{
    for (size_t i = 0; i < timers.entries.size(); ++i) {
        if (timers.entries[i].receiver != nullptr && timers.entries[i].tickCode == tickCode) {
            return static_cast<int>(i) + 1;
        }
    }
    return 0;
}

// Fires the tick until done() holds; false when the reader never got there.
inline bool TickUntil(CFakeTimers& timers, int tickCode, const std::function<bool()>& done)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        timers.Fire(TimerOf(timers, tickCode));
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

// Waits, without ticking, until done() holds.
inline bool WaitUntil(const std::function<bool()>& done)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

}  // namespace kestrion::fakes
