#pragma once
// What the commands' runs stand on: the serial devices their engine opens and the clock it
// keeps. The program gives the system's ports and the wall clock; a line that keeps virtual
// time gives its devices and the step that brings it to the run's time.
#include <cstdint>
#include <functional>

#include "platform/SerialDevice.h"

namespace kestrion::cli {

struct RunPlatform {
    ISerialDeviceFactory& serialDevices;
    // Empty: live receivers run on the wall clock. Set: every run keeps the virtual clock,
    // and before each of its timers this brings the line to the time elapsed.
    std::function<void(int64_t elapsedMs)> lineTo;
};

}  // namespace kestrion::cli
