#pragma once
// The satellites above the sample position: one per receiver channel, each with an azimuth
// that turns and an elevation that rises and sets slowly.
#include <array>
#include <cstdint>

namespace kestrion {

inline constexpr int kSkyChannels = 12;

struct SkySatellite {
    uint8_t prn;
    double azimuth;    // degrees, 0..360
    double elevation;  // degrees, below 0 when under the horizon
    int cnoBias;       // dB-Hz, the satellite's own offset
};

class CSky {
public:
    // The sky `startSeconds` after the canonical start.
    explicit CSky(double startSeconds) : m_start(startSeconds) {}

    // The satellites of the channels `seconds` after the start.
    std::array<SkySatellite, kSkyChannels> At(double seconds) const;

private:
    double m_start;
};

// Folds a value into [low, high] like a path that turns at both ends: elevations that rise,
// turn and set.
double Fold(double value, double low, double high);

}  // namespace kestrion
