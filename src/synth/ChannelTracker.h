#pragma once
// The receiver's channels under a sky: each locks on to its satellite above the tracking
// elevation, reports C/N0 and joins the fix after a few seconds locked. Acquisitions and losses
// are told as development texts.
#include <array>
#include <string>
#include <vector>

#include "synth/ReceiverState.h"
#include "synth/SampleRandom.h"
#include "synth/Sky.h"

namespace kestrion {

struct TrackingRules {
    double trackElevation;  // degrees: satellites below it are not tracked
    int lockSeconds;        // tracked this long before use in the fix
    double cnoHorizon;      // dB-Hz at the horizon
    double cnoZenith;       // dB-Hz more at the zenith
    double cnoSwing;        // dB-Hz of a slow swing of each channel, 0 for none
    double cnoNoise;        // dB-Hz
    // An acquisition text with the first C/N0 ("Acq SV03: Cno 45, El 62.0"), not given for the
    // locks at power-up; otherwise "Acq SV03: El 62.0" for every lock.
    bool acquisitionCno;
};

class CChannelTracker {
public:
    explicit CChannelTracker(const TrackingRules& rules);

    // The channels `second` seconds after power-up under the sky, their C/N0 noise drawn from
    // random.
    void Track(int second, const std::array<SkySatellite, kSkyChannels>& sky,
               std::array<ChannelReport, kSkyChannels>& channels, CSampleRandom& random);

    // Every channel searches again and locks on to nothing before second `until`.
    void Restart(int until);

    // Acquisition and loss texts since the last call.
    std::vector<std::string> TakeEvents();

private:
    void TrackChannel(int second, int index, const SkySatellite& view, ChannelReport& channel,
                      CSampleRandom& random);

    TrackingRules m_rules;
    std::array<int, kSkyChannels> m_lockedSince{};
    int m_searchUntil = 0;
    std::vector<std::string> m_events;
};

}  // namespace kestrion
