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

// The status bar's texts, with the file's name alone: "Playing rec.bin 12:34 / 4:00:00" (each
// time with hours only when it has them), "Playing rec.bin 12000 / 48000 bytes", "rec.bin
// played to its end" and "Recording to rec.bin".
std::string PlayingStatusText(const std::string& path, const ReplayPosition& position);
std::string PlayedToEndText(const std::string& path);
std::string RecordingStatusText(const std::string& path);

// The slider step of a position, 0 for an empty recording.
int SliderStepOf(const ReplayPosition& position);
// The position of a slider step, in the recording's unit.
int64_t PositionOfStep(int step, int64_t total);

}  // namespace kestrion
