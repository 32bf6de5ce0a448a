#include "synth/Sky.h"

#include <cmath>

namespace kestrion {
namespace {

struct Orbit {
    uint8_t prn;
    double azimuth;    // degrees at the canonical start
    double azRate;     // degrees per second
    double elevation;  // degrees at the canonical start
    double elRate;     // degrees per second
    int cnoBias;
};

// At the canonical start nine satellites are above 8 degrees; SV 29 rises through 8 degrees
// after about 50 s and SV 22 sets below it after about 70 s.
constexpr Orbit kOrbits[kSkyChannels] = {
    {3, 45.0, 0.004, 62.0, 0.006, 1},    {6, 110.0, -0.003, 35.0, 0.008, 0},
    {9, 160.0, 0.005, 18.0, -0.007, -1}, {14, 205.0, 0.002, 71.0, -0.004, 2},
    {16, 250.0, -0.004, 41.0, 0.009, 0}, {18, 300.0, 0.003, 27.0, -0.008, -2},
    {21, 20.0, -0.005, 12.0, 0.010, -1}, {22, 80.0, 0.004, 8.7, -0.010, -2},
    {25, 135.0, 0.003, 52.0, -0.006, 1}, {29, 330.0, -0.004, 7.4, 0.012, -3},
    {30, 230.0, 0.005, 3.0, 0.007, -2},  {31, 185.0, -0.003, -4.0, -0.005, 0},
};

}  // namespace

std::array<SkySatellite, kSkyChannels> CSky::At(double seconds) const
{
    const double t = m_start + seconds;
    std::array<SkySatellite, kSkyChannels> views{};
    for (int i = 0; i < kSkyChannels; ++i) {
        const Orbit& orbit = kOrbits[i];
        double azimuth = std::fmod(orbit.azimuth + orbit.azRate * t, 360.0);
        if (azimuth < 0.0) {
            azimuth += 360.0;
        }
        views[i] = {orbit.prn, azimuth, Fold(orbit.elevation + orbit.elRate * t, -20.0, 85.0),
                    orbit.cnoBias};
    }
    return views;
}

double Fold(double value, double low, double high)
{
    const double span = high - low;
    double phase = std::fmod(value - low, 2.0 * span);
    if (phase < 0.0) {
        phase += 2.0 * span;
    }
    return phase <= span ? low + phase : high - (phase - span);
}

}  // namespace kestrion
