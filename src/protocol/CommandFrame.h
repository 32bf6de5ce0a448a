#pragma once
// Outgoing command framing: binary frames around command payloads and NMEA sentences around
// sentence bodies.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "protocol/NmeaChecksum.h"

namespace kestrion {

// A0 A2, payload length (big-endian), payload, 16-bit payload sum (big-endian), B0 B3.
// The payload holds 1..1008 bytes, its MID first.
std::vector<uint8_t> BuildCommandFrame(std::span<const uint8_t> payload);

// "$" + body + "*hh\r\n" with the checksum in upper-case hexadecimal: a sentence as a receiver
// sends it.
std::string WrapNmeaBody(std::string_view body);

// "\r\n" + WrapNmeaBody(body): a command sentence, led by a line end.
std::string BuildNmeaSentence(std::string_view body);

}  // namespace kestrion
