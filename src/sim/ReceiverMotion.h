#pragma once
// The simulated receiver's world second by second: a slow drive around a start point, the
// satellites rising and setting, the channels locking on, and the fix converging.
#include <string>
#include <vector>

#include "synth/ChannelTracker.h"
#include "synth/ReceiverMessages.h"
#include "synth/SampleRandom.h"
#include "synth/Sky.h"

namespace kestrion {

class CReceiverMotion {
public:
    explicit CReceiverMotion(uint64_t seed);

    // The receiver one second after the previous call (the first call gives the start).
    ReceiverSecond Next();

    // A reset: every channel searches again, acquiring nothing for `searchSeconds`, and the
    // fix starts far off.
    void Reset(int searchSeconds);

    // Acquisition and loss texts since the last call.
    std::vector<std::string> TakeEvents();

    const ClockState& Clock() const { return m_clock; }

private:
    void Drive();

    CSampleRandom m_random;
    CSky m_sky;
    CChannelTracker m_tracker;
    int m_second = 0;
    GeodeticPoint m_truth;
    double m_heading = 30.0;  // degrees from north
    double m_speed = 0.0;     // m/s
    double m_errorEast = 0.0, m_errorNorth = 0.0, m_errorUp = 0.0;
    ClockState m_clock{94500, 1000000};
};

}  // namespace kestrion
