#pragma once
// Satellite identity as RINEX 3 writes it: the system and the number within the system, and the
// NMEA numbering schemes that map onto it.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kestrion {

enum class GnssSystem : uint8_t { Gps, Glonass, Galileo, BeiDou, Qzss, Sbas, Navic };

// 'G', 'R', 'E', 'C', 'J', 'S', 'I'.
char SystemLetter(GnssSystem system);

struct SatelliteId {
    GnssSystem system = GnssSystem::Gps;
    uint16_t number = 0;  // within the system; for SBAS the PRN (120..158)

    bool operator==(const SatelliteId&) const = default;
    auto operator<=>(const SatelliteId&) const = default;
};

// "G05", "R12", "E11", "C37", "J02", "S123", "I03".
std::string RinexName(SatelliteId id);

// The label a picture writes beside a satellite: GPS keeps its bare number ("%2d") and SBAS its
// PRN, as the binary protocol has always shown them; other systems the letter and two digits.
std::string SatelliteLabel(SatelliteId id);

// The satellite of a binary-protocol SV ID: 1..99 GPS, 100 and above SBAS by PRN; 0 is none.
std::optional<SatelliteId> BinarySatellite(unsigned svId);

// The NMEA talker of a sentence ("GP", "GL", "GA", "GB", "BD", "GQ", "QZ", "GI", "GN"...), as
// the system it reports, or none for GN and talkers of no one system.
std::optional<GnssSystem> TalkerSystem(std::string_view talker);

// The system of an NMEA 4.1x GSA system ID (1 GPS, 2 GLONASS, 3 Galileo, 4 BeiDou, 5 QZSS,
// 6 NavIC); none for other values.
std::optional<GnssSystem> NmeaSystemId(int systemId);

// The satellite an NMEA satellite number stands for. With a system (from the talker or a GSA
// system ID) the number is read within it, legacy offsets accepted (GLONASS 65..96, BeiDou
// 201..263, QZSS 193..202, Galileo 301..336; GPS 33..64 are SBAS); without one the shared
// numbering applies (1..32 GPS, 33..64 SBAS with PRN = number + 87, 65..96 GLONASS, 193..202 QZSS,
// 201..263 BeiDou, 301..336 Galileo). None for numbers outside every range.
std::optional<SatelliteId> NmeaSatellite(std::optional<GnssSystem> system, int number);

}  // namespace kestrion
