#pragma once
// The word tables that put receiver parameter numbers (MID 19) into words.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace kestrion {

enum class WordTable : uint8_t {
    AltitudeUse,
    AltitudeSource,
    DegradedMode,
    OnOff,
    DopMaskMode,
    DgpsMode,
    LowPowerState,
    DgpsSource,
};

std::span<const std::string_view> WordsOf(WordTable table);

// The word for an index, or the index in decimal when the table has no such entry.
std::string WordText(WordTable table, unsigned index);

}  // namespace kestrion
