#pragma once
// The program-wide services that feeds and sources call: the broadcast of feed events, the
// log, the window title, message boxes, the timer service, the decoder with its program-wide
// state, the settings file, the random data state, the periodic receiver reset and the clock.
#include <string_view>

#include "platform/Clock.h"
#include "platform/Profile.h"
#include "platform/SerialDevice.h"
#include "platform/Timers.h"
#include "platform/UserInterface.h"
#include "protocol/MessageDecoder.h"
#include "transport/PeriodicReset.h"
#include "transport/ReceiveTaps.h"

namespace kestrion {

class CMessageRecord;

// Program-wide state of the random source: it continues across restarts.
struct RandomState {
    int tickCounter = 0;
    int timeOfWeek = 10;  // 1/100 s
};

// Uniform integers 0..32767.
class IRandomGenerator {
public:
    virtual ~IRandomGenerator() = default;
    virtual int Next() = 0;
};

class IFeedServices {
public:
    virtual ~IFeedServices() = default;

    // A feed event to every document (code, second value, record or null).
    virtual void Broadcast(int code, int value, const CMessageRecord* record) = 0;
    // The log writer: renders and logs a record when its type is selected.
    virtual void LogRecord(const CMessageRecord& record) = 0;
    virtual void RefreshTitle() = 0;

    virtual BoxAnswer MessageBox(std::string_view text, BoxButtons buttons, BoxIcon icon) = 0;
    // Shown only when no guarded box is open and data has arrived since the last one.
    virtual void GuardedMessageBox(std::string_view text, BoxButtons buttons, BoxIcon icon) = 0;

    virtual ITimerService& Timers() = 0;
    // The decoder with the program's protocol state and host.
    virtual CMessageDecoder& Decoder() = 0;
    virtual const CProfile& Profile() const = 0;
    // Opens the serial devices of serial sources.
    virtual ISerialDeviceFactory& SerialDevices() = 0;
    // Everything the measured source's port receives also goes to these.
    virtual CReceiveTaps& MeasuredTaps() = 0;
    // The modal receiver software selection dialog.
    virtual void PromptSoftwareSelection() = 0;

    virtual RandomState& Random() = 0;
    virtual IRandomGenerator& RandomGenerator() = 0;

    // The periodic receiver reset, armed by the initialization dialog.
    virtual PeriodicReset& Reset() = 0;
    // Wall-clock time, UTC.
    virtual const IClock& Clock() const = 0;
};

}  // namespace kestrion
