#pragma once
// A synthetic raw receive stream: what a receiver at 38400 baud sends, second by second, as
// binary frames with a few NMEA sentences and deliberate faults.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace kestrion {

inline constexpr size_t kSampleBytesPerSecond = 3840;  // 38400 baud, 10 bits per byte
inline constexpr int kSampleCycle = 90;                // the schedule repeats every 90 s

// `vary` 0 is the canonical recording; other values move the position, the start time and the
// sky, for streams built from many different repeats.
std::vector<uint8_t> MakeSampleStream(int seconds, uint32_t seed, uint32_t vary);
std::vector<uint8_t> MakeSampleStream(int seconds, uint32_t seed);

}  // namespace kestrion
