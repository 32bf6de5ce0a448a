#pragma once
// What the simulated receiver knows in one second: time, position fix and its channels.
#include <array>
#include <cstdint>

#include "geo/Geodesy.h"
#include "synth/Sky.h"

namespace kestrion {

inline constexpr uint16_t kStateTracked = 0xBF;   // code, carrier, bit and frame locked
inline constexpr uint16_t kStateAcquired = 0x07;  // locked, not yet used in the fix

struct ChannelReport {
    uint8_t prn = 0;  // 0: no satellite assigned
    double azimuth = 0.0;
    double elevation = 0.0;
    uint16_t state = 0;
    std::array<uint8_t, 10> cno{};  // one per 100 ms, 0 while not tracking
    bool inFix = false;
};

struct ReceiverSecond {
    uint16_t week = 0;
    uint32_t tow = 0;  // 1/100 s
    GeodeticPoint position{};
    double velocityEast = 0.0, velocityNorth = 0.0, velocityUp = 0.0;  // m/s
    std::array<ChannelReport, kSkyChannels> channels{};
    bool dgps = false;  // differential corrections applied
    double pdop = 0.0, hdop = 0.0, vdop = 0.0;

    int FixCount() const
    {
        int count = 0;
        for (const ChannelReport& channel : channels) {
            count += channel.inFix ? 1 : 0;
        }
        return count;
    }
};

}  // namespace kestrion
