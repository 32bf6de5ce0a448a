#pragma once
// The table of five periodic timers: hands out timer numbers, starts a system timer per
// entry, and routes each system timer event to the receiver that registered it.
#include <array>
#include <functional>

#include "platform/Timers.h"

namespace kestrion {

class CTimerService : public ITimerService, public ITimerDispatch {
public:
    static constexpr int kEntries = 5;

    // `timers` must outlive the service. `dataSourceOpen` tells whether ticks reach their
    // receivers; while it is false (or empty) an event cancels its own timer instead.
    CTimerService(ISystemTimers& timers, std::function<bool()> dataSourceOpen);
    ~CTimerService() override;
    CTimerService(const CTimerService&) = delete;
    CTimerService& operator=(const CTimerService&) = delete;

    // Also 0 when the system timer could not be started.
    int Register(int tickCode, ITickReceiver& receiver, int periodMs) override;
    int Cancel(int timerNumber) override;
    // Receivers may cancel and register timers from inside their tick.
    void Dispatch(unsigned systemTimerId) override;

private:
    struct Entry {
        unsigned systemId = 0;  // 0: free
        int tickCode = 0;
        ITickReceiver* receiver = nullptr;
    };

    ISystemTimers& m_timers;
    std::function<bool()> m_dataSourceOpen;
    std::array<Entry, kEntries> m_entries{};
};

}  // namespace kestrion
