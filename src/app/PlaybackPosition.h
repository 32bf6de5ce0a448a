#pragma once
// The position of a recording as the playback controls show it: "time / total" for recording
// time, "offset / total bytes" for a byte stream, and a slider of a fixed number of steps.
#include <cstdint>
#include <string>

#include "transport/ReplayControl.h"

namespace kestrion {

inline constexpr int kSliderSteps = 1000;

// "m:ss / m:ss", with hours ("h:mm:ss") when the total has them; "12000 / 48000 bytes".
std::string PlaybackPositionText(const ReplayPosition& position);

// The slider step of a position, 0 for an empty recording.
int SliderStepOf(const ReplayPosition& position);
// The position of a slider step, in the recording's unit.
int64_t PositionOfStep(int step, int64_t total);

}  // namespace kestrion
