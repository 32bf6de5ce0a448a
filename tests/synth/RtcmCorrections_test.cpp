#include <gtest/gtest.h>

#include "synth/RtcmCorrections.h"

namespace kestrion {
namespace {

// The parity of a word after the previous one's D29 and D30, bit by bit as the equations list
// the data bits (d1 is the most significant of the 24).
uint32_t Parity(uint32_t data, uint32_t previous)
{
    static const std::vector<std::vector<int>> kTerms = {
        {1, 2, 3, 5, 6, 10, 11, 12, 13, 14, 17, 18, 20, 23},
        {2, 3, 4, 6, 7, 11, 12, 13, 14, 15, 18, 19, 21, 24},
        {1, 3, 4, 5, 7, 8, 12, 13, 14, 15, 16, 19, 20, 22},
        {2, 4, 5, 6, 8, 9, 13, 14, 15, 16, 17, 20, 21, 23},
        {1, 3, 5, 6, 7, 9, 10, 14, 15, 16, 17, 18, 21, 22, 24},
        {3, 5, 6, 8, 9, 10, 11, 13, 15, 19, 22, 23, 24}};
    static const bool kD29[] = {true, false, true, false, false, true};
    uint32_t parity = 0;
    for (size_t p = 0; p < kTerms.size(); ++p) {
        uint32_t sum = kD29[p] ? (previous >> 1) & 1 : previous & 1;
        for (int d : kTerms[p]) {
            sum ^= (data >> (24 - d)) & 1;
        }
        parity = parity << 1 | sum;
    }
    return parity;
}

// The data bits of each word as the station meant them, parity checked.
std::vector<uint32_t> Decode(const std::vector<uint32_t>& words)
{
    std::vector<uint32_t> data;
    uint32_t previous = 0;
    for (uint32_t word : words) {
        uint32_t bits = word >> 6;
        if (previous & 1) {
            bits = ~bits & 0xFFFFFF;
        }
        EXPECT_EQ(word & 0x3F, Parity(bits, previous));
        data.push_back(bits);
        previous = word;
    }
    return data;
}

TEST(RtcmCorrections, AType1MessageWithParityAndTheCorrectionsOfEachSatellite)
{
    const SatelliteCorrection satellites[] = {{5, -123, 0, 17}, {32, 450, -2, 200}, {17, 8, 3, 9}};
    const RtcmStation station{682, 36000 + 1800, 5};  // half past the hour
    const std::vector<uint32_t> data = Decode(RtcmType1Words(station, satellites));
    ASSERT_EQ(data.size(), 2u + 5u) << "three corrections of 40 bits fill five words";
    EXPECT_EQ(data[0] >> 16, 0x66u) << "preamble";
    EXPECT_EQ((data[0] >> 10) & 0x3F, 1u) << "message type";
    EXPECT_EQ(data[0] & 0x3FF, 682u);
    EXPECT_EQ(data[1] >> 11, 3000u) << "modified Z-count, 0.6 s";
    EXPECT_EQ((data[1] >> 8) & 7, 5u);
    EXPECT_EQ((data[1] >> 3) & 0x1F, 5u) << "data words";

    // 120 bits of corrections, no fill.
    std::vector<int> bits;
    for (size_t i = 2; i < data.size(); ++i) {
        for (int b = 23; b >= 0; --b) {
            bits.push_back(static_cast<int>((data[i] >> b) & 1));
        }
    }
    const auto field = [&](size_t from, int width) {
        uint32_t value = 0;
        for (int b = 0; b < width; ++b) {
            value = value << 1 | static_cast<uint32_t>(bits[from + b]);
        }
        return value;
    };
    const uint32_t expectedPrn[] = {5, 0, 17};  // SV 32 is sent as 0
    const int16_t expectedPrc[] = {-61, 225, 4};  // units of 0.02 m
    for (size_t sv = 0; sv < 3; ++sv) {
        const size_t at = sv * 40;
        EXPECT_EQ(field(at, 3), 0u) << "scale and UDRE";
        EXPECT_EQ(field(at + 3, 5), expectedPrn[sv]);
        EXPECT_EQ(static_cast<int16_t>(field(at + 8, 16)), expectedPrc[sv]);
        EXPECT_EQ(static_cast<int8_t>(field(at + 24, 8)), satellites[sv].rateMmS);
        EXPECT_EQ(field(at + 32, 8), satellites[sv].issueOfData);
    }
}

TEST(RtcmCorrections, ThePayloadCarriesEachWordInFiveBytesOfSixBits)
{
    const SatelliteCorrection satellite[] = {{9, 100, 0, 1}};
    const RtcmStation station{1, 0, 0};
    const std::vector<uint32_t> words = RtcmType1Words(station, satellite);
    const Payload payload = RtcmCorrectionPayload(station, satellite);
    ASSERT_EQ(payload.size(), 3 + 5 * words.size());
    EXPECT_EQ(payload[0], 17);
    EXPECT_EQ((payload[1] << 8 | payload[2]), static_cast<int>(5 * words.size()));
    for (size_t w = 0; w < words.size(); ++w) {
        uint32_t word = 0;
        for (size_t b = 0; b < 5; ++b) {
            const uint8_t byte = payload[3 + 5 * w + b];
            EXPECT_EQ(byte & 0xC0, 0x40);
            for (int bit = 0; bit < 6; ++bit) {  // the first bit in the lowest place
                word = word << 1 | ((byte >> bit) & 1u);
            }
        }
        EXPECT_EQ(word, words[w]);
    }
}

}  // namespace
}  // namespace kestrion
