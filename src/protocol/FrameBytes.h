#pragma once
// The fixed bytes of receive frames and NMEA sentences.
#include <cstdint>

namespace kestrion::frame {

inline constexpr uint8_t kStart1 = 0xA0;
inline constexpr uint8_t kStart2 = 0xA2;
inline constexpr uint8_t kEnd1 = 0xB0;
inline constexpr uint8_t kEnd2 = 0xB3;
inline constexpr uint8_t kDollar = '$';
inline constexpr uint8_t kCR = 0x0D;
inline constexpr uint8_t kLF = 0x0A;

// Characters allowed in a sentence body.
constexpr bool IsPrintable(uint8_t byte) { return byte >= 0x20 && byte <= 0x7E; }

}  // namespace kestrion::frame
