#pragma once
// Payloads the simulated receiver sends besides those of the sample: answers to commands.
#include <cstdint>

#include "synth/ReceiverMessages.h"

namespace kestrion {

Payload AckPayload(uint8_t commandMid);   // MID 11
Payload NakPayload(uint8_t commandMid);   // MID 12
Payload OkToSendPayload(bool ok);         // MID 18
Payload AlmanacPayload(uint8_t svId);     // MID 14, words made up from the SV ID
Payload EphemerisPayload(uint8_t svId);   // MID 15, the first word is the SV ID

// The version text of a software generation: "1.x", "2.0.x" or "2.1.x".
const char* VersionText(int generation);

}  // namespace kestrion
