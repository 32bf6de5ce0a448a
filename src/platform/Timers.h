#pragma once
// Periodic timers as the data path sees them: sources register a tick receiver with a tick
// code and a period, keep the timer number, and hand it back to cancel.
namespace kestrion {

class ITickReceiver {
public:
    virtual ~ITickReceiver() = default;
    virtual void Tick(int tickCode) = 0;
};

class ITimerService {
public:
    virtual ~ITimerService() = default;
    // The timer number (1..5), or 0 when no entry is free. A period of 0 fires at the next
    // turn of the loop; its repeats come at every turn on Qt, but no closer than 10 ms on the
    // loop of a headless run, so a receiver that works at every turn registers again in its
    // tick.
    virtual int Register(int tickCode, ITickReceiver& receiver, int periodMs) = 0;
    // Stops timer n (nothing for n <= 0); always returns 0, the caller's new timer number.
    virtual int Cancel(int timerNumber) = 0;
};

// Where the platform's timers deliver their events.
class ITimerDispatch {
public:
    virtual ~ITimerDispatch() = default;
    virtual void Dispatch(unsigned systemTimerId) = 0;
};

// The platform's periodic timers: started with an identifier chosen by the caller.
class ISystemTimers {
public:
    virtual ~ISystemTimers() = default;
    // Starts (or restarts) the periodic timer `id`; returns its system identifier (non-zero).
    virtual unsigned Start(unsigned id, int periodMs) = 0;
    virtual void Stop(unsigned systemTimerId) = 0;
};

}  // namespace kestrion
