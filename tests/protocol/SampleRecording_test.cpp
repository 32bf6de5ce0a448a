// Checks the committed sample recording against what a receiver at 38400 baud sends.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <map>
#include <numbers>
#include <set>
#include <string>
#include <vector>

#include "protocol/Layout.h"

namespace kestrion {
namespace {

struct Frame {
    size_t offset;
    std::vector<uint8_t> payload;
};

struct Recording {
    std::vector<uint8_t> bytes;
    std::vector<Frame> frames;
    std::vector<std::pair<size_t, std::string>> sentences;  // offset, "$" through "*hh"
    size_t unframedBytes = 0;
};

bool IsFrameAt(const std::vector<uint8_t>& d, size_t i, size_t& length)
{
    if (i + 8 > d.size() || d[i] != 0xA0 || d[i + 1] != 0xA2) {
        return false;
    }
    length = ReadU16(&d[i + 2]);
    if (length == 0 || i + 8 + length > d.size()) {
        return false;
    }
    uint16_t sum = 0;
    for (size_t k = 0; k < length; ++k) {
        sum = static_cast<uint16_t>(sum + d[i + 4 + k]);
    }
    return ReadU16(&d[i + 4 + length]) == sum && d[i + 6 + length] == 0xB0 &&
           d[i + 7 + length] == 0xB3;
}

// Splits the stream into good frames and sentences; anything else is counted as unframed.
Recording Load()
{
    Recording r;
    std::ifstream file(KESTRION_SAMPLES "/receiver-38400.bin", std::ios::binary);
    r.bytes.assign(std::istreambuf_iterator<char>(file), {});
    const auto& d = r.bytes;
    for (size_t i = 0, length = 0; i < d.size();) {
        if (IsFrameAt(d, i, length)) {
            r.frames.push_back({i, {d.begin() + i + 4, d.begin() + i + 4 + length}});
            i += length + 8;
            continue;
        }
        if (d[i] == '$') {
            size_t end = i + 1;
            while (end < d.size() && d[end] >= 0x20 && d[end] <= 0x7E) {
                ++end;
            }
            if (end + 1 < d.size() && d[end] == '\r' && d[end + 1] == '\n') {
                r.sentences.emplace_back(i, std::string(d.begin() + i, d.begin() + end));
                i = end + 2;
                continue;
            }
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
    ASSERT_FALSE(r.bytes.empty());
    EXPECT_LT(r.bytes.size(), 1u << 20);

    std::map<int, int> counts;
    for (const Frame& frame : r.frames) {
        ++counts[frame.payload[0]];
    }
    EXPECT_EQ(counts[2], 90);
    EXPECT_EQ(counts[4], 90);
    for (int mid : {6, 7, 9, 10, 13, 27, 255}) {
        EXPECT_GT(counts[mid], 0) << "MID " << mid;
    }
    // Version first; "2", any, "0" means software generation 2.
    ASSERT_EQ(r.frames[0].payload.size(), 21u);
    EXPECT_EQ(r.frames[0].payload[0], 6);
    EXPECT_EQ(r.frames[0].payload[1], '2');
    EXPECT_EQ(r.frames[0].payload[3], '0');
    EXPECT_EQ(r.frames[0].offset, 0u);

    // After it, a frame with a bad checksum (17 bytes) and a tracker frame cut to 4 + 141 bytes.
    EXPECT_EQ(r.unframedBytes, 17u + 145u);
}

TEST(SampleRecording, EverySecondFitsTheLineRate)
{
    const auto navs = FramesOf(2);
    ASSERT_GE(navs.size(), 2u);
    for (size_t i = 1; i < navs.size(); ++i) {
        EXPECT_LE(navs[i]->offset - navs[i - 1]->offset, 3840u) << "second " << i;
        const uint32_t tow = ReadU32(&navs[i]->payload[24]);
        EXPECT_EQ(tow, ReadU32(&navs[i - 1]->payload[24]) + 100) << "second " << i;
        EXPECT_EQ(ReadU16(&navs[i]->payload[22]), ReadU16(&navs[0]->payload[22]));
    }
}

TEST(SampleRecording, FixUsesExactlyTheLockedChannels)
{
    const auto navs = FramesOf(2);
    const auto trackers = FramesOf(4);
    ASSERT_EQ(navs.size(), trackers.size());
    for (size_t s = 0; s < navs.size(); ++s) {
        const auto& nav = navs[s]->payload;
        const auto& tracker = trackers[s]->payload;
        ASSERT_EQ(nav.size(), 41u);
        ASSERT_EQ(tracker.size(), 188u);
        EXPECT_EQ(ReadU32(&tracker[3]), ReadU32(&nav[24]));
        std::set<int> locked;
        for (size_t c = 0; c < 12; ++c) {
            const uint8_t* channel = &tracker[8 + 15 * c];
            if (ReadU16(channel + 3) == 0xBF) {
                locked.insert(channel[0]);
            }
        }
        const std::set<int> used(nav.begin() + 29, nav.begin() + 29 + nav[28]);
        EXPECT_EQ(used, locked) << "second " << s;
        EXPECT_GE(locked.size(), 8u);
        EXPECT_LE(locked.size(), 10u);
    }
}

TEST(SampleRecording, SatellitesDriftSlowly)
{
    const auto trackers = FramesOf(4);
    int moved = 0;
    for (size_t s = 1; s < trackers.size(); ++s) {
        for (size_t c = 0; c < 12; ++c) {
            const uint8_t* now = &trackers[s]->payload[8 + 15 * c];
            const uint8_t* before = &trackers[s - 1]->payload[8 + 15 * c];
            if (now[0] == 0 || now[0] != before[0]) {
                continue;
            }
            EXPECT_LE(std::abs(now[1] - before[1]), 1);
            EXPECT_LE(std::abs(now[2] - before[2]), 1);
            moved += now[1] != before[1] || now[2] != before[2];
        }
    }
    EXPECT_GT(moved, 5);
}

// ECEF to latitude and longitude (degrees) and ellipsoidal height on WGS-84.
void ToGeodetic(double x, double y, double z, double& lat, double& lon, double& height)
{
    const double a = 6378137.0;
    const double e2 = 0.0066943799901413165;
    const double p = std::hypot(x, y);
    double phi = std::atan2(z, p * (1.0 - e2));
    for (int i = 0; i < 8; ++i) {
        const double n = a / std::sqrt(1.0 - e2 * std::sin(phi) * std::sin(phi));
        height = p / std::cos(phi) - n;
        phi = std::atan2(z, p * (1.0 - e2 * n / (n + height)));
    }
    lat = phi * 180.0 / std::numbers::pi;
    lon = std::atan2(y, x) * 180.0 / std::numbers::pi;
}

double NmeaDegrees(const std::string& field)
{
    const double value = std::stod(field);
    const double degrees = std::floor(value / 100.0);
    return degrees + (value - degrees * 100.0) / 60.0;
}

TEST(SampleRecording, NmeaSentencesCarryChecksumsAndTheBinaryPosition)
{
    const Recording& r = Sample();
    int ggaCount = 0;
    for (const auto& [offset, sentence] : r.sentences) {
        const size_t star = sentence.find('*');
        ASSERT_EQ(star + 3, sentence.size()) << sentence;
        uint8_t checksum = 0;
        for (size_t i = 1; i < star; ++i) {
            checksum ^= static_cast<uint8_t>(sentence[i]);
        }
        EXPECT_EQ(std::stoi(sentence.substr(star + 1), nullptr, 16), checksum) << sentence;
        if (!sentence.starts_with("$GPGGA")) {
            continue;
        }
        ++ggaCount;
        // The navigation frame of the same second precedes the sentence.
        const Frame* nav = nullptr;
        for (const Frame* frame : FramesOf(2)) {
            if (frame->offset < offset) {
                nav = frame;
            }
        }
        ASSERT_NE(nav, nullptr);
        double lat = 0, lon = 0, height = 0;
        ToGeodetic(ReadI32(&nav->payload[1]), ReadI32(&nav->payload[5]), ReadI32(&nav->payload[9]),
                   lat, lon, height);
        std::vector<std::string> fields;
        for (size_t start = 0, comma = 0; comma != std::string::npos; start = comma + 1) {
            comma = sentence.find(',', start);
            fields.push_back(sentence.substr(start, comma - start));
        }
        EXPECT_NEAR(NmeaDegrees(fields[2]), lat, 1.5 / 111000.0);
        EXPECT_NEAR(NmeaDegrees(fields[4]), lon, 1.5 / 74000.0);
        EXPECT_NEAR(std::stod(fields[9]) + std::stod(fields[11]), height, 1.5);
    }
    EXPECT_GE(ggaCount, 3);
}

}  // namespace
}  // namespace kestrion
