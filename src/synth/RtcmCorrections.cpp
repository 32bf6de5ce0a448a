#include "synth/RtcmCorrections.h"

#include <algorithm>
#include <bit>

#include "protocol/CommandPayload.h"

namespace kestrion {
namespace {

constexpr uint32_t kPreamble = 0x66;
constexpr int kDataBits = 24;
constexpr double kZCountSeconds = 0.6;
constexpr uint32_t kFill = 0xAAAAAA;  // alternating ones and zeros after the last correction

// The satellites' data bits d1..d24 (d1 the most significant) that enter parity bits D25..D30;
// D25, D27 and D30 also take the previous word's D29, the others its D30.
constexpr uint32_t kParityMasks[6] = {0xEC7CD2, 0x763E69, 0xBB1F34, 0x5D8F9A, 0xAEC7CD, 0x2DEA27};
constexpr bool kTakesD29[6] = {true, false, true, false, false, true};

// Parity after the previous word, and the data complemented when that word ended in a one.
uint32_t EncodeWord(uint32_t data, uint32_t previous)
{
    const uint32_t d29 = (previous >> 1) & 1;
    const uint32_t d30 = previous & 1;
    uint32_t parity = 0;
    for (int bit = 0; bit < 6; ++bit) {
        const uint32_t sum = static_cast<uint32_t>(std::popcount(data & kParityMasks[bit])) + (kTakesD29[bit] ? d29 : d30);
        parity = parity << 1 | (sum & 1);
    }
    const uint32_t sent = d30 != 0 ? ~data & 0xFFFFFF : data;
    return sent << 6 | parity;
}

// Collects fields most significant bit first and cuts them into 24-bit words.
class CBitStream {
public:
    void Put(uint32_t value, int bits)
    {
        for (int bit = bits - 1; bit >= 0; --bit) {
            m_word = m_word << 1 | ((value >> bit) & 1);
            if (++m_bits == kDataBits) {
                m_words.push_back(m_word);
                m_word = 0;
                m_bits = 0;
            }
        }
    }
    std::vector<uint32_t> Words()
    {
        if (m_bits > 0) {
            Put(kFill, kDataBits - m_bits);
        }
        return m_words;
    }

private:
    std::vector<uint32_t> m_words;
    uint32_t m_word = 0;
    int m_bits = 0;
};

uint8_t ReversedSixBits(uint32_t bits)
{
    uint8_t reversed = 0;
    for (int bit = 0; bit < 6; ++bit) {
        reversed = static_cast<uint8_t>(reversed << 1 | ((bits >> bit) & 1));
    }
    return reversed;
}

}  // namespace

std::vector<uint32_t> RtcmType1Words(const RtcmStation& station, std::span<const SatelliteCorrection> corrections)
{
    CBitStream body;
    for (const SatelliteCorrection& correction : corrections) {
        // Scale 0: 0.02 m and 0.002 m/s; UDRE 0 (under 1 m); SV 32 is sent as 0.
        body.Put(0, 1);
        body.Put(0, 2);
        body.Put(correction.prn & 0x1F, 5);
        body.Put(static_cast<uint16_t>(correction.rangeCm / 2), 16);
        body.Put(static_cast<uint8_t>(correction.rateMmS), 8);
        body.Put(correction.issueOfData, 8);
    }
    const std::vector<uint32_t> data = body.Words();
    const auto zCount = static_cast<uint32_t>((station.towSeconds % 3600) / kZCountSeconds);
    const uint32_t header[2] = {kPreamble << 16 | 1u << 10 | (station.id & 0x3FF),
                                zCount << 11 | (station.sequence & 7u) << 8 | static_cast<uint32_t>(data.size()) << 3};

    std::vector<uint32_t> words;
    uint32_t previous = 0;
    for (const uint32_t word : header) {
        words.push_back(previous = EncodeWord(word, previous));
    }
    for (const uint32_t word : data) {
        words.push_back(previous = EncodeWord(word, previous));
    }
    return words;
}

Payload RtcmCorrectionPayload(const RtcmStation& station, std::span<const SatelliteCorrection> corrections)
{
    // Each word as five bytes of six bits, the first bit of the word in the lowest bit, marked 01.
    const std::vector<uint32_t> words = RtcmType1Words(station, corrections);
    CPayload payload(17);
    payload.U16(static_cast<uint32_t>(words.size() * 5));
    for (const uint32_t word : words) {
        for (int shift = 24; shift >= 0; shift -= 6) {
            payload.U8(0x40u | ReversedSixBits(word >> shift));
        }
    }
    return payload.Bytes();
}

}  // namespace kestrion
