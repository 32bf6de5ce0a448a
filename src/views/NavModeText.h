#pragma once
// The navigation mode of a navigation message (MID 2) in words, from its two mode bytes.
#include <cstdint>
#include <string>

namespace kestrion {

// Generation 1 receivers name their modes differently from the later ones.
std::string NavModeText(uint8_t mode1, uint8_t mode2, int generation);

}  // namespace kestrion
