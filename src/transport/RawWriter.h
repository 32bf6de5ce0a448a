#pragma once
// Writing to the receiver's serial port from any thread: each call's bytes leave as one unit.
#include <cstddef>
#include <cstdint>
#include <functional>

namespace kestrion {

class IRawWriter {
public:
    virtual ~IRawWriter() = default;
    // Waits first, up to three seconds, for the receiver's first byte since the port opened.
    virtual void RawWrite(const uint8_t* bytes, size_t count) = 0;
    // Called on the GUI thread before the port closes, so that a thread writing here stops first.
    virtual void SetBeforeClose(std::function<void()> stop) = 0;
};

}  // namespace kestrion
