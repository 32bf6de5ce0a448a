#pragma once
// Receive streams with the receiver's times in them: navigation and tracker frames, NMEA
// sentences, and a time index written beside a recording.
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "support/ProtocolFakes.h"
#include "protocol/NmeaChecksum.h"
#include "transport/TimeIndex.h"

namespace kestrion::fakes {

inline void PutBigEndian(Bytes& payload, size_t at, uint32_t value, int count)
{
    for (int i = 0; i < count; ++i) {
        payload[at + static_cast<size_t>(i)] = static_cast<uint8_t>(value >> (8 * (count - 1 - i)));
    }
}

// A frame of `size` payload bytes with the GPS week at `weekAt` and the time of week in
// hundredths after it.
inline Bytes TimedFrame(uint8_t mid, size_t size, size_t weekAt, uint16_t week, uint32_t tow)
{
    Bytes payload(size, 0);
    payload[0] = mid;
    PutBigEndian(payload, weekAt, week, 2);
    PutBigEndian(payload, weekAt + 2, tow, 4);
    return BuildCommandFrame(payload);
}

// A MID 2 frame (41 bytes of payload), and a MID 4 frame without channels.
inline Bytes NavFrame(uint16_t week, uint32_t tow) { return TimedFrame(2, 41, 22, week, tow); }
inline Bytes TrackerFrame(uint16_t week, uint32_t tow) { return TimedFrame(4, 8, 1, week, tow); }

// "$body*hh" and CR LF.
inline std::string Sentence(std::string_view body)
{
    char checksum[8];
    std::snprintf(checksum, sizeof checksum, "*%02X\r\n", NmeaChecksum(body));
    return "$" + std::string(body) + checksum;
}

inline std::string Text(const Bytes& bytes) { return {bytes.begin(), bytes.end()}; }

// Navigation frames from TOW 10000, `step` hundredths apart, `count` of them.
inline std::string NavSeconds(int count, uint32_t step = 100)
{
    std::string stream;
    for (int i = 0; i < count; ++i) {
        stream += Text(NavFrame(1000, 10000 + static_cast<uint32_t>(i) * step));
    }
    return stream;
}

// A time index file of the given entries.
inline std::string TimeIndexFile(const std::vector<TimeIndexEntry>& entries)
{
    std::string file = TimeIndexHeader(0);
    for (const TimeIndexEntry& entry : entries) {
        AppendTimeIndexEntry(file, entry);
    }
    return file;
}

}  // namespace kestrion::fakes
