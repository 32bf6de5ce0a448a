#include "sim/DgpsBeacon.h"

#include <vector>

namespace kestrion {
namespace {

constexpr uint32_t kFrequencyHz = 304000;
constexpr uint8_t kBitRate = 200;
constexpr uint16_t kStationId = 682;
constexpr uint8_t kLocked = 0x01, kFrequencyAuto = 0x02, kBitRateAuto = 0x04;
constexpr int kWordBits = 30;
constexpr int kHeaderWords = 2;
constexpr int kCorrectionBits = 40;

std::vector<SatelliteCorrection> InView(const ReceiverSecond& second, const std::array<int16_t, 33>& byPrn)
{
    std::vector<SatelliteCorrection> corrections;
    for (const ChannelReport& channel : second.channels) {
        if (channel.prn >= 1 && channel.prn <= 32 && channel.elevation > 0.0) {
            // The issue of data follows the two-hour ephemeris of the satellite.
            const auto issue = static_cast<uint8_t>(second.tow / 720000 + channel.prn);
            corrections.push_back({channel.prn, byPrn[channel.prn], 0, issue});
        }
    }
    return corrections;
}

}  // namespace

CDgpsBeacon::CDgpsBeacon(uint64_t seed) : m_random(seed)
{
    m_state.frequencyHz = kFrequencyHz;
    m_state.bitRate = kBitRate;
    for (int16_t& correction : m_correctionsByPrn) {
        correction = static_cast<int16_t>(m_random.Between(-900, 900));
    }
}

void CDgpsBeacon::Advance()
{
    ++m_seconds;
    const bool locked = Locked();
    m_state.status = kFrequencyAuto | kBitRateAuto | (locked ? kLocked : 0);
    m_state.magnitude = (locked ? 2400 : 300) + m_random.Between(-80, 80);
    m_state.strength = static_cast<int16_t>(locked ? 40 + m_random.Between(-1, 1) : 9);
    m_state.snr = static_cast<int16_t>(locked ? 17 + m_random.Between(-1, 1) : 1);
    for (int16_t& correction : m_correctionsByPrn) {
        correction = static_cast<int16_t>(correction + m_random.Between(-3, 3));
    }
    if (locked) {
        m_bitsHeard += m_state.bitRate;
    }
}

Payload CDgpsBeacon::StatusPayload(const ReceiverSecond& second) const
{
    DgpsState state = m_state;
    for (size_t channel = 0; channel < second.channels.size(); ++channel) {
        const uint8_t prn = second.channels[channel].prn;
        state.corrections[channel] = prn <= 32 ? m_correctionsByPrn[prn] : 0;
    }
    return DgpsStatusPayload(second, state);
}

std::optional<Payload> CDgpsBeacon::TakeCorrections(const ReceiverSecond& second)
{
    const std::vector<SatelliteCorrection> corrections = InView(second, m_correctionsByPrn);
    const int dataWords = (static_cast<int>(corrections.size()) * kCorrectionBits + 23) / 24;
    const int messageBits = (kHeaderWords + dataWords) * kWordBits;
    if (corrections.empty()) {
        m_bitsHeard = 0;  // nothing to correct: the station's messages are of no use
        return std::nullopt;
    }
    if (m_bitsHeard < messageBits) {
        return std::nullopt;
    }
    m_bitsHeard -= messageBits;
    const RtcmStation station{kStationId, second.tow / 100, m_sequence};
    m_sequence = static_cast<uint8_t>((m_sequence + 1) % 8);
    return RtcmCorrectionPayload(station, corrections);
}

}  // namespace kestrion
