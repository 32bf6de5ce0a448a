#pragma once
// The colours of the painted views, without a toolkit, so the geometry can name them.
#include <cstdint>

namespace kestrion {

struct Rgb {
    uint8_t red, green, blue;
    constexpr bool operator==(const Rgb&) const = default;
};

inline constexpr Rgb kFixGreen{20, 210, 20};   // used in the fix
inline constexpr Rgb kTrackedBlue{0, 0, 255};  // tracked
inline constexpr Rgb kUnlockedRed{255, 0, 0};  // not locked
inline constexpr Rgb kCyan{20, 210, 210};
inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kBlack{0, 0, 0};

// The accuracy circles, in the statistics view and on the map.
inline constexpr Rgb kCep50Colour = kFixGreen;
inline constexpr Rgb kCep95Colour = kUnlockedRed;

}  // namespace kestrion
