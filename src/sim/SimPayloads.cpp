#include "sim/SimPayloads.h"

#include <array>

#include "protocol/MessageTable.h"
#include "synth/SampleRandom.h"

namespace kestrion {
namespace {

Payload CommandAnswer(Mid mid, uint8_t value)
{
    return EncodeMessage(*FindMessage(mid), AckBlock{mid, value});
}

}  // namespace

Payload AckPayload(uint8_t commandMid)
{
    return CommandAnswer(MID_Ack, commandMid);
}

Payload NakPayload(uint8_t commandMid)
{
    return CommandAnswer(MID_Nak, commandMid);
}

Payload OkToSendPayload(bool ok)
{
    return EncodeMessage(MessageOf(MID_OkToSend), OkToSendBlock{MID_OkToSend, static_cast<uint8_t>(ok ? 1 : 0)});
}

Payload AlmanacPayload(uint8_t svId)
{
    CSampleRandom random(svId);
    AlmanacBlock block{MID_Almanac, svId, {}};
    block.words[0] = static_cast<uint16_t>(0x0100u | svId);  // SV ID and health in the first word
    for (size_t word = 1; word < std::size(block.words); ++word) {
        block.words[word] = static_cast<uint16_t>(random.Next());
    }
    return EncodeMessage(MessageOf(MID_Almanac), block);
}

Payload EphemerisPayload(uint8_t svId)
{
    CSampleRandom random(0x100u + svId);
    EphemerisBlock block{MID_Ephemeris, svId, {}};
    block.words[0] = svId;
    for (size_t word = 1; word < std::size(block.words); ++word) {
        block.words[word] = static_cast<uint16_t>(random.Next());
    }
    return EncodeMessage(MessageOf(MID_Ephemeris), block);
}

const char* VersionText(int generation)
{
    // By generation; any other generation answers as the latest.
    constexpr std::array<const char*, 3> kVersions = {"1.4.2-KX1.00.231", "2.0.3-KX2.01.016", "2.1.0-KX2.10.004"};
    return generation >= 1 && generation <= static_cast<int>(kVersions.size()) ? kVersions[generation - 1]
                                                                              : kVersions.back();
}

}  // namespace kestrion
