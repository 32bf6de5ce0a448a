#include "protocol/RecordRenderer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <map>
#include <string>

namespace kestrion {
namespace {

// Writes the values one after the other from the offset on.
template <size_t N, typename... T>
void Put(RawBlock<N>& block, size_t offset, T... values)
{
    ((std::memcpy(block.bytes + offset, &values, sizeof values), offset += sizeof values), ...);
}
template <typename T, size_t N>
using Row = std::array<T, N>;

// A channel whose ten C/N0 values count up from the first.
TrackerChannel Channel(uint8_t svId, uint8_t azimuth, uint8_t elevation, uint16_t state, uint8_t firstCno)
{
    TrackerChannel channel{svId, azimuth, elevation, state, {}, 0};
    for (uint8_t& cno : channel.cno) {
        cno = firstCno++;
    }
    return channel;
}

ErrorBlock Error(uint16_t code, std::initializer_list<uint32_t> words)
{
    ErrorBlock block{10, code, static_cast<uint16_t>(words.size()), {}};
    std::copy(words.begin(), words.end(), block.words);
    return block;
}

void FillRawTrack(CMessageRecord& r, int16_t hexField)
{
    Put(r.rawTrack, 0, uint8_t{5}, int32_t{-123456}, Row<int16_t, 2>{-2, hexField}, int32_t{2147483647},
        Row<int16_t, 2>{32767, -32768}, Row<int32_t, 4>{-1, 0, 1, INT32_MIN}, int16_t{100},
        Row<uint8_t, 12>{30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 200, 0}, Row<int16_t, 2>{-300, 300});
}

const MgrParamsBlock kLullcycleParams{.mid = 19, .altMode = 2, .altitude = 1000, .drTimeout = 12, .staticNav = 1,
                                      .dopMaskMode = 1, .elevMask = -50, .pwrMask = 30, .dgpsSource = 3, .dgpsMode = 1,
                                      .lpOnTime = 200, .lpCyclePeriod = 1000, .userTasks = 1, .userTaskPeriod = 60,
                                      .dutyCycled = 1, .maxAcqTime = 120000, .maxOffTime = 30000};

struct RenderCase {
    const char* name;
    uint8_t type;
    int generation;
    void (*fill)(CMessageRecord&);
};

// Each case fills the record's block directly; records.txt holds the expected text by name.
const RenderCase kCases[] = {
    {"nav_four_svs", 2, 2, [](CMessageRecord& r) {
         r.nav = {2, -1000000, -4300123, 3850000, -8, 5, 0, 4, 7, 16, 1200, 12345678, 4,
                  {3, 7, 12, 31, 5, 6, 8, 9, 10, 11, 13, 14}};
     }},
    {"nav_truth_more_than_twelve_svs", 1, 2, [](CMessageRecord& r) {
         r.nav = {1, 6378137, 0, -1, -1, 1, 32767, 132, 255, 0, 65535, 4294967295u, 15, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}}; }},
    {"tracker_measured", 4, 2, [](CMessageRecord& r) {
         r.tracker = {4, 1201, 6048000, 9, {Channel(5, 3, 91, 0xBF, 40)}};
         r.tracker.channels[1] = {31, 239, 180, 63, {0, 0, 0, 0, 0, 0, 0, 0, 0, 255}, 0};
         r.tracker.channels[11] = Channel(32, 255, 1, 65535, 1);
     }},
    {"tracker_truth_cno_plus_255", 3, 2, [](CMessageRecord& r) {
         r.tracker = {3, 1000, 100, 12, {Channel(1, 2, 3, 1, 0)}}; }},
    {"raw_track_negative_hex", 5, 2, [](CMessageRecord& r) { FillRawTrack(r, -1); }},
    {"raw_track_small_hex", 5, 2, [](CMessageRecord& r) { FillRawTrack(r, 10); }},
    {"sw_version_twenty_characters", 6, 2, [](CMessageRecord& r) { std::memcpy(r.swVersion.version, "GSW2-2.05.024-C1PROD", 20); }},
    {"sw_version_short", 6, 2, [](CMessageRecord& r) { std::memcpy(r.swVersion.version, "2.3.2", 5); }},
    {"clock_status", 7, 2, [](CMessageRecord& r) { r.clockStatus = {7, 1200, 34567800, 8, 94315, 4294967295u, 345678000}; }},
    {"fifty_bps", 8, 2, [](CMessageRecord& r) {
         r.fiftyBps = {8, 3, 17, {0x8B0000AB, 1, 0, 0x22C1A5F0, 0xFFFFFFFF, 0x12345678, 0xABC, 0x10000000, 7, 0x3FFFFFFF}}; }},
    {"throughput", 9, 2, [](CMessageRecord& r) { r.throughput = {9, 123, 5, 7, 45}; }},
    {"error_vco_lock", 10, 2, [](CMessageRecord& r) { r.error = Error(4097, {250}); }},
    {"error_unlisted_code", 10, 2, [](CMessageRecord& r) { r.error = Error(77, {1, 0xDEADBEEF, 3, 4, 5, 6, 7, 8}); }},
    {"error_signed_words", 10, 2, [](CMessageRecord& r) { r.error = Error(4100, {1234567, 5, 0xFFFFFF9C}); }},
    {"error_missing_words", 10, 2, [](CMessageRecord& r) { r.error = Error(13, {0xFFFFFFFB}); }},
    {"error_eighteen_words", 10, 2, [](CMessageRecord& r) {
         r.error = Error(4103, {});
         r.error.count = 18;
         for (uint32_t i = 0; i < 18; ++i) {
             r.error.words[i] = i % 2 == 0 ? i + 1 : 0u - (i + 1);
         }
     }},
    {"error_hex_word", 10, 2, [](CMessageRecord& r) { r.error = Error(8195, {0xFFFF0000}); }},
    {"ack", 11, 2, [](CMessageRecord& r) { r.ack = {11, 128}; }},
    {"nak_unnamed_mid", 12, 2, [](CMessageRecord& r) { r.nak = {12, 200}; }},
    {"visible_list", 13, 2, [](CMessageRecord& r) { r.visibleList = {13, 2, {{5, 123, 45}, {31, -5, -2}}}; }},
    {"almanac_signed_words", 14, 2, [](CMessageRecord& r) {
         r.almanac = {14, 7, {0xFFFF, 1234, 0x8000, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 32767}}; }},
    {"ephemeris_unsigned_words", 15, 2, [](CMessageRecord& r) {
         r.ephemeris = {15, 12, {0xFFFF}};
         for (uint16_t i = 1; i < 45; ++i) {
             r.ephemeris.words[i] = static_cast<uint16_t>(i * 1000);
         }
     }},
    {"development_data", 17, 2, [](CMessageRecord& r) { r.developmentData = {17, "0A1B2CFF"}; }},
    {"ok_to_send", 18, 2, [](CMessageRecord& r) { r.okToSend = {18, 1}; }},
    {"mgr_params_generation1", 19, 1, [](CMessageRecord& r) {
         r.mgrParams1 = {19, 7, 1, 2, -150, 4, 30, 15, 1, 3, 3, 30, 75, 28, 500, 15, 0, 3, 50, 200};
         r.mgrParams = kLullcycleParams;  // not the block of generation 1
     }},
    {"mgr_params_lullcycle", 19, 2, [](CMessageRecord& r) { r.mgrParams = kLullcycleParams; }},
    {"mgr_params_wake_to_sync", 19, 3, [](CMessageRecord& r) {
         r.mgrParams = {.dgpsSource = 9, .periodicWakeUp = 1, .lpOnTime = 200, .lpCyclePeriod = 1000, .dutyCycled = 1}; }},
    {"mgr_params_lullcycle_no_period", 19, 2, [](CMessageRecord& r) { r.mgrParams = {.lpOnTime = 200, .dutyCycled = 1}; }},
    {"mgr_params_continuous_unknown_generation", 19, -1, [](CMessageRecord& r) {
         r.mgrParams = {.altMode = 1, .altSource = 1, .altitude = -1, .degradedMode = 2,
                        .degradedTimeout = 1, .drTimeout = 1, .trkSmoothMode = 1,
                        .staticNav = 1, .threeSvLsq = 1, .dopMaskMode = 4, .elevMask = 900,
                        .pwrMask = 20, .dgpsSource = 4, .dgpsMode = 2, .dgpsTimeout = 99,
                        .lpOnTime = 500, .maxAcqTime = 4294967295u, .maxOffTime = 1};
         r.mgrParams1.dopMaskMode = 3;  // not the block of this generation
     }},
    {"tracker_summary", 23, 2, [](CMessageRecord& r) {
         r.tracker = {23, 0, 0, 3,
                      {Channel(5, 3, 91, 0xBF, 40), Channel(12, 100, 60, 1, 0),
                       Channel(32, 255, 180, 0xABCD, 255), Channel(9, 9, 9, 9, 9)}};
     }},
    {"tracker_summary_empty", 23, 2, [](CMessageRecord& r) { r.tracker = {23, 0, 0, 0, {Channel(9, 9, 9, 9, 9)}}; }},
    {"mid28", 28, 2, [](CMessageRecord& r) {
         Put(r.mid28, 0, Row<uint8_t, 2>{28, 7}, uint32_t{4000000000u}, uint8_t{23}, 21345678.123456789, -1.5e-3, 0.1f,
             1e20, uint16_t{65535}, Row<uint8_t, 11>{3, 40, 41, 42, 43, 44, 45, 46, 47, 48, 49},
             Row<uint16_t, 2>{1000, 2}, int16_t{-5}, Row<uint8_t, 2>{1, 255});
     }},
    {"mid29", 29, 2, [](CMessageRecord& r) {
         Put(r.mid29, 0, uint8_t{29}, Row<int16_t, 2>{-1, 300}, uint8_t{9}, 1.5f, -2.25e-6f, 3.4028235e38f, 0.0f, -0.0f); }},
    {"mid30", 30, 2, [](CMessageRecord& r) {
         Put(r.mid30, 0, Row<uint8_t, 2>{30, 4}, 123456789.123, -0.5, 1e-10, 2.0, 3.0, 4.0, 5.0, 6.5, 7.25f,
             uint8_t{200}, -1.0f, 1e10f, 0.3f);
     }},
    {"mid31", 31, 2, [](CMessageRecord& r) {
         // Each integer field holds its offset (u16 fields times 100), so a shifted field shows.
         for (const size_t offset : {1, 2, 3, 8, 15, 16, 23, 30, 33, 36, 63, 74, 83}) {
             Put(r.mid31, offset, static_cast<uint8_t>(offset));
         }
         for (const size_t offset : {9, 11, 13, 17, 19, 21, 24, 26, 28, 31, 34, 37}) {
             Put(r.mid31, offset, static_cast<uint16_t>(offset * 100));
         }
         Put(r.mid31, 0, uint8_t{31});
         Put(r.mid31, 4, 1.25f);
         Put(r.mid31, 39, 39.5, -47.25, 5.5e5);
         Put(r.mid31, 64, 64.125);
         Put(r.mid31, 72, uint16_t{65535});
         Put(r.mid31, 75, -75e-5);
     }},
    {"text_line_ends_become_blanks", 255, 2, [](CMessageRecord& r) { r.SetText("$GPGGA,123519,4807.038,N*47\r\n"); }},
    {"text_stops_at_nul", 255, 2, [](CMessageRecord& r) { r.SetText(std::string_view("ab\0cd", 5)); }},
    {"text_empty", 255, 2, [](CMessageRecord& r) { r.SetText(""); }},
};

std::map<std::string, std::string> ReadExpectedTexts()
{
    std::ifstream file(KESTRION_TEST_DATA "/render/records.txt", std::ios::binary);
    std::map<std::string, std::string> texts;
    std::string* current = nullptr;
    for (std::string line; std::getline(file, line);) {
        if (line.starts_with("=== ")) {
            current = &texts[line.substr(4)];
        } else if (current != nullptr) {
            *current += (current->empty() ? "" : "\n") + line;
        }
    }
    return texts;
}

TEST(RecordRenderer, EveryCaseRendersItsExpectedText)
{
    const std::map<std::string, std::string> expected = ReadExpectedTexts();
    ASSERT_EQ(expected.size(), std::size(kCases));
    std::string out = "stale text";
    for (const RenderCase& c : kCases) {
        SCOPED_TRACE(c.name);
        CMessageRecord record;
        record.SetType(c.type);
        c.fill(record);
        ASSERT_EQ(expected.count(c.name), 1u);
        EXPECT_TRUE(RenderRecord(record, c.generation, out));
        EXPECT_EQ(out, expected.at(c.name));
    }
}

TEST(RecordRenderer, TypesWithoutTextAndFiftyBpsOfSvZeroRenderNothing)
{
    for (const int type : {0, 8, 16, 20, 24, 26, 27, 32, 43, 128, 254}) {
        CMessageRecord record;
        record.SetType(static_cast<uint8_t>(type));
        record.fiftyBps = {8, 3, 0, {1, 2, 3}};
        std::string out = "stale text";
        EXPECT_FALSE(RenderRecord(record, 2, out)) << "type " << type;
        EXPECT_TRUE(out.empty()) << "type " << type;
    }
}

TEST(RecordRenderer, LongestTextsKeepEveryCharacter)
{
    CMessageRecord record;
    record.SetType(17);
    record.developmentData.mid = 17;
    std::memset(record.developmentData.hex, 'F', 2 * kMaxDevelopmentBytes);
    std::string out;
    ASSERT_TRUE(RenderRecord(record, 2, out));
    EXPECT_EQ(out, "17," + std::string(2 * kMaxDevelopmentBytes, 'F'));

    record.SetType(13);
    record.visibleList.count = 200;  // more than the entries held
    ASSERT_TRUE(RenderRecord(record, 2, out));
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 1 + kMaxVisibleEntries);
}

}  // namespace
}  // namespace kestrion
