#include "synth/ReceiverMessages.h"

#include <cmath>

#include "protocol/CommandPayload.h"

namespace kestrion {
namespace {

int Eighths(double metresPerSecond)
{
    return static_cast<int>(std::lround(metresPerSecond * 8.0));
}

}  // namespace

Payload NavigationPayload(const ReceiverSecond& second)
{
    const EcefVector position = GeodeticToEcef(second.position);
    const EcefVector velocity =
        LocalToEcef(second.position, second.velocityEast, second.velocityNorth, second.velocityUp);
    const int fixCount = second.FixCount();
    // 3D fix (4), or the number of SVs below four; bit 7 for DGPS; mode 2 bit 1: validated.
    uint8_t mode1 = fixCount >= 4 ? 0x04 : static_cast<uint8_t>(fixCount);
    if (fixCount >= 4 && second.dgps) {
        mode1 |= 0x80;
    }
    const uint8_t mode2 = fixCount >= 4 ? 0x02 : 0x00;

    CPayload payload(2);
    payload.I32(static_cast<int32_t>(std::lround(position.x)))
        .I32(static_cast<int32_t>(std::lround(position.y)))
        .I32(static_cast<int32_t>(std::lround(position.z)))
        .I16(Eighths(velocity.x))
        .I16(Eighths(velocity.y))
        .I16(Eighths(velocity.z))
        .U8(mode1)
        .U8(static_cast<unsigned>(std::lround(second.hdop * 5.0)))
        .U8(mode2)
        .U16(second.week)
        .U32(second.tow)
        .U8(static_cast<unsigned>(fixCount));
    int slots = 0;
    for (const ChannelReport& channel : second.channels) {
        if (channel.inFix) {
            payload.U8(channel.prn);
            ++slots;
        }
    }
    for (; slots < kSkyChannels; ++slots) {
        payload.U8(0);
    }
    return payload.Bytes();
}

Payload TrackerPayload(const ReceiverSecond& second)
{
    CPayload payload(4);
    payload.U16(second.week).U32(second.tow).U8(kSkyChannels);
    for (const ChannelReport& channel : second.channels) {
        const bool up = channel.prn != 0;
        payload.U8(channel.prn)
            .U8(up ? static_cast<unsigned>(channel.azimuth / 1.5) : 0)
            .U8(up && channel.elevation > 0.0 ? static_cast<unsigned>(channel.elevation * 2.0) : 0)
            .U16(channel.state);
        for (uint8_t cno : channel.cno) {
            payload.U8(cno);
        }
    }
    return payload.Bytes();
}

Payload VersionPayload(std::string_view version)
{
    return CPayload(6).Text(version, 20).Bytes();
}

Payload ClockStatusPayload(const ReceiverSecond& second, const ClockState& clock)
{
    // The estimated GPS time is the time of week less the clock bias, in ms.
    const uint32_t estGpsTime = second.tow * 10 - clock.biasNs / 1000000;
    return CPayload(7)
        .U16(second.week)
        .U32(second.tow)
        .U8(static_cast<unsigned>(second.FixCount()))
        .U32(clock.driftHz)
        .U32(clock.biasNs)
        .U32(estGpsTime)
        .Bytes();
}

Payload ThroughputPayload(const ThroughputState& throughput)
{
    return CPayload(9)
        .U16(throughput.segStatMax)
        .U16(throughput.latency)
        .U16(throughput.aveTrkTime)
        .U16(throughput.navComplete)
        .Bytes();
}

Payload ErrorPayload(uint16_t code, std::span<const uint32_t> words)
{
    CPayload payload(10);
    payload.U16(code).U16(static_cast<unsigned>(words.size()));
    for (uint32_t word : words) {
        payload.U32(word);
    }
    return payload.Bytes();
}

Payload VisibleListPayload(const ReceiverSecond& second)
{
    int count = 0;
    for (const ChannelReport& channel : second.channels) {
        count += channel.prn != 0 ? 1 : 0;
    }
    CPayload payload(13);
    payload.U8(static_cast<unsigned>(count));
    for (const ChannelReport& channel : second.channels) {
        if (channel.prn != 0) {
            payload.U8(channel.prn)
                .I16(static_cast<int>(channel.azimuth))
                .I16(static_cast<int>(std::lround(channel.elevation)));
        }
    }
    return payload.Bytes();
}

Payload DgpsStatusPayload(const ReceiverSecond& second, const DgpsState& dgps)
{
    CPayload payload(27);
    payload
        .U8(3)  // internal beacon receiver
        .U32(dgps.frequencyHz)
        .U8(dgps.bitRate)
        .U8(dgps.status)
        .I32(dgps.magnitude)
        .I16(dgps.strength)
        .I16(dgps.snr);
    for (int i = 0; i < kSkyChannels; ++i) {
        const ChannelReport& channel = second.channels[i];
        const bool corrected = second.dgps && channel.inFix;
        payload.U8(corrected ? channel.prn : 0).I16(corrected ? dgps.corrections[i] : 0);
    }
    return payload.Bytes();
}

Payload TextPayload(std::string_view text)
{
    return CPayload(255).Text(text).Bytes();
}

}  // namespace kestrion
