#pragma once
// Payloads of the receiver output messages in the sample, MID first, in wire order.
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "synth/ReceiverState.h"

namespace kestrion {

using Payload = std::vector<uint8_t>;

struct ClockState {
    uint32_t driftHz;
    uint32_t biasNs;
};

struct ThroughputState {
    uint16_t segStatMax, latency, aveTrkTime, navComplete;
};

struct DgpsState {
    uint32_t frequencyHz;
    uint8_t bitRate;
    uint8_t status;  // bit 0 locked, bit 1 frequency auto, bit 2 bit rate auto
    int32_t magnitude;
    int16_t strength, snr;                          // dB
    std::array<int16_t, kSkyChannels> corrections;  // 0.01 m, by channel
};

Payload NavigationPayload(const ReceiverSecond& second);                            // MID 2
Payload TrackerPayload(const ReceiverSecond& second);                               // MID 4
Payload VersionPayload(std::string_view version);                                   // MID 6
Payload ClockStatusPayload(const ReceiverSecond& second, const ClockState& clock);  // MID 7
Payload ThroughputPayload(const ThroughputState& throughput);                       // MID 9
Payload ErrorPayload(uint16_t code, std::span<const uint32_t> words);               // MID 10
Payload VisibleListPayload(const ReceiverSecond& second);                           // MID 13
Payload DgpsStatusPayload(const ReceiverSecond& second, const DgpsState& dgps);     // MID 27
Payload TextPayload(std::string_view text);                                         // MID 255

}  // namespace kestrion
