// Checks the committed sample recording against what a receiver at 38400 baud sends.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <numbers>
#include <set>
#include <string>
#include <vector>

#include "protocol/CommandFrame.h"
#include "protocol/Layout.h"

namespace kestrion {
namespace {

struct Frame {
    size_t offset;
    std::vector<uint8_t> payload;
};

struct Recording {
    std::vector<Frame> frames;
    std::vector<std::pair<size_t, std::string>> sentences;  // offset, "$" through "*hh"
    size_t unframedBytes = 0;
};

// Splits the stream into good frames and sentences; anything else is counted as unframed.
Recording Load()
{
    std::ifstream file(KESTRION_SAMPLES "/receiver-38400.bin", std::ios::binary);
    const std::vector<uint8_t> d{std::istreambuf_iterator<char>(file), {}};
    Recording r;
    for (size_t i = 0; i < d.size();) {
        const size_t length = i + 8 <= d.size() && d[i] == 0xA0 && d[i + 1] == 0xA2 ? ReadU16(&d[i + 2]) : 0;
        if (length > 0 && i + 8 + length <= d.size() && d[i + 6 + length] == 0xB0 && d[i + 7 + length] == 0xB3) {
            uint16_t sum = 0;
            for (size_t k = 0; k < length; ++k) {
                sum = static_cast<uint16_t>(sum + d[i + 4 + k]);
            }
            if (ReadU16(&d[i + 4 + length]) == sum) {
                r.frames.push_back({i, {d.begin() + i + 4, d.begin() + i + 4 + length}});
                i += length + 8;
                continue;
            }
        }
        size_t end = i + 1;
        while (d[i] == '$' && end < d.size() && d[end] >= 0x20 && d[end] <= 0x7E) {
            ++end;
        }
        if (d[i] == '$' && end + 1 < d.size() && d[end] == '\r' && d[end + 1] == '\n') {
            r.sentences.emplace_back(i, std::string(d.begin() + i, d.begin() + end));
            i = end + 2;
            continue;
        }
        ++r.unframedBytes;
        ++i;
    }
    return r;
}

const Recording& Sample()
{
    static const Recording recording = Load();
    return recording;
}

std::vector<const Frame*> FramesOf(uint8_t mid)
{
    std::vector<const Frame*> found;
    for (const Frame& frame : Sample().frames) {
        if (frame.payload[0] == mid) {
            found.push_back(&frame);
        }
    }
    return found;
}

TEST(SampleRecording, HoldsNinetySecondsOfMessagesAndTwoBrokenFrames)
{
    const Recording& r = Sample();
    ASSERT_FALSE(r.frames.empty());
    EXPECT_EQ(FramesOf(2).size(), 90u);
    EXPECT_EQ(FramesOf(4).size(), 90u);
    for (uint8_t mid : {6, 7, 9, 10, 13, 27, 255}) {
        EXPECT_FALSE(FramesOf(mid).empty()) << "MID " << int{mid};
    }
    // Version first; "2", any, "0" means software generation 2.
    EXPECT_EQ(r.frames[0].offset, 0u);
    EXPECT_EQ(std::string(r.frames[0].payload.begin(), r.frames[0].payload.begin() + 4), "\x06" "2.0");
    EXPECT_EQ(r.frames[0].payload.size(), 21u);
    // After it, a frame with a bad checksum (17 bytes) and a tracker frame cut to 4 + 141 bytes.
    EXPECT_EQ(r.unframedBytes, 17u + 145u);
}

TEST(SampleRecording, EverySecondFitsTheLineRateAndItsFixUsesExactlyTheLockedChannels)
{
    const auto navs = FramesOf(2);
    const auto trackers = FramesOf(4);
    ASSERT_EQ(navs.size(), trackers.size());
    int moved = 0;
    for (size_t s = 0; s < navs.size(); ++s) {
        SCOPED_TRACE(s);
        const auto& nav = navs[s]->payload;
        const auto& tracker = trackers[s]->payload;
        ASSERT_EQ(nav.size(), 41u);
        ASSERT_EQ(tracker.size(), 188u);
        EXPECT_EQ(ReadU32(&tracker[3]), ReadU32(&nav[24]));
        EXPECT_EQ(ReadU16(&nav[22]), ReadU16(&navs[0]->payload[22]));
        if (s > 0) {
            EXPECT_LE(navs[s]->offset - navs[s - 1]->offset, 3840u);
            EXPECT_EQ(ReadU32(&nav[24]), ReadU32(&navs[s - 1]->payload[24]) + 100);
        }
        std::set<int> locked;
        for (size_t c = 0; c < 12; ++c) {
            const uint8_t* now = &tracker[8 + 15 * c];
            if (ReadU16(now + 3) == 0xBF) {
                locked.insert(now[0]);
            }
            const uint8_t* before = s > 0 ? &trackers[s - 1]->payload[8 + 15 * c] : now;
            if (now[0] != 0 && now[0] == before[0]) {  // satellites drift slowly
                EXPECT_LE(std::abs(now[1] - before[1]), 1);
                EXPECT_LE(std::abs(now[2] - before[2]), 1);
                moved += now[1] != before[1] || now[2] != before[2];
            }
        }
        EXPECT_EQ(std::set<int>(nav.begin() + 29, nav.begin() + 29 + nav[28]), locked);
        EXPECT_GE(locked.size(), 8u);
        EXPECT_LE(locked.size(), 10u);
    }
    EXPECT_GT(moved, 5);
}

TEST(SampleRecording, NmeaSentencesCarryChecksumsAndTheBinaryPosition)
{
    int ggaCount = 0;
    for (const auto& [offset, sentence] : Sample().sentences) {
        const size_t star = sentence.find('*');
        ASSERT_EQ(star + 3, sentence.size()) << sentence;
        EXPECT_EQ(std::stoi(sentence.substr(star + 1), nullptr, 16), NmeaChecksum(sentence.substr(1, star - 1))) << sentence;
        if (!sentence.starts_with("$GPGGA")) {
            continue;
        }
        ++ggaCount;
        const Frame* nav = nullptr;  // the navigation frame of the same second precedes the sentence
        for (const Frame* frame : FramesOf(2)) {
            nav = frame->offset < offset ? frame : nav;
        }
        ASSERT_NE(nav, nullptr);
        // ECEF to latitude, longitude and ellipsoidal height on WGS-84.
        const double x = ReadI32(&nav->payload[1]), y = ReadI32(&nav->payload[5]), z = ReadI32(&nav->payload[9]);
        const double a = 6378137.0, e2 = 0.0066943799901413165, p = std::hypot(x, y);
        double phi = std::atan2(z, p * (1.0 - e2)), height = 0;
        for (int i = 0; i < 8; ++i) {
            const double n = a / std::sqrt(1.0 - e2 * std::sin(phi) * std::sin(phi));
            height = p / std::cos(phi) - n;
            phi = std::atan2(z, p * (1.0 - e2 * n / (n + height)));
        }
        std::vector<std::string> fields;
        for (size_t start = 0, comma = 0; comma != std::string::npos; start = comma + 1) {
            comma = sentence.find(',', start);
            fields.push_back(sentence.substr(start, comma - start));
        }
        const auto degrees = [](const std::string& field) {  // dddmm.mmmm
            const double value = std::stod(field);
            return std::floor(value / 100.0) + std::fmod(value, 100.0) / 60.0;
        };
        EXPECT_NEAR(degrees(fields[2]), phi * 180.0 / std::numbers::pi, 1.5 / 111000.0);
        EXPECT_NEAR(degrees(fields[4]), std::atan2(y, x) * 180.0 / std::numbers::pi, 1.5 / 74000.0);
        EXPECT_NEAR(std::stod(fields[9]) + std::stod(fields[11]), height, 1.5);
    }
    EXPECT_GE(ggaCount, 3);
}

}  // namespace
}  // namespace kestrion
