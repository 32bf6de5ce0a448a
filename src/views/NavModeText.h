#pragma once
// The navigation mode of a navigation message (MID 2) in words, from its two mode bytes.
#include <cstdint>
#include <string>

namespace kestrion {

// The fix: "Bad DOP" alone, or the mode with "+DGPS" and ";LC". Generation 1 receivers name
// their modes differently from the later ones.
std::string FixModeText(uint8_t mode1, uint8_t mode2, int generation);

// The fix followed by the dead-reckoning time-out and UI edit notes of mode 2.
std::string NavModeText(uint8_t mode1, uint8_t mode2, int generation);

}  // namespace kestrion
