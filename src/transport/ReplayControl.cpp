#include "transport/ReplayControl.h"

namespace kestrion {

std::string_view ReplaySpeedText(ReplaySpeed speed)
{
    constexpr std::string_view kTexts[] = {"1/4", "1/2", "1", "2", "4", "8", "16", "max", "fixed"};
    return kTexts[static_cast<int>(speed)];
}

std::string_view ReplaySpeedValue(ReplaySpeed speed)
{
    switch (speed) {
    case ReplaySpeed::Quarter: return "0.25";
    case ReplaySpeed::Half: return "0.5";
    default: return ReplaySpeedText(speed);
    }
}

std::optional<ReplaySpeed> ReplaySpeedFromText(std::string_view text)
{
    for (const ReplaySpeed speed : kReplaySpeeds) {
        if (text == ReplaySpeedText(speed) || text == ReplaySpeedValue(speed)) {
            return speed;
        }
    }
    return std::nullopt;
}

SpeedRatio RatioOf(ReplaySpeed speed)
{
    switch (speed) {
    case ReplaySpeed::Quarter: return {1, 4};
    case ReplaySpeed::Half: return {1, 2};
    case ReplaySpeed::Normal: return {1, 1};
    case ReplaySpeed::Double: return {2, 1};
    case ReplaySpeed::Four: return {4, 1};
    case ReplaySpeed::Eight: return {8, 1};
    case ReplaySpeed::Sixteen: return {16, 1};
    case ReplaySpeed::Fastest: return {0, 1};
    case ReplaySpeed::Fixed: return {1, 1};
    }
    return {1, 1};
}

void CReplayPace::SetSpeed(ReplaySpeed speed)
{
    m_speed = speed;
    m_carry = 0;
}

int CReplayPace::Next(int recordingMs)
{
    const SpeedRatio ratio = RatioOf(m_speed);
    if (ratio.numerator == 0) {
        return 0;
    }
    const int64_t scaled = int64_t{recordingMs} * ratio.denominator + m_carry;
    m_carry = scaled % ratio.numerator;
    return static_cast<int>(scaled / ratio.numerator);
}

}  // namespace kestrion
