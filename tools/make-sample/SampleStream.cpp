#include "SampleStream.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "protocol/CommandFrame.h"
#include "protocol/TextFormatter.h"
#include "synth/ChannelTracker.h"
#include "geo/GpsTime.h"
#include "synth/NmeaSentences.h"
#include "synth/ReceiverMessages.h"
#include "synth/SampleRandom.h"

namespace kestrion {
namespace {

constexpr GeodeticPoint kMunich{48.137430, 11.575490, 567.0};
constexpr GpsTime kStartTime{1250, 22722000};    // Tuesday 15:07:00 GPS time
constexpr char kVersion[] = "2.0.3-KX2.01.016";  // generation 2: "2", any, "0"
constexpr TrackingRules kTracking{.trackElevation = 8.0,
                                  .lockSeconds = 4,
                                  .cnoHorizon = 31.0,
                                  .cnoZenith = 17.0,
                                  .cnoSwing = 1.2,
                                  .cnoNoise = 0.7,
                                  .acquisitionCno = true};
constexpr int kDgpsLockSecond = 12;
constexpr int kNmeaFirst = 40, kNmeaLast = 44;  // seconds of the cycle with NMEA output

class CSampleGenerator {
public:
    CSampleGenerator(uint32_t seed, uint32_t vary)
        : m_random(uint64_t{seed} << 32 | vary),
          m_sky(vary * 997.0),
          m_tracker(kTracking),
          m_base(OffsetLocal(kMunich, (vary % 13) * 47.0, (vary % 17) * 61.0, (vary % 5) * 3.0)),
          m_start{kStartTime.week, kStartTime.towHundredths + (vary % 48) * 360000u}
    {
        for (int16_t& correction : m_dgps.corrections) {
            correction = static_cast<int16_t>(m_random.Between(-450, 450));
        }
    }

    std::vector<uint8_t> NextSecond()
    {
        m_out.clear();
        const ReceiverSecond second = Observe();
        const int phase = m_second % kSampleCycle;

        if (m_second == 0) {
            AddFrame(VersionPayload(kVersion));
            AddFrame(TextPayload("Warm start: RTC valid, almanac of 31 SVs"));
            const uint32_t words[] = {second.tow / 100, second.week};
            AddFrame(ErrorPayload(4105, words));
        }
        if (m_second == 2) {
            AddTruncatedTracker(second);
        }
        AddFrame(NavigationPayload(second));
        AddFrame(TrackerPayload(second));
        if (m_second == 1) {
            AddBadChecksum(ThroughputPayload(Throughput()));
        } else {
            AddFrame(ThroughputPayload(Throughput()));
        }
        if (phase % 5 == 4) {
            AddFrame(ClockStatusPayload(second, m_clock));
        }
        if (phase % 15 == 1) {
            AddFrame(VisibleListPayload(second));
        }
        if (phase % 5 == 2) {
            AddFrame(DgpsStatusPayload(second, m_dgps));
        }
        AddErrors(second, phase);
        AddTexts(second);
        if (phase >= kNmeaFirst && phase <= kNmeaLast) {
            for (const std::string& sentence : NmeaSentences(second)) {
                AddBytes(std::vector<uint8_t>(sentence.begin(), sentence.end()));
            }
        }
        ++m_second;
        return m_out;
    }

private:
    ReceiverSecond Observe()
    {
        ReceiverSecond second;
        const GpsTime now = GpsTimeAfter(m_start, m_second);
        second.week = now.week;
        second.tow = now.towHundredths;

        m_tracker.Track(m_second, m_sky.At(m_second), second.channels, m_random);

        const int fixCount = second.FixCount();
        second.dgps = m_second >= kDgpsLockSecond && fixCount >= 4;
        second.hdop = fixCount > 0 ? 0.55 + 4.0 / fixCount : 0.0;
        second.pdop = second.hdop * 1.7;
        second.vdop = second.hdop * 1.4;

        // The fix wanders around the true position, closer with corrections.
        const double sigma = second.dgps ? 0.25 : 0.6;
        m_east = 0.85 * m_east + m_random.Noise(sigma);
        m_north = 0.85 * m_north + m_random.Noise(sigma);
        m_up = 0.85 * m_up + m_random.Noise(1.5 * sigma);
        second.position = OffsetLocal(m_base, m_east, m_north, m_up);
        second.velocityEast = m_random.Noise(0.04);
        second.velocityNorth = m_random.Noise(0.04);
        second.velocityUp = m_random.Noise(0.06);

        // About 60 ppm fast: the bias grows by 59.7 us a second and is stepped back by 10 ms.
        m_clock.driftHz = static_cast<uint32_t>(
            std::clamp<int64_t>(int64_t{m_clock.driftHz} + m_random.Between(-3, 3), 93000, 96000));
        m_clock.biasNs += 59700 + static_cast<uint32_t>(m_random.Between(0, 200));
        if (m_clock.biasNs > 105000000) {
            m_clock.biasNs -= 10000000;
        }

        // The beacon is searched for (automatic frequency and bit rate) until it locks.
        const bool locked = m_second >= kDgpsLockSecond;
        m_dgps.status = locked ? 0x07 : 0x06;
        m_dgps.magnitude = 2400 + m_random.Between(-80, 80);
        m_dgps.strength = static_cast<int16_t>(locked ? 42 : 11);
        m_dgps.snr = static_cast<int16_t>(locked ? 18 + m_random.Between(-1, 1) : 2);
        for (int16_t& correction : m_dgps.corrections) {
            correction = static_cast<int16_t>(correction + m_random.Between(-3, 3));
        }
        return second;
    }

    ThroughputState Throughput()
    {
        return {static_cast<uint16_t>(m_random.Between(290, 360)),
                static_cast<uint16_t>(m_random.Between(38, 61)),
                static_cast<uint16_t>(m_random.Between(82, 101)),
                static_cast<uint16_t>(m_random.Between(118, 164))};
    }

    void AddErrors(const ReceiverSecond& second, int phase)
    {
        if (phase == 23) {
            const uint32_t words[] = {second.channels[3].prn, 3};  // bad parity, subframe 3
            AddFrame(ErrorPayload(2, words));
        } else if (phase == 61) {
            const uint32_t words[] = {250};  // VCO lock lost for 250 ms
            AddFrame(ErrorPayload(4097, words));
        } else if (phase == 77) {
            const uint32_t words[] = {second.tow / 100, 8, 187};  // channel 8 killed
            AddFrame(ErrorPayload(4100, words));
        }
    }

    void AddTexts(const ReceiverSecond& second)
    {
        for (const std::string& event : m_tracker.TakeEvents()) {
            AddFrame(TextPayload(event));
        }
        if (m_second == kDgpsLockSecond) {
            AddFrame(TextPayload(FormatText("DGPS: beacon %.1f kHz locked, %d bps",
                                            {m_dgps.frequencyHz / 1000.0, m_dgps.bitRate})));
        }
        if (!m_random.Chance(1.0 / 6.0)) {
            return;
        }
        const ChannelReport& channel = second.channels[m_random.Between(0, 8)];
        switch (m_random.Between(0, 4)) {
            case 0:
                AddFrame(
                    TextPayload(FormatText("Nav: %d SVs, HDOP %.1f, res %.1f m", {second.FixCount(),
                                           second.hdop, 0.4 + m_random.Unit() * 2.0})));
                break;
            case 1:
                AddFrame(TextPayload(
                    FormatText("Clock: drift %u Hz, bias %u ns", {m_clock.driftHz, m_clock.biasNs})));
                break;
            case 2:
                AddFrame(TextPayload(FormatText("Ephemeris SV%02d IODE %d collected", {channel.prn,
                                                m_random.Between(1, 255)})));
                break;
            case 3:  // a text of two lines
                AddFrame(TextPayload(
                    FormatText("Bit sync SV%02d\r\nFrame sync SV%02d", {channel.prn, channel.prn})));
                break;
            default:
                AddFrame(TextPayload(FormatText("TrkLoop ch %02d: Cno %d, state %02X",
                                                {m_random.Between(1, 12), channel.cno[0],
                                                 channel.state})));
                break;
        }
    }

    // Adds the bytes unless they would exceed the second's share of the line.
    void AddBytes(const std::vector<uint8_t>& bytes)
    {
        if (m_out.size() + bytes.size() <= kSampleBytesPerSecond) {
            m_out.insert(m_out.end(), bytes.begin(), bytes.end());
        }
    }

    void AddFrame(const Payload& payload) { AddBytes(BuildCommandFrame(payload)); }

    void AddBadChecksum(const Payload& payload)
    {
        std::vector<uint8_t> frame = BuildCommandFrame(payload);
        frame[frame.size() - 3] ^= 0x01;
        AddBytes(frame);
    }

    // A tracker frame cut short and followed by this second's navigation frame: a framer takes
    // the navigation frame as the rest of the tracker payload, its end bytes as the checksum,
    // and finds the next frame right after.
    void AddTruncatedTracker(const ReceiverSecond& second)
    {
        const std::vector<uint8_t> tracker = BuildCommandFrame(TrackerPayload(second));
        const size_t following = BuildCommandFrame(NavigationPayload(second)).size();
        const size_t length = tracker.size() - 8;
        const size_t kept = length + 2 - following;
        AddBytes(std::vector<uint8_t>(tracker.begin(), tracker.begin() + 4 + kept));
    }

    CSampleRandom m_random;
    CSky m_sky;
    CChannelTracker m_tracker;
    GeodeticPoint m_base;
    GpsTime m_start;
    int m_second = 0;
    double m_east = 0.0, m_north = 0.0, m_up = 0.0;
    ClockState m_clock{94130, 96250000};
    DgpsState m_dgps{313000, 200, 0x06, 0, 0, 0, {}};
    std::vector<uint8_t> m_out;
};

}  // namespace

std::vector<uint8_t> MakeSampleStream(int seconds, uint32_t seed, uint32_t vary)
{
    CSampleGenerator generator(seed, vary);
    std::vector<uint8_t> stream;
    for (int i = 0; i < seconds; ++i) {
        const std::vector<uint8_t> second = generator.NextSecond();
        stream.insert(stream.end(), second.begin(), second.end());
    }
    return stream;
}

std::vector<uint8_t> MakeSampleStream(int seconds, uint32_t seed)
{
    return MakeSampleStream(seconds, seed, 0);
}

}  // namespace kestrion
