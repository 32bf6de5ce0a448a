#include "synth/ReceiverMessages.h"

#include <cmath>
#include <cstring>

#include "protocol/CommandPayload.h"
#include "protocol/MessageTable.h"

namespace kestrion {
namespace {

static_assert(kSkyChannels == kChannels);

// A value in the field's unit as the nearest count.
long Counts(const LayoutField& field, double value)
{
    return std::lround(field.Unscaled(value));
}

// The same cut towards zero.
unsigned WholeCounts(const LayoutField& field, double value)
{
    return static_cast<unsigned>(field.Unscaled(value));
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

    NavBlock nav{};
    nav.mid = MID_MeasuredNavigation;
    nav.x = static_cast<int32_t>(std::lround(position.x));
    nav.y = static_cast<int32_t>(std::lround(position.y));
    nav.z = static_cast<int32_t>(std::lround(position.z));
    nav.vx = static_cast<int16_t>(Counts(fields::kNavVelocity[0], velocity.x));
    nav.vy = static_cast<int16_t>(Counts(fields::kNavVelocity[1], velocity.y));
    nav.vz = static_cast<int16_t>(Counts(fields::kNavVelocity[2], velocity.z));
    nav.mode1 = mode1;
    nav.dop = static_cast<uint8_t>(Counts(fields::kNavDop, second.hdop));
    nav.mode2 = fixCount >= 4 ? 0x02 : 0x00;
    nav.week = second.week;
    nav.tow = second.tow;
    nav.svCount = static_cast<uint8_t>(fixCount);
    size_t slot = 0;
    for (const ChannelReport& channel : second.channels) {
        if (channel.inFix) {
            nav.svIds[slot++] = channel.prn;
        }
    }
    return EncodeMessage(MessageOf(MID_MeasuredNavigation), nav);
}

Payload TrackerPayload(const ReceiverSecond& second)
{
    TrackerBlock tracker{};
    tracker.mid = MID_MeasuredTracker;
    tracker.week = second.week;
    tracker.tow = second.tow;
    tracker.channelCount = kSkyChannels;
    for (size_t i = 0; i < kChannels; ++i) {
        const ChannelReport& report = second.channels[i];
        TrackerChannel& channel = tracker.channels[i];
        const bool up = report.prn != 0;
        channel.svId = report.prn;
        channel.azimuth = static_cast<uint8_t>(up ? WholeCounts(fields::kAzimuth, report.azimuth) : 0);
        channel.elevation =
            static_cast<uint8_t>(up && report.elevation > 0.0 ? WholeCounts(fields::kElevation, report.elevation) : 0);
        channel.state = report.state;
        std::memcpy(channel.cno, report.cno.data(), kCnoCount);
    }
    // The header, then each channel without its mean C/N0.
    const CLayout& header = layouts::kTrackerHeader;
    const CLayout& channelLayout = layouts::kTrackerChannel;
    Payload payload(header.Size() + kChannels * channelLayout.Size());
    header.Encode(reinterpret_cast<const uint8_t*>(&tracker), payload.data());
    for (size_t i = 0; i < kChannels; ++i) {
        channelLayout.Encode(reinterpret_cast<const uint8_t*>(&tracker.channels[i]),
                             payload.data() + header.Size() + i * channelLayout.Size());
    }
    return payload;
}

Payload VersionPayload(std::string_view version)
{
    SwVersionBlock block{};
    block.mid = MID_SWVersion;
    std::memcpy(block.version, version.data(), std::min(version.size(), sizeof block.version));
    return EncodeMessage(MessageOf(MID_SWVersion), block);
}

Payload ClockStatusPayload(const ReceiverSecond& second, const ClockState& clock)
{
    // The estimated GPS time is the time of week less the clock bias, in ms.
    const uint32_t estGpsTime = second.tow * 10 - clock.biasNs / 1000000;
    const ClockStatusBlock block{MID_ClockStatus, second.week,  second.tow, static_cast<uint8_t>(second.FixCount()),
                                 clock.driftHz,   clock.biasNs, estGpsTime};
    return EncodeMessage(MessageOf(MID_ClockStatus), block);
}

Payload ThroughputPayload(const ThroughputState& throughput)
{
    const ThroughputBlock block{MID_ThroughputMonitor, throughput.segStatMax, throughput.latency,
                                throughput.aveTrkTime, throughput.navComplete};
    return EncodeMessage(MessageOf(MID_ThroughputMonitor), block);
}

Payload ErrorPayload(uint16_t code, std::span<const uint32_t> words)
{
    CPayload payload(MID_Error);
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
    CPayload payload(MID_VisList);
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
    constexpr uint8_t kInternalBeacon = 3;
    DgpsStatusBlock block{MID_DGPSStatus, kInternalBeacon, dgps.frequencyHz, dgps.bitRate, dgps.status,
                          dgps.magnitude, dgps.strength,   dgps.snr,        {}};
    for (size_t i = 0; i < kChannels; ++i) {
        const ChannelReport& channel = second.channels[i];
        if (second.dgps && channel.inFix) {
            block.channels[i] = DgpsChannel{channel.prn, dgps.corrections[i]};
        }
    }
    return EncodeMessage(MessageOf(MID_DGPSStatus), block);
}

Payload TextPayload(std::string_view text)
{
    return CPayload(MID_ASCIIData).Text(text).Bytes();
}

}  // namespace kestrion
