#include "sim/SimPayloads.h"

#include "protocol/CommandPayload.h"
#include "synth/SampleRandom.h"

namespace kestrion {

Payload AckPayload(uint8_t commandMid)
{
    return CPayload(11).U8(commandMid).Bytes();
}

Payload NakPayload(uint8_t commandMid)
{
    return CPayload(12).U8(commandMid).Bytes();
}

Payload OkToSendPayload(bool ok)
{
    return CPayload(18).U8(ok ? 1 : 0).Bytes();
}

Payload AlmanacPayload(uint8_t svId)
{
    CSampleRandom random(svId);
    CPayload payload(14);
    payload.U8(svId).U16(0x0100u | svId);  // SV ID and health in the first word
    for (int word = 1; word < 14; ++word) {
        payload.U16(static_cast<unsigned>(random.Next()));
    }
    return payload.Bytes();
}

Payload EphemerisPayload(uint8_t svId)
{
    CSampleRandom random(0x100u + svId);
    CPayload payload(15);
    payload.U8(svId).U16(svId);
    for (int word = 1; word < 45; ++word) {
        payload.U16(static_cast<unsigned>(random.Next()));
    }
    return payload.Bytes();
}

const char* VersionText(int generation)
{
    switch (generation) {
    case 1: return "1.4.2-KX1.00.231";
    case 2: return "2.0.3-KX2.01.016";
    default: return "2.1.0-KX2.10.004";
    }
}

}  // namespace kestrion
