#pragma once
// The error and status messages (MID 10) a receiver sends now and then: a parity error, a lost
// VCO lock, a channel the Kalman filter drops, an old ephemeris, a software overrun. One comes
// every 20 to 40 seconds, the first within a quarter of a minute.
#include <optional>

#include "synth/ReceiverMessages.h"
#include "synth/SampleRandom.h"

namespace kestrion {

class CReceiverErrors {
public:
    explicit CReceiverErrors(uint64_t seed);

    // The error of this second, if one is due.
    std::optional<Payload> Next(const ReceiverSecond& second);

private:
    Payload Make(const ReceiverSecond& second);

    CSampleRandom m_random;
    int m_secondsLeft;
};

}  // namespace kestrion
