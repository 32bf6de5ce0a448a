#include "synth/GnssSky.h"

#include <cmath>
#include <span>

#include "synth/Sky.h"

namespace kestrion {
namespace {

struct Orbit {
    int number;
    double azimuth;    // degrees at the canonical start
    double azRate;     // degrees per second
    double elevation;  // degrees at the canonical start
    double elRate;     // degrees per second
    int cnoBias;
};

constexpr Orbit kGlonass[] = {
    {65, 30.0, 0.004, 48.0, 0.005, 0},   {66, 95.0, -0.003, 22.0, 0.007, -1}, {72, 150.0, 0.005, 63.0, -0.004, 1},
    {73, 215.0, -0.004, 15.0, 0.009, -2}, {79, 280.0, 0.003, 36.0, -0.006, 0}, {80, 340.0, -0.005, 5.0, 0.010, -3},
    {88, 120.0, 0.004, -6.0, 0.008, -1},
};
constexpr Orbit kGalileo[] = {
    {2, 60.0, -0.003, 55.0, -0.005, 1},  {7, 125.0, 0.004, 28.0, 0.008, 0},   {11, 190.0, -0.004, 74.0, -0.003, 2},
    {19, 245.0, 0.003, 19.0, -0.009, -1}, {26, 310.0, -0.005, 40.0, 0.006, 0}, {30, 15.0, 0.005, 9.0, 0.011, -2},
    {36, 170.0, -0.003, -3.0, 0.007, -2},
};
constexpr Orbit kBeidou[] = {
    {1, 140.0, 0.001, 42.0, 0.001, 1},    {6, 200.0, -0.002, 58.0, -0.004, 2}, {14, 75.0, 0.004, 25.0, 0.007, 0},
    {21, 290.0, -0.004, 33.0, -0.006, -1}, {27, 350.0, 0.003, 13.0, 0.009, -2}, {33, 20.0, -0.005, 67.0, -0.005, 1},
    {37, 255.0, 0.004, -8.0, 0.010, -3},
};

constexpr double kFixElevation = 10.0;

std::span<const Orbit> OrbitsOf(SkySystem system)
{
    switch (system) {
    case SkySystem::Glonass: return kGlonass;
    case SkySystem::Galileo: return kGalileo;
    case SkySystem::Beidou: return kBeidou;
    case SkySystem::Gps: break;
    }
    return {};
}

}  // namespace

std::optional<SkySystem> SkySystemFromName(std::string_view name)
{
    if (name == "gps") {
        return SkySystem::Gps;
    }
    if (name == "glonass") {
        return SkySystem::Glonass;
    }
    if (name == "galileo") {
        return SkySystem::Galileo;
    }
    if (name == "beidou") {
        return SkySystem::Beidou;
    }
    return std::nullopt;
}

const char* GnssTalker(SkySystem system)
{
    constexpr const char* kTalkers[kSkySystemCount] = {"GP", "GL", "GA", "GB"};
    return kTalkers[static_cast<int>(system)];
}

int SkySystemId(SkySystem system)
{
    return static_cast<int>(system) + 1;
}

char GnssSignalId(SkySystem system)
{
    return system == SkySystem::Galileo ? '7' : '1';
}

std::vector<GnssSatellite> OtherSystemSky(SkySystem system, double seconds)
{
    std::vector<GnssSatellite> satellites;
    for (const Orbit& orbit : OrbitsOf(system)) {
        const double elevation = Fold(orbit.elevation + orbit.elRate * seconds, -20.0, 85.0);
        if (elevation < 0.0) {
            continue;
        }
        double azimuth = std::fmod(orbit.azimuth + orbit.azRate * seconds, 360.0);
        if (azimuth < 0.0) {
            azimuth += 360.0;
        }
        const bool tracked = elevation >= kFixElevation;
        const int cno = tracked ? 30 + static_cast<int>(elevation / 5.0) + orbit.cnoBias : 0;
        satellites.push_back({system, orbit.number, azimuth, elevation, cno, tracked});
    }
    return satellites;
}

std::vector<GnssSatellite> GpsSatellites(const ReceiverSecond& second)
{
    std::vector<GnssSatellite> satellites;
    for (const ChannelReport& channel : second.channels) {
        if (channel.prn == 0) {
            continue;
        }
        int cnoSum = 0;
        for (const uint8_t cno : channel.cno) {
            cnoSum += cno;
        }
        satellites.push_back({SkySystem::Gps, channel.prn, channel.azimuth, channel.elevation, cnoSum / 10,
                              channel.inFix});
    }
    return satellites;
}

}  // namespace kestrion
