#include "app/TimerService.h"

#include <utility>

namespace kestrion {

CTimerService::CTimerService(ISystemTimers& timers, std::function<bool()> dataSourceOpen)
    : m_timers(timers), m_dataSourceOpen(std::move(dataSourceOpen))
{
}

CTimerService::~CTimerService()
{
    for (int number = 1; number <= kEntries; ++number) {
        Cancel(number);
    }
}

int CTimerService::Register(int tickCode, ITickReceiver& receiver, int periodMs)
{
    for (int number = 1; number <= kEntries; ++number) {
        Entry& entry = m_entries[number - 1];
        if (entry.systemId != 0) {
            continue;
        }
        const unsigned systemId = m_timers.Start(static_cast<unsigned>(number), periodMs);
        if (systemId == 0) {
            return 0;
        }
        entry = Entry{systemId, tickCode, &receiver};
        return number;
    }
    return 0;
}

int CTimerService::Cancel(int timerNumber)
{
    if (timerNumber <= 0 || timerNumber > kEntries) {
        return 0;
    }
    Entry& entry = m_entries[timerNumber - 1];
    if (entry.systemId != 0) {
        m_timers.Stop(entry.systemId);
        entry = Entry{};
    }
    return 0;
}

void CTimerService::Dispatch(unsigned systemTimerId)
{
    if (systemTimerId == 0) {
        return;
    }
    for (int number = 1; number <= kEntries; ++number) {
        // A copy: the receiver may free or reuse this entry during its tick.
        const Entry entry = m_entries[number - 1];
        if (entry.systemId != systemTimerId) {
            continue;
        }
        if (m_dataSourceOpen && m_dataSourceOpen()) {
            entry.receiver->Tick(entry.tickCode);
        } else {
            Cancel(number);
        }
        return;
    }
}

}  // namespace kestrion
