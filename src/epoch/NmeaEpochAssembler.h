#pragma once
// Builds receiver epochs from NMEA 0183 sentences (2.x to 4.11, any talker). An epoch is the
// sentences that carry one time of day; it closes when a sentence with another time arrives or
// the stream ends. GSV groups and GSA lists carry over from epoch to epoch as the rules say.
#include <memory>
#include <string_view>

#include "epoch/ReceiverEpoch.h"

namespace kestrion {

class CNmeaEpochAssembler {
public:
    CNmeaEpochAssembler();
    ~CNmeaEpochAssembler();
    CNmeaEpochAssembler(const CNmeaEpochAssembler&) = delete;
    CNmeaEpochAssembler& operator=(const CNmeaEpochAssembler&) = delete;

    // One sentence from "$" on, with or without its CR LF. True when it closed an epoch, which
    // Epoch() then holds. Sentences whose checksum fails, and sentences it does not know, are
    // not used.
    bool Take(std::string_view sentence);
    // The end of the stream: true when an open epoch closed.
    bool Finish();
    // Forgets everything, as at the start of a stream.
    void Reset();

    // The last epoch closed.
    const ReceiverEpoch& Epoch() const;

private:
    struct State;
    std::unique_ptr<State> m_state;
};

}  // namespace kestrion
