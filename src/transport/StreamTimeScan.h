#pragma once
// Finds the receiver's times in a recorded receive stream as the playback framer cuts it:
// the GPS week and time of week of binary MIDs 2 and 4, and the UTC time of day of the NMEA
// sentences that carry one (GGA, RMC, ZDA, GNS, GLL, GST, GBS).
#include <cstdint>
#include <span>

#include "protocol/FrameSink.h"
#include "protocol/PlaybackFramer.h"
#include "protocol/QuietHost.h"
#include "transport/ReplayTimeline.h"

namespace kestrion {

class CStreamTimeScan : private IFrameSink {
public:
    explicit CStreamTimeScan(CReplayTimeline& timeline) : m_timeline(timeline) {}

    // The bytes after those accepted before; each time goes to the timeline at the offset of
    // the first byte of its frame or sentence.
    void Accept(std::span<const uint8_t> bytes);

private:
    void OnFrame(std::span<const uint8_t> payload) override;
    void OnSentence(std::span<const uint8_t> sentence) override;

    CReplayTimeline& m_timeline;
    CQuietHost m_host;
    CPlaybackFramer m_framer{*this, m_host};
    int64_t m_end = 0;  // offset after the bytes framed so far
};

}  // namespace kestrion
