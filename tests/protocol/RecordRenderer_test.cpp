#include "protocol/RecordRenderer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <map>
#include <string>

namespace kestrion {
namespace {

template <size_t N, typename T>
void Put(RawBlock<N>& block, size_t offset, T value)
{
    std::memcpy(block.bytes + offset, &value, sizeof value);
}

void SetChannel(TrackerChannel& channel, uint8_t svId, uint8_t azimuth, uint8_t elevation,
                uint16_t state, uint8_t firstCno)
{
    channel.svId = svId;
    channel.azimuth = azimuth;
    channel.elevation = elevation;
    channel.state = state;
    for (uint8_t& cno : channel.cno) {
        cno = firstCno;
        firstCno = static_cast<uint8_t>(firstCno + 1);
    }
}

void FillNavigation(CMessageRecord& r, uint8_t mid, std::initializer_list<int32_t> xyz,
                    std::initializer_list<int16_t> velocity, uint8_t dop, uint8_t svCount)
{
    r.SetType(mid);
    r.nav.mid = mid;
    r.nav.x = xyz.begin()[0];
    r.nav.y = xyz.begin()[1];
    r.nav.z = xyz.begin()[2];
    r.nav.vx = velocity.begin()[0];
    r.nav.vy = velocity.begin()[1];
    r.nav.vz = velocity.begin()[2];
    r.nav.dop = dop;
    r.nav.svCount = svCount;
}

void FillError(CMessageRecord& r, uint16_t code, std::initializer_list<uint32_t> words)
{
    r.SetType(10);
    r.error.mid = 10;
    r.error.code = code;
    r.error.count = static_cast<uint16_t>(words.size());
    for (size_t i = 0; i < words.size(); ++i) {
        r.error.words[i] = words.begin()[i];
    }
}

void FillLaterMgrParams(CMessageRecord& r)
{
    r.SetType(19);
    MgrParamsBlock& p = r.mgrParams;
    p.mid = 19;
    p.altMode = 2;
    p.altitude = 1000;
    p.drTimeout = 12;
    p.staticNav = 1;
    p.dopMaskMode = 1;
    p.elevMask = -50;
    p.pwrMask = 30;
    p.dgpsSource = 3;
    p.dgpsMode = 1;
    p.dutyCycled = 1;
    p.lpOnTime = 200;
    p.lpCyclePeriod = 1000;
    p.userTasks = 1;
    p.userTaskPeriod = 60;
    p.maxAcqTime = 120000;
    p.maxOffTime = 30000;
}

void FillRawTrack(CMessageRecord& r, int16_t hexField)
{
    r.SetType(5);
    Put(r.rawTrack, 0, uint8_t{5});
    Put(r.rawTrack, 1, int32_t{-123456});
    Put(r.rawTrack, 5, int16_t{-2});
    Put(r.rawTrack, 7, hexField);
    Put(r.rawTrack, 9, int32_t{2147483647});
    Put(r.rawTrack, 13, int16_t{32767});
    Put(r.rawTrack, 15, int16_t{-32768});
    const int32_t longs[] = {-1, 0, 1, INT32_MIN};
    std::memcpy(r.rawTrack.bytes + 17, longs, sizeof longs);
    Put(r.rawTrack, 33, int16_t{100});
    for (uint8_t i = 0; i < 10; ++i) {
        Put(r.rawTrack, 35 + i, static_cast<uint8_t>(30 + i));
    }
    Put(r.rawTrack, 45, uint8_t{200});
    Put(r.rawTrack, 47, int16_t{-300});
    Put(r.rawTrack, 49, int16_t{300});
}

struct RenderCase {
    const char* name;
    int generation;
    void (*fill)(CMessageRecord&);
};

// Each case fills a record's block directly; records.txt holds the expected text by name.
const RenderCase kCases[] = {
    {"nav_four_svs", 2,
     [](CMessageRecord& r) {
         FillNavigation(r, 2, {-1000000, -4300123, 3850000}, {-8, 5, 0}, 7, 4);
         r.nav.mode1 = 4;
         r.nav.mode2 = 16;
         r.nav.week = 1200;
         r.nav.tow = 12345678;
         const uint8_t ids[kChannels] = {3, 7, 12, 31, 5, 6, 8, 9, 10, 11, 13, 14};
         std::memcpy(r.nav.svIds, ids, sizeof ids);
     }},
    {"nav_truth_more_than_twelve_svs", 2,
     [](CMessageRecord& r) {
         FillNavigation(r, 1, {6378137, 0, -1}, {-1, 1, 32767}, 255, 15);
         r.nav.mode1 = 132;
         r.nav.week = 65535;
         r.nav.tow = 4294967295u;
         for (uint8_t i = 0; i < kChannels; ++i) {
             r.nav.svIds[i] = static_cast<uint8_t>(i + 1);
         }
     }},
    {"tracker_measured", 2,
     [](CMessageRecord& r) {
         r.SetType(4);
         r.tracker = {4, 1201, 6048000, 9, {}};
         SetChannel(r.tracker.channels[0], 5, 3, 91, 0xBF, 40);
         SetChannel(r.tracker.channels[1], 31, 239, 180, 63, 0);
         std::memset(r.tracker.channels[1].cno, 0, kCnoCount - 1);
         r.tracker.channels[1].cno[9] = 255;
         SetChannel(r.tracker.channels[11], 32, 255, 1, 65535, 1);
     }},
    {"tracker_truth_cno_plus_255", 2,
     [](CMessageRecord& r) {
         r.SetType(3);
         r.tracker = {3, 1000, 100, 12, {}};
         SetChannel(r.tracker.channels[0], 1, 2, 3, 1, 0);
     }},
    {"raw_track_negative_hex", 2,
     [](CMessageRecord& r) {
         FillRawTrack(r, -1);
     }},
    {"raw_track_small_hex", 2,
     [](CMessageRecord& r) {
         FillRawTrack(r, 10);
     }},
    {"sw_version_twenty_characters", 2,
     [](CMessageRecord& r) {
         r.SetType(6);
         std::memcpy(r.swVersion.version, "GSW2-2.05.024-C1PROD", 20);
     }},
    {"sw_version_short", 2,
     [](CMessageRecord& r) {
         r.SetType(6);
         std::memcpy(r.swVersion.version, "2.3.2", 5);
     }},
    {"clock_status", 2,
     [](CMessageRecord& r) {
         r.SetType(7);
         r.clockStatus = {7, 1200, 34567800, 8, 94315, 4294967295u, 345678000};
     }},
    {"fifty_bps", 2,
     [](CMessageRecord& r) {
         r.SetType(8);
         r.fiftyBps = {8,
                       3,
                       17,
                       {0x8B0000AB, 1, 0, 0x22C1A5F0, 0xFFFFFFFF, 0x12345678, 0xABC, 0x10000000, 7,
                        0x3FFFFFFF}};
     }},
    {"throughput", 2,
     [](CMessageRecord& r) {
         r.SetType(9);
         r.throughput = {9, 123, 5, 7, 45};
     }},
    {"error_vco_lock", 2,
     [](CMessageRecord& r) {
         FillError(r, 4097, {250});
     }},
    {"error_unlisted_code", 2,
     [](CMessageRecord& r) {
         FillError(r, 77, {1, 0xDEADBEEF, 3, 4, 5, 6, 7, 8});
     }},
    {"error_signed_words", 2,
     [](CMessageRecord& r) {
         FillError(r, 4100, {1234567, 5, 0xFFFFFF9C});
     }},
    {"error_missing_words", 2,
     [](CMessageRecord& r) {
         FillError(r, 13, {0xFFFFFFFB});
     }},
    {"error_eighteen_words", 2,
     [](CMessageRecord& r) {
         FillError(r, 4103, {});
         r.error.count = 18;
         for (uint32_t i = 0; i < 18; ++i) {
             r.error.words[i] = i % 2 == 0 ? i + 1 : 0u - (i + 1);
         }
     }},
    {"error_hex_word", 2,
     [](CMessageRecord& r) {
         FillError(r, 8195, {0xFFFF0000});
     }},
    {"ack", 2,
     [](CMessageRecord& r) {
         r.SetType(11);
         r.ack = {11, 128};
     }},
    {"nak_unnamed_mid", 2,
     [](CMessageRecord& r) {
         r.SetType(12);
         r.nak = {12, 200};
     }},
    {"visible_list", 2,
     [](CMessageRecord& r) {
         r.SetType(13);
         r.visibleList.count = 2;
         r.visibleList.entries[0] = {5, 123, 45};
         r.visibleList.entries[1] = {31, -5, -2};
     }},
    {"almanac_signed_words", 2,
     [](CMessageRecord& r) {
         r.SetType(14);
         r.almanac.svId = 7;
         r.almanac.words[0] = 0xFFFF;
         r.almanac.words[1] = 1234;
         r.almanac.words[2] = 0x8000;
         r.almanac.words[13] = 32767;
     }},
    {"ephemeris_unsigned_words", 2,
     [](CMessageRecord& r) {
         r.SetType(15);
         r.ephemeris.svId = 12;
         for (uint16_t i = 0; i < 45; ++i) {
             r.ephemeris.words[i] = static_cast<uint16_t>(i == 0 ? 0xFFFF : i * 1000);
         }
     }},
    {"development_data", 2,
     [](CMessageRecord& r) {
         r.SetType(17);
         r.developmentData.mid = 17;
         std::memcpy(r.developmentData.hex, "0A1B2CFF", 8);
     }},
    {"ok_to_send", 2,
     [](CMessageRecord& r) {
         r.SetType(18);
         r.okToSend = {18, 1};
     }},
    {"mgr_params_generation1", 1,
     [](CMessageRecord& r) {
         r.SetType(19);
         r.mgrParams1 = {19, 7, 1, 2, -150, 4, 30, 15, 1, 3, 3, 30, 75, 28, 500, 15, 0, 3, 50, 200};
         FillLaterMgrParams(r);  // not the block of generation 1
         r.SetType(19);
     }},
    {"mgr_params_lullcycle", 2, FillLaterMgrParams},
    {"mgr_params_wake_to_sync", 3,
     [](CMessageRecord& r) {
         r.SetType(19);
         r.mgrParams.periodicWakeUp = 1;
         r.mgrParams.dutyCycled = 1;
         r.mgrParams.lpOnTime = 200;
         r.mgrParams.lpCyclePeriod = 1000;
         r.mgrParams.dgpsSource = 9;
     }},
    {"mgr_params_lullcycle_no_period", 2,
     [](CMessageRecord& r) {
         r.SetType(19);
         r.mgrParams.dutyCycled = 1;
         r.mgrParams.lpOnTime = 200;
     }},
    {"mgr_params_continuous_unknown_generation", -1,
     [](CMessageRecord& r) {
         r.SetType(19);
         MgrParamsBlock& p = r.mgrParams;
         p.altMode = p.altSource = p.degradedTimeout = p.drTimeout = 1;
         p.trkSmoothMode = p.staticNav = p.threeSvLsq = 1;
         p.altitude = -1;
         p.degradedMode = 2;
         p.dopMaskMode = 4;
         p.elevMask = 900;
         p.pwrMask = 20;
         p.dgpsSource = 4;
         p.dgpsMode = 2;
         p.dgpsTimeout = 99;
         p.lpOnTime = 500;  // shown only when duty-cycled
         p.maxAcqTime = 4294967295u;
         p.maxOffTime = 1;
         r.mgrParams1.dopMaskMode = 3;  // not the block of this generation
     }},
    {"tracker_summary", 2,
     [](CMessageRecord& r) {
         r.SetType(23);
         r.tracker.mid = 23;
         r.tracker.channelCount = 3;
         SetChannel(r.tracker.channels[0], 5, 3, 91, 0xBF, 40);
         SetChannel(r.tracker.channels[1], 12, 100, 60, 1, 0);
         SetChannel(r.tracker.channels[2], 32, 255, 180, 0xABCD, 255);
         SetChannel(r.tracker.channels[3], 9, 9, 9, 9, 9);  // beyond the count
     }},
    {"tracker_summary_empty", 2,
     [](CMessageRecord& r) {
         r.SetType(23);
         r.tracker.mid = 23;
         SetChannel(r.tracker.channels[0], 9, 9, 9, 9, 9);
     }},
    {"mid28", 2,
     [](CMessageRecord& r) {
         r.SetType(28);
         Put(r.mid28, 0, uint8_t{28});
         Put(r.mid28, 1, uint8_t{7});
         Put(r.mid28, 2, uint32_t{4000000000u});
         Put(r.mid28, 6, uint8_t{23});
         Put(r.mid28, 7, 21345678.123456789);
         Put(r.mid28, 15, -1.5e-3);
         Put(r.mid28, 23, 0.1f);
         Put(r.mid28, 27, 1e20);
         Put(r.mid28, 35, uint16_t{65535});
         Put(r.mid28, 37, uint8_t{3});
         for (uint8_t i = 0; i < 10; ++i) {
             Put(r.mid28, 38 + i, static_cast<uint8_t>(40 + i));
         }
         Put(r.mid28, 48, uint16_t{1000});
         Put(r.mid28, 50, uint16_t{2});
         Put(r.mid28, 52, int16_t{-5});
         Put(r.mid28, 54, uint8_t{1});
         Put(r.mid28, 55, uint8_t{255});
     }},
    {"mid29", 2,
     [](CMessageRecord& r) {
         r.SetType(29);
         Put(r.mid29, 0, uint8_t{29});
         Put(r.mid29, 1, int16_t{-1});
         Put(r.mid29, 3, int16_t{300});
         Put(r.mid29, 5, uint8_t{9});
         const float floats[] = {1.5f, -2.25e-6f, 3.4028235e38f, 0.0f, -0.0f};
         std::memcpy(r.mid29.bytes + 6, floats, sizeof floats);
     }},
    {"mid30", 2,
     [](CMessageRecord& r) {
         r.SetType(30);
         Put(r.mid30, 0, uint8_t{30});
         Put(r.mid30, 1, uint8_t{4});
         const double doubles[] = {123456789.123, -0.5, 1e-10, 2.0, 3.0, 4.0, 5.0, 6.5};
         std::memcpy(r.mid30.bytes + 2, doubles, sizeof doubles);
         Put(r.mid30, 66, 7.25f);
         Put(r.mid30, 70, uint8_t{200});
         const float floats[] = {-1.0f, 1e10f, 0.3f};
         std::memcpy(r.mid30.bytes + 71, floats, sizeof floats);
     }},
    {"mid31", 2,
     [](CMessageRecord& r) {
         r.SetType(31);
         // Every integer field holds its offset (times 100 for u16), so a shifted field shows.
         for (const size_t offset : {0, 1, 2, 3, 8, 15, 16, 23, 30, 33, 36, 63, 74, 83}) {
             Put(r.mid31, offset, static_cast<uint8_t>(offset));
         }
         Put(r.mid31, 0, uint8_t{31});
         for (const size_t offset : {9, 11, 13, 17, 19, 21, 24, 26, 28, 31, 34, 37}) {
             Put(r.mid31, offset, static_cast<uint16_t>(offset * 100));
         }
         Put(r.mid31, 72, uint16_t{65535});
         Put(r.mid31, 4, 1.25f);
         Put(r.mid31, 39, 39.5);
         Put(r.mid31, 47, -47.25);
         Put(r.mid31, 55, 5.5e5);
         Put(r.mid31, 64, 64.125);
         Put(r.mid31, 75, -75e-5);
     }},
    {"text_line_ends_become_blanks", 2,
     [](CMessageRecord& r) {
         r.SetType(255);
         r.SetText("$GPGGA,123519,4807.038,N*47\r\n");
     }},
    {"text_stops_at_nul", 2,
     [](CMessageRecord& r) {
         r.SetType(255);
         r.SetText(std::string_view("ab\0cd", 5));
     }},
    {"text_empty", 2,
     [](CMessageRecord& r) {
         r.SetType(255);
         r.SetText("");
     }},
};

std::map<std::string, std::string> ReadExpectedTexts()
{
    std::ifstream file(KESTRION_TEST_DATA "/render/records.txt", std::ios::binary);
    std::map<std::string, std::string> texts;
    std::string line;
    std::string* current = nullptr;
    while (std::getline(file, line)) {
        if (line.starts_with("=== ")) {
            current = &texts[line.substr(4)];
        } else if (current != nullptr) {
            *current += line + "\n";
        }
    }
    for (auto& [name, text] : texts) {
        if (!text.empty()) {
            text.pop_back();
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
        c.fill(record);
        ASSERT_EQ(expected.count(c.name), 1u);
        EXPECT_TRUE(RenderRecord(record, c.generation, out));
        EXPECT_EQ(out, expected.at(c.name));
    }
}

TEST(RecordRenderer, TypesWithoutTextRenderNothing)
{
    std::string out;
    for (const int type : {0, 16, 20, 24, 26, 27, 32, 43, 128, 254}) {
        CMessageRecord record;
        record.SetType(static_cast<uint8_t>(type));
        out = "stale text";
        EXPECT_FALSE(RenderRecord(record, 2, out)) << "type " << type;
        EXPECT_TRUE(out.empty()) << "type " << type;
    }
}

TEST(RecordRenderer, FiftyBpsRecordOfSvZeroHasNoText)
{
    CMessageRecord record;
    record.SetType(8);
    record.fiftyBps = {8, 3, 0, {1, 2, 3}};
    std::string out = "earlier line";
    EXPECT_FALSE(RenderRecord(record, 2, out));
    EXPECT_TRUE(out.empty());
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
