#include "epoch/SatelliteId.h"

#include <cstdio>
#include <iterator>

namespace kestrion {
namespace {


bool In(int number, int first, int last)
{
    return number >= first && number <= last;
}

constexpr int kSbasFromNmea = 87;  // NMEA 33..64 are PRN 120..151

}  // namespace

char SystemLetter(GnssSystem system)
{
    switch (system) {
    case GnssSystem::Gps: return 'G';
    case GnssSystem::Glonass: return 'R';
    case GnssSystem::Galileo: return 'E';
    case GnssSystem::BeiDou: return 'C';
    case GnssSystem::Qzss: return 'J';
    case GnssSystem::Sbas: return 'S';
    case GnssSystem::Navic: return 'I';
    }
    return '?';
}

std::string RinexName(SatelliteId id)
{
    char text[16];
    std::snprintf(text, sizeof text, "%c%02u", SystemLetter(id.system), static_cast<unsigned>(id.number));
    return text;
}

std::string SatelliteLabel(SatelliteId id)
{
    char text[16];
    if (id.system == GnssSystem::Gps || id.system == GnssSystem::Sbas) {
        std::snprintf(text, sizeof text, "%2u", static_cast<unsigned>(id.number));
        return text;
    }
    return RinexName(id);
}

std::optional<SatelliteId> BinarySatellite(unsigned svId)
{
    if (svId == 0 || svId > 0xFFFF) {
        return std::nullopt;
    }
    if (svId >= 100) {
        return SatelliteId{GnssSystem::Sbas, static_cast<uint16_t>(svId)};
    }
    return SatelliteId{GnssSystem::Gps, static_cast<uint16_t>(svId)};
}

std::optional<GnssSystem> TalkerSystem(std::string_view talker)
{
    if (talker == "GP") return GnssSystem::Gps;
    if (talker == "GL") return GnssSystem::Glonass;
    if (talker == "GA") return GnssSystem::Galileo;
    if (talker == "GB" || talker == "BD") return GnssSystem::BeiDou;
    if (talker == "GQ" || talker == "QZ") return GnssSystem::Qzss;
    if (talker == "GI") return GnssSystem::Navic;
    return std::nullopt;
}

std::optional<GnssSystem> NmeaSystemId(int systemId)
{
    // NMEA 4.11 system IDs from 1.
    constexpr GnssSystem kSystems[] = {GnssSystem::Gps,    GnssSystem::Glonass, GnssSystem::Galileo,
                                       GnssSystem::BeiDou, GnssSystem::Qzss,    GnssSystem::Navic};
    if (systemId < 1 || systemId > static_cast<int>(std::size(kSystems))) {
        return std::nullopt;
    }
    return kSystems[systemId - 1];
}

std::optional<SatelliteId> NmeaSatellite(std::optional<GnssSystem> system, int number)
{
    const auto id = [](GnssSystem s, int n) { return SatelliteId{s, static_cast<uint16_t>(n)}; };
    if (!system) {
        if (In(number, 1, 32)) return id(GnssSystem::Gps, number);
        if (In(number, 33, 64)) return id(GnssSystem::Sbas, number + kSbasFromNmea);
        if (In(number, 65, 96)) return id(GnssSystem::Glonass, number - 64);
        if (In(number, 193, 202)) return id(GnssSystem::Qzss, number - 192);
        if (In(number, 201, 263)) return id(GnssSystem::BeiDou, number - 200);
        if (In(number, 301, 336)) return id(GnssSystem::Galileo, number - 300);
        return std::nullopt;
    }
    switch (*system) {
    case GnssSystem::Gps:
    case GnssSystem::Sbas:
        return NmeaSatellite(std::nullopt, number);  // GP shares the numbering
    case GnssSystem::Glonass:
        if (In(number, 65, 96)) return id(GnssSystem::Glonass, number - 64);
        if (In(number, 1, 32)) return id(GnssSystem::Glonass, number);
        return std::nullopt;
    case GnssSystem::Galileo:
        if (In(number, 1, 36)) return id(GnssSystem::Galileo, number);
        if (In(number, 301, 336)) return id(GnssSystem::Galileo, number - 300);
        return std::nullopt;
    case GnssSystem::BeiDou:
        if (In(number, 1, 63)) return id(GnssSystem::BeiDou, number);
        if (In(number, 201, 263)) return id(GnssSystem::BeiDou, number - 200);
        return std::nullopt;
    case GnssSystem::Qzss:
        if (In(number, 1, 10)) return id(GnssSystem::Qzss, number);
        if (In(number, 193, 202)) return id(GnssSystem::Qzss, number - 192);
        return std::nullopt;
    case GnssSystem::Navic:
        if (In(number, 1, 14)) return id(GnssSystem::Navic, number);
        return std::nullopt;
    }
    return std::nullopt;
}

}  // namespace kestrion
