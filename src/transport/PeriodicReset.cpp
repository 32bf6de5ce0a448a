#include "transport/PeriodicReset.h"

#include "geo/GpsTime.h"

namespace kestrion {

namespace {

constexpr int kFactoryReset = 4;

}  // namespace

bool PeriodicReset::TakeDue(std::time_t now)
{
    if (periodSeconds <= 0) {
        return false;
    }
    if (now < lastReset) {
        lastReset = now;  // the clock was set back: the period counts from now
        return false;
    }
    if (now - lastReset < periodSeconds) {
        return false;
    }
    lastReset = now;
    return true;
}

InitValues InitValuesOf(const Settings& settings, std::time_t nowUtc)
{
    InitValues values;
    values.x = static_cast<int32_t>(settings.initX);
    values.y = static_cast<int32_t>(settings.initY);
    values.z = static_cast<int32_t>(settings.initZ);
    values.clock = static_cast<int32_t>(settings.initClock);
    if (settings.useDosTime != 0) {
        const GpsTime now = GpsTimeOf(nowUtc);
        values.week = now.week;
        values.towHundredths = now.towHundredths;
    } else {
        values.week = static_cast<uint16_t>(settings.initWeek);
        values.towHundredths = static_cast<uint32_t>(settings.initTow);
    }
    values.channels = static_cast<uint8_t>(settings.channels);
    const bool messages = settings.resetMode != kFactoryReset;
    values.resetFlags = ResetFlags(settings.resetMode, messages && settings.enableRawTrackMessages != 0,
                                   messages && settings.enableDebugMessages != 0);
    return values;
}

}  // namespace kestrion
