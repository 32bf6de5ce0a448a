#pragma once
// The satellites of several GNSS above the sample position, as one multi-system NMEA receiver
// reports them: GPS from the receiver's channels, GLONASS, Galileo and BeiDou from skies of
// their own that turn and rise and set slowly like the GPS one.
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "synth/ReceiverState.h"

namespace kestrion {

// In the order NMEA 4.11 numbers the systems (system ID - 1).
enum class SkySystem : uint8_t { Gps, Glonass, Galileo, Beidou };
inline constexpr int kSkySystemCount = 4;

// "gps", "glonass", "galileo", "beidou", or nothing.
std::optional<SkySystem> SkySystemFromName(std::string_view name);
// The NMEA talker: "GP", "GL", "GA", "GB".
const char* GnssTalker(SkySystem system);
// The NMEA 4.11 system ID, 1..4.
int SkySystemId(SkySystem system);
// The GSV signal ID of the system's open L1-band signal: GPS L1 C/A 1, GLONASS L1 1, Galileo
// E1 7, BeiDou B1I 1.
char GnssSignalId(SkySystem system);

struct GnssSatellite {
    SkySystem system = SkySystem::Gps;
    int number = 0;  // as NMEA numbers it: GPS 1..32, GLONASS 65..88, Galileo 1..36, BeiDou 1..37
    double azimuth = 0.0;
    double elevation = 0.0;
    int cno = 0;  // dB-Hz, 0 while not tracked
    bool inFix = false;
};

// The GLONASS, Galileo or BeiDou satellites above the horizon `seconds` after the canonical
// start; those above 10 degrees are tracked and in the fix.
std::vector<GnssSatellite> OtherSystemSky(SkySystem system, double seconds);

// The receiver's GPS channels with a satellite assigned.
std::vector<GnssSatellite> GpsSatellites(const ReceiverSecond& second);

}  // namespace kestrion
