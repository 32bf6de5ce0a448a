#include "app/PlayDataSource.h"

#include <algorithm>
#include <limits>

namespace kestrion {

bool PlayDataSource(CEngine& engine, CLoopTimers& timers, int64_t limitMs, const std::atomic<bool>* stop,
                    const PlaySteps& steps)
{
    const auto nextStepMs = [&steps] {
        return steps.nextDueMs ? steps.nextDueMs() : std::numeric_limits<int64_t>::max();
    };
    const auto stopped = [stop] { return stop != nullptr && stop->load(); };
    engine.OpenDataSourceWithLog();
    const bool opened = engine.DataSourceOpen();
    if (opened && steps.afterOpen) {
        steps.afterOpen();
    }
    while (engine.DataSourceOpen() && !stopped()) {
        engine.ProcessPostedMessages();
        if (steps.runDue) {
            steps.runDue();
        }
        if (!engine.DataSourceOpen() || (!timers.HasTimers() && nextStepMs() >= limitMs)) {
            break;
        }
        const int64_t nextMs = std::min(limitMs, nextStepMs());
        if (!timers.RunNext(nextMs, stop) && (nextMs == limitMs || stopped())) {
            break;
        }
    }
    engine.ProcessPostedMessages();
    if (engine.DataSourceOpen()) {
        if (steps.beforeClose) {
            steps.beforeClose();
        }
        engine.ToggleDataSource();
    }
    return opened;
}

}  // namespace kestrion
