#pragma once
// Where a receive framer hands each whole message it has cut from the stream.
#include <cstdint>
#include <span>

namespace kestrion {

class IFrameSink {
public:
    virtual ~IFrameSink() = default;
    // A binary payload whose checksum matched, MID first.
    virtual void OnFrame(std::span<const uint8_t> payload) = 0;
    // An NMEA sentence from "$" through CR LF.
    virtual void OnSentence(std::span<const uint8_t> sentence) = 0;
};

}  // namespace kestrion
