#pragma once
// How a simulated receiver starts.
#include <cstdint>
#include <vector>

#include "synth/GnssSky.h"

namespace kestrion {

enum class SimProtocol { Binary, Nmea };

struct SimConfig {
    int generation = 3;  // receiver software generation, 1..3
    int baud = 38400;
    SimProtocol protocol = SimProtocol::Binary;
    // With busy set, every busyEvery seconds the receiver holds commands for busyFor seconds.
    bool busy = false;
    int busyEvery = 15;
    int busyFor = 2;
    // The internal DGPS beacon receiver: status and corrections each second once locked.
    bool dgps = true;
    // The systems an NMEA receiver reports in NMEA 4.11; empty for the GPS-only sentences.
    std::vector<SkySystem> gnss;
    uint64_t seed = 1;  // noise of positions, signals and garbage
};

}  // namespace kestrion
