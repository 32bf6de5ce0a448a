#pragma once
// The almanac and ephemeris text files: "//", the collection time, three more "//" lines,
// then one line of words per satellite, SV 1 to SV 32.
#include <cstdint>
#include <ctime>
#include <functional>
#include <string>
#include <string_view>

#include "platform/Clock.h"
#include "platform/UserInterface.h"
#include "protocol/ProtocolState.h"

namespace kestrion {

// Each replaces the file at path as a whole, so no half file is ever seen; false when it
// cannot be written.
bool WriteAlmanacFile(const std::string& path, const int16_t (&table)[32][14], std::time_t nowUtc);
bool WriteEphemerisFile(const std::string& path, const uint16_t (&table)[32][45], std::time_t nowUtc);

// The program's guarded message box: shown only when no other is open and data has arrived
// since the last one.
using GuardedBox = std::function<void(std::string_view text, BoxButtons buttons, BoxIcon icon)>;

// Writes the table to the file named by outputName. On success the guarded box tells where
// and the name is cleared, so the next complete set needs a new poll; on failure a plain box
// says so and the name stays. An empty name writes nothing.
void ExportAlmanac(const ProtocolState& state, std::string& outputName, const IClock& clock,
                   IUserInterface& ui, const GuardedBox& guardedBox);
void ExportEphemeris(const ProtocolState& state, std::string& outputName, const IClock& clock,
                     IUserInterface& ui, const GuardedBox& guardedBox);

}  // namespace kestrion
