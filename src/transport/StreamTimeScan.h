#pragma once
// Finds the receiver's times in a recorded receive stream as the playback framer cuts it:
// the GPS week and time of week of binary MIDs 2 and 4, and the UTC time of day of the NMEA
// sentences that carry one (GGA, RMC, ZDA, GNS, GLL, GST, GBS). Push-style and quick: the
// bytes between frames and the payloads are passed over in runs.
#include <array>
#include <cstdint>
#include <span>

#include "protocol/PlaybackFramer.h"
#include "transport/ReplayTimeline.h"

namespace kestrion {

class CStreamTimeScan {
public:
    explicit CStreamTimeScan(CReplayTimeline& timeline) : m_timeline(timeline) {}

    // The bytes after those accepted before; each time goes to the timeline at the offset of
    // the first byte of its frame or sentence.
    void Accept(std::span<const uint8_t> bytes);

private:
    using BinaryState = CPlaybackFramer::BinaryState;
    using TextState = CPlaybackFramer::TextState;
    static constexpr size_t kKeptPayload = 28;  // up to the navigation block's time of week

    // Returns how many bytes it took (at least one).
    size_t Step(const uint8_t* bytes, size_t count);
    void StepBinary(uint8_t byte);
    void StepText(uint8_t byte);
    void EndFrame();
    void EndSentence();

    CReplayTimeline& m_timeline;
    int64_t m_offset = 0;  // of the byte being stepped
    BinaryState m_binary = BinaryState::Idle;
    TextState m_text = TextState::Idle;
    int64_t m_frameStart = 0, m_sentenceStart = 0;
    uint8_t m_lengthHigh = 0;
    int m_length = 0, m_payloadIndex = 0, m_sentenceIndex = 0;
    uint16_t m_sum = 0, m_checksum = 0;
    std::array<uint8_t, kKeptPayload> m_payload{};
    std::array<uint8_t, CPlaybackFramer::kMaxSentence + 1> m_sentence{};
};

}  // namespace kestrion
