#pragma once
// MID 17: the differential corrections a DGPS beacon broadcasts, as an RTCM SC-104 type 1
// message in the six-of-eight byte form of a serial line.
#include <cstdint>
#include <span>

#include "synth/ReceiverMessages.h"

namespace kestrion {

struct SatelliteCorrection {
    uint8_t prn;        // 1..32
    int16_t rangeCm;    // pseudorange correction, 0.01 m
    int8_t rateMmS;     // range rate correction, 0.002 m/s
    uint8_t issueOfData;
};

struct RtcmStation {
    uint16_t id;          // 0..1023
    uint32_t towSeconds;  // time of the corrections
    uint8_t sequence;     // 0..7, counts the messages
};

// The 30-bit words of the message: the two header words, then the corrections, parity set.
std::vector<uint32_t> RtcmType1Words(const RtcmStation& station, std::span<const SatelliteCorrection> corrections);

Payload RtcmCorrectionPayload(const RtcmStation& station, std::span<const SatelliteCorrection> corrections);

}  // namespace kestrion
