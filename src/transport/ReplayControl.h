#pragma once
// Control of a recorded file source while it plays: speed, pause, one second at a time, and
// the position in the recording.
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace kestrion {

// Multiples of the recording's own time, as fast as possible, and the fixed rate of a byte
// stream (1000 bytes a second; a recording of time stamps plays at x1 then).
enum class ReplaySpeed { Quarter, Half, Normal, Double, Four, Eight, Sixteen, Fastest, Fixed };

inline constexpr std::array kReplaySpeeds = {ReplaySpeed::Quarter, ReplaySpeed::Half,    ReplaySpeed::Normal,
                                             ReplaySpeed::Double,  ReplaySpeed::Four,    ReplaySpeed::Eight,
                                             ReplaySpeed::Sixteen, ReplaySpeed::Fastest, ReplaySpeed::Fixed};

// "1/4", "1/2", "1", "2", "4", "8", "16", "max", "fixed".
std::string_view ReplaySpeedText(ReplaySpeed speed);
// As the settings file stores it: the fractions as "0.25" and "0.5", the others as their text.
std::string_view ReplaySpeedValue(ReplaySpeed speed);
// Either text; nothing for any other text.
std::optional<ReplaySpeed> ReplaySpeedFromText(std::string_view text);

// Recording time per playing time as a fraction; 0/1 for as fast as possible, 1/1 at the
// fixed rate.
struct SpeedRatio {
    int numerator, denominator;
};
SpeedRatio RatioOf(ReplaySpeed speed);

// The playing intervals of successive recording intervals at a speed. What rounding takes
// from one interval is given to the next, so a recording lasts its time over the speed.
class CReplayPace {
public:
    void SetSpeed(ReplaySpeed speed);
    ReplaySpeed Speed() const { return m_speed; }
    // Milliseconds to wait for a recording interval; itself at x1, 0 as fast as possible.
    int Next(int recordingMs);

private:
    ReplaySpeed m_speed = ReplaySpeed::Normal;
    int64_t m_carry = 0;  // in 1/numerator ms
};

struct ReplayPosition {
    enum class Unit { Hundredths, Bytes };  // recording time, or file offset
    Unit unit = Unit::Hundredths;
    int64_t at = 0;
    int64_t total = 0;
};

class IReplayControl {
public:
    virtual ~IReplayControl() = default;

    virtual void SetSpeed(ReplaySpeed speed) = 0;
    virtual ReplaySpeed Speed() const = 0;
    // Stops and restarts the reading of the source (the views' pause is another matter).
    virtual void Pause() = 0;
    virtual void Resume() = 0;
    virtual bool Paused() const = 0;
    // While paused: plays one second of the recording at once.
    virtual void StepSecond() = 0;
    // Moves to a position in the unit of Position(), clamped to the recording; the next
    // record comes at once unless paused. False when the source has ended (a measured text
    // source is destroyed by its feed then, so nothing of it may be used after).
    virtual bool Seek(int64_t position) = 0;
    virtual ReplayPosition Position() = 0;
};

}  // namespace kestrion
