#include "synth/ChannelTracker.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "protocol/TextFormatter.h"
#include "geo/Geodesy.h"

namespace kestrion {
namespace {

constexpr int kSearching = -1000000;  // the channel's lock second while it has none

}  // namespace

CChannelTracker::CChannelTracker(const TrackingRules& rules) : m_rules(rules)
{
    m_lockedSince.fill(kSearching);
}

void CChannelTracker::Track(int second, const std::array<SkySatellite, kSkyChannels>& sky,
                            std::array<ChannelReport, kSkyChannels>& channels, CSampleRandom& random)
{
    for (int i = 0; i < kSkyChannels; ++i) {
        TrackChannel(second, i, sky[i], channels[i], random);
    }
}

void CChannelTracker::Restart(int until)
{
    m_lockedSince.fill(kSearching);
    m_searchUntil = until;
}

std::vector<std::string> CChannelTracker::TakeEvents()
{
    return std::exchange(m_events, {});
}

void CChannelTracker::TrackChannel(int second, int index, const SkySatellite& view,
                                   ChannelReport& channel, CSampleRandom& random)
{
    int& lockedSince = m_lockedSince[index];
    if (view.elevation < 0.0) {
        lockedSince = kSearching;
        return;
    }
    channel.prn = view.prn;
    channel.azimuth = view.azimuth;
    channel.elevation = view.elevation;
    if (view.elevation < m_rules.trackElevation) {
        if (lockedSince != kSearching) {
            m_events.push_back(
                FormatText("Lost SV%02d at El %d", {view.prn, static_cast<int>(view.elevation)}));
        }
        lockedSince = kSearching;
        return;
    }
    if (second < m_searchUntil) {
        return;
    }
    const bool acquired = lockedSince == kSearching;
    if (acquired) {
        // At power-up the almanac is warm: the satellites are in the fix at once.
        lockedSince = second == 0 ? -m_rules.lockSeconds : second;
    }

    const double level = m_rules.cnoHorizon + m_rules.cnoZenith * std::sin(Radians(view.elevation)) +
                         view.cnoBias + m_rules.cnoSwing * std::sin(second / 9.0 + index);
    for (uint8_t& cno : channel.cno) {
        const long sample = std::lround(level + random.Noise(m_rules.cnoNoise));
        cno = static_cast<uint8_t>(std::clamp<long>(sample, 20, 55));
    }
    channel.inFix = second - lockedSince >= m_rules.lockSeconds;
    channel.state = channel.inFix ? kStateTracked : kStateAcquired;
    if (acquired && !m_rules.acquisitionCno) {
        m_events.push_back(FormatText("Acq SV%02d: El %.1f", {view.prn, view.elevation}));
    } else if (acquired && second != 0) {
        m_events.push_back(FormatText("Acq SV%02d: Cno %d, El %.1f",
                                      {view.prn, channel.cno[0], view.elevation}));
    }
}

}  // namespace kestrion
