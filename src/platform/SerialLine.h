#pragma once
// The line settings' texts read as values, once for each connection: the tty is set from them
// and the time a character takes on the line follows from them.
#include <chrono>
#include <optional>

#include "platform/SerialDevice.h"

namespace kestrion {

enum class Parity { None, Even, Odd, Mark, Space };

// A member is absent when its text is empty or not understood: the device keeps its own value.
struct SerialLine {
    std::optional<unsigned> baud;      // bits per second, never 0
    std::optional<unsigned> dataBits;  // 5 to 8
    std::optional<Parity> parity;      // by the text's first letter
    std::optional<bool> twoStopBits;   // "1" is one; "1.5" and any other text two

    static SerialLine Of(const SerialSettings& settings);
};

// The line time of one character: start bit, data bits (8 when unknown), parity bit, stop
// bits; zero without a rate.
std::chrono::microseconds CharacterTime(const SerialLine& line);

}  // namespace kestrion
