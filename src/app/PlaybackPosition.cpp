#include "app/PlaybackPosition.h"

#include <algorithm>
#include <filesystem>

#include "protocol/TextFormatter.h"

namespace kestrion {
namespace {

std::string FileNameOf(const std::string& path) { return std::filesystem::path(path).filename().string(); }

std::string TimeText(int64_t hundredths, bool withHours)
{
    const int64_t seconds = hundredths / 100;
    if (withHours) {
        return FormatText("%d:%02d:%02d", {seconds / 3600, seconds / 60 % 60, seconds % 60});
    }
    return FormatText("%d:%02d", {seconds / 60, seconds % 60});
}

}  // namespace

std::string PlaybackPositionText(const ReplayPosition& position)
{
    if (position.unit == ReplayPosition::Unit::Bytes) {
        return FormatText("%d / %d bytes", {position.at, position.total});
    }
    const bool hours = position.total >= int64_t{3600} * 100;
    return TimeText(position.at, hours) + " / " + TimeText(position.total, hours);
}

std::string PlayingStatusText(const std::string& path, const ReplayPosition& position)
{
    constexpr int64_t kHour = int64_t{3600} * 100;
    const std::string where = position.unit == ReplayPosition::Unit::Bytes
                                  ? PlaybackPositionText(position)
                                  : TimeText(position.at, position.at >= kHour) + " / " +
                                        TimeText(position.total, position.total >= kHour);
    return "Playing " + FileNameOf(path) + " " + where;
}

std::string PlayedToEndText(const std::string& path) { return FileNameOf(path) + " played to its end"; }

std::string RecordingStatusText(const std::string& path) { return "Recording to " + FileNameOf(path); }

int SliderStepOf(const ReplayPosition& position)
{
    if (position.total <= 0) {
        return 0;
    }
    const int64_t at = std::clamp<int64_t>(position.at, 0, position.total);
    return static_cast<int>(at * kSliderSteps / position.total);
}

int64_t PositionOfStep(int step, int64_t total)
{
    return std::clamp(step, 0, kSliderSteps) * total / kSliderSteps;
}

}  // namespace kestrion
