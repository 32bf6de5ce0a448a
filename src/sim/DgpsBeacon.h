#pragma once
// The simulated receiver's internal DGPS beacon receiver: it scans for the station
// (frequency and bit rate found automatically), locks after a few seconds, and from then on
// hears the station's corrections for the satellites in view at the beacon's bit rate.
#include <array>
#include <optional>

#include "synth/ReceiverMessages.h"
#include "synth/RtcmCorrections.h"
#include "synth/SampleRandom.h"

namespace kestrion {

class CDgpsBeacon {
public:
    static constexpr int kLockSecond = 6;

    explicit CDgpsBeacon(uint64_t seed);

    // One second on: the signal, and the corrections drifting.
    void Advance();
    bool Locked() const { return m_seconds > kLockSecond; }

    // MID 27 for the receiver's channels; corrections go with the channels in a DGPS fix.
    Payload StatusPayload(const ReceiverSecond& second) const;
    // MID 17 once the station's message for the satellites in view has come in completely
    // at the bit rate, else nothing.
    std::optional<Payload> TakeCorrections(const ReceiverSecond& second);

private:
    CSampleRandom m_random;
    DgpsState m_state{};
    std::array<int16_t, 33> m_correctionsByPrn{};  // 0.01 m
    int m_seconds = 0;
    int m_bitsHeard = 0;
    uint8_t m_sequence = 0;
};

}  // namespace kestrion
