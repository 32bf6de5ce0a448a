#pragma once
// What serial sources need beyond the feed: their devices, the measured port's taps, the
// software selection prompt and the periodic receiver reset on the wall clock.
#include "platform/Clock.h"
#include "platform/SerialDevice.h"
#include "transport/PeriodicReset.h"
#include "transport/ReceiveTaps.h"

namespace kestrion {

class ISerialServices {
public:
    virtual ~ISerialServices() = default;
    // Opens the serial devices of serial sources.
    virtual ISerialDeviceFactory& SerialDevices() = 0;
    // Everything the measured source's port receives also goes to these.
    virtual CReceiveTaps& MeasuredTaps() = 0;
    // The modal receiver software selection dialog.
    virtual void PromptSoftwareSelection() = 0;
    // The periodic receiver reset, armed by the initialization dialog.
    virtual PeriodicReset& Reset() = 0;
    // Wall-clock time, UTC.
    virtual const IClock& Clock() const = 0;
};

}  // namespace kestrion
