#pragma once
// The periodic receiver reset: every so many seconds the serial source sends the stored
// receiver initialisation again. Also the one conversion from the stored "ReceiverInit"
// values to the values of the initialisation command.
#include <ctime>

#include "platform/Settings.h"
#include "protocol/CommandPayload.h"

namespace kestrion {

// Program-wide; lost at exit.
struct PeriodicReset {
    int periodSeconds = 0;  // 0 = off
    std::time_t lastReset = 0;

    // True when the period has passed since the last reset, which then counts as done now.
    bool TakeDue(std::time_t now);
};

// The initialisation values of the stored settings: the PC clock's GPS time when "UseDOSTime"
// is set, otherwise the stored week and time of week (already in 10 ms units). A factory
// reset carries no message flags.
InitValues InitValuesOf(const Settings& settings, std::time_t nowUtc);

}  // namespace kestrion
