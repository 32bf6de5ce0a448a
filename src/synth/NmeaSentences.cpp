#include "synth/NmeaSentences.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "protocol/CommandFrame.h"
#include "protocol/TextFormatter.h"
#include "geo/GpsTime.h"

namespace kestrion {
namespace {

// "ddmm.mmmm,N" or "dddmm.mmmm,E".
std::string Angle(double degrees, int degreeDigits, char positive, char negative)
{
    const long long tenThousandths = std::llround(std::fabs(degrees) * 60.0 * 10000.0);
    const long long whole = tenThousandths / 600000;
    const long long minutes = tenThousandths % 600000;
    return FormatText("%0*lld%02lld.%04lld,%c", {degreeDigits, whole, minutes / 10000,
                                                  minutes % 10000, degrees < 0.0 ? negative : positive});
}

std::string Clock(const UtcTime& utc)
{
    return FormatText("%02d%02d%02d.000", {utc.hour, utc.minute, utc.second});
}

std::string Gga(const ReceiverSecond& second, const UtcTime& utc, int fixCount, const char* talker = "GP")
{
    const int quality = fixCount < 4 ? 0 : (second.dgps ? 2 : 1);
    std::string body = std::string(talker) + "GGA," + Clock(utc) + ',' + Angle(second.position.latitude, 2, 'N', 'S') +
                       ',' + Angle(second.position.longitude, 3, 'E', 'W') +
                       FormatText(",%d,%02d,%.1f,%.1f,M,%.1f,M,", {quality, fixCount, second.hdop,
                                  second.position.height - kGeoidSeparation, kGeoidSeparation});
    body += second.dgps ? "2.0,0113" : ",0000";
    return body;
}

std::string Rmc(const ReceiverSecond& second, const UtcTime& utc, int fixCount, const char* talker = "GP")
{
    const double speedKnots = std::hypot(second.velocityEast, second.velocityNorth) * 1.943844;
    double course =
        std::atan2(second.velocityEast, second.velocityNorth) * 180.0 / std::numbers::pi;
    if (course < 0.0) {
        course += 360.0;
    }
    const bool valid = fixCount >= 4;
    return std::string(talker) + "RMC," + Clock(utc) + (valid ? ",A," : ",V,") +
           Angle(second.position.latitude, 2, 'N', 'S') + ',' +
           Angle(second.position.longitude, 3, 'E', 'W') +
           FormatText(",%.2f,%.2f,%02d%02d%02d,,,%c", {speedKnots, course, utc.day, utc.month,
                      utc.year % 100, !valid ? 'N' : (second.dgps ? 'D' : 'A')});
}

std::string Gsa(const ReceiverSecond& second)
{
    const int fixCount = second.FixCount();
    std::string body = FormatText("GPGSA,A,%d", {fixCount >= 4 ? 3 : 1});
    int slots = 0;
    for (const ChannelReport& channel : second.channels) {
        if (channel.inFix) {
            body += FormatText(",%02d", {channel.prn});
            ++slots;
        }
    }
    for (; slots < kSkyChannels; ++slots) {
        body += ',';
    }
    return body + FormatText(",%.1f,%.1f,%.1f", {second.pdop, second.hdop, second.vdop});
}

std::vector<std::string> Gsv(const ReceiverSecond& second)
{
    std::vector<const ChannelReport*> visible;
    for (const ChannelReport& channel : second.channels) {
        if (channel.prn != 0) {
            visible.push_back(&channel);
        }
    }
    const int total = static_cast<int>(visible.size());
    const int sentences = total == 0 ? 1 : (total + 3) / 4;
    std::vector<std::string> bodies;
    for (int n = 0; n < sentences; ++n) {
        std::string body = FormatText("GPGSV,%d,%d,%02d", {sentences, n + 1, total});
        for (int i = 4 * n; i < total && i < 4 * n + 4; ++i) {
            const ChannelReport& channel = *visible[i];
            int cnoSum = 0;
            for (uint8_t cno : channel.cno) {
                cnoSum += cno;
            }
            body += FormatText(",%02d,%02d,%03d,", {channel.prn,
                               static_cast<int>(std::lround(channel.elevation)),
                               static_cast<int>(channel.azimuth)});
            if (cnoSum > 0) {
                body += FormatText("%02d", {cnoSum / 10});
            }
        }
        bodies.push_back(body);
    }
    return bodies;
}

int CountInFix(std::span<const GnssSatellite> satellites)
{
    int count = 0;
    for (const GnssSatellite& satellite : satellites) {
        count += satellite.inFix ? 1 : 0;
    }
    return count;
}

// One GSA per system: its satellites in the fix, the DOPs of the whole fix and its system ID.
std::string MultiGsa(const ReceiverSecond& second, std::span<const GnssSatellite> satellites, SkySystem system,
                     bool valid)
{
    std::string body = FormatText("GNGSA,A,%d", {valid ? 3 : 1});
    int slots = 0;
    for (const GnssSatellite& satellite : satellites) {
        if (satellite.system == system && satellite.inFix && slots < 12) {
            body += FormatText(",%02d", {satellite.number});
            ++slots;
        }
    }
    for (; slots < 12; ++slots) {
        body += ',';
    }
    return body + FormatText(",%.1f,%.1f,%.1f,%d", {second.pdop, second.hdop, second.vdop, SkySystemId(system)});
}

// The system's satellites in groups of four, each sentence ending with the signal ID.
std::vector<std::string> MultiGsv(std::span<const GnssSatellite> satellites, SkySystem system)
{
    std::vector<const GnssSatellite*> visible;
    for (const GnssSatellite& satellite : satellites) {
        if (satellite.system == system) {
            visible.push_back(&satellite);
        }
    }
    const int total = static_cast<int>(visible.size());
    const int sentences = total == 0 ? 1 : (total + 3) / 4;
    std::vector<std::string> bodies;
    for (int n = 0; n < sentences; ++n) {
        std::string body = FormatText("%sGSV,%d,%d,%02d", {GnssTalker(system), sentences, n + 1, total});
        for (int i = 4 * n; i < total && i < 4 * n + 4; ++i) {
            const GnssSatellite& satellite = *visible[i];
            body += FormatText(",%02d,%02d,%03d,", {satellite.number, static_cast<int>(std::lround(satellite.elevation)),
                                                    static_cast<int>(satellite.azimuth)});
            if (satellite.cno > 0) {
                body += FormatText("%02d", {satellite.cno});
            }
        }
        body += ',';
        body += GnssSignalId(system);
        bodies.push_back(body);
    }
    return bodies;
}

// The mode letters run GPS, GLONASS, Galileo, BeiDou up to the last system given; a system
// left out, or without a satellite in the fix, is N.
std::string Gns(const ReceiverSecond& second, const UtcTime& utc, std::span<const GnssSatellite> satellites,
                std::span<const SkySystem> systems, bool valid)
{
    int last = 0;
    for (const SkySystem system : systems) {
        last = std::max(last, static_cast<int>(system));
    }
    std::string modes(static_cast<size_t>(last) + 1, 'N');
    for (const GnssSatellite& satellite : satellites) {
        if (valid && satellite.inFix) {
            const bool differential = second.dgps && satellite.system == SkySystem::Gps;
            modes[static_cast<size_t>(satellite.system)] = differential ? 'D' : 'A';
        }
    }
    std::string body = "GNGNS," + Clock(utc) + ',' + Angle(second.position.latitude, 2, 'N', 'S') + ',' +
                       Angle(second.position.longitude, 3, 'E', 'W') + ',' + modes +
                       FormatText(",%02d,%.1f,%.1f,%.1f,", {CountInFix(satellites), second.hdop,
                                                            second.position.height - kGeoidSeparation,
                                                            kGeoidSeparation});
    body += second.dgps ? "2.0,0113," : ",,";
    return body + (valid ? 'S' : 'V');
}

// The receiver's own error estimates, scaled from the DOPs.
std::string Gst(const ReceiverSecond& second, const UtcTime& utc)
{
    const double sigma = second.dgps ? 0.8 : 2.5;
    const double horizontal = sigma * second.hdop;
    return "GNGST," + Clock(utc) +
           FormatText(",%.1f,%.1f,%.1f,%.1f,%.1f,%.1f,%.1f",
                      {sigma * second.pdop, horizontal * 1.2, horizontal * 0.8, 35.0, horizontal * 0.9,
                       horizontal * 1.1, sigma * second.vdop});
}

}  // namespace

std::vector<std::string> NmeaSentences(const ReceiverSecond& second)
{
    const UtcTime utc = GpsToUtc(second.week, second.tow);
    std::vector<std::string> sentences = {WrapNmeaBody(Gga(second, utc, second.FixCount())),
                                          WrapNmeaBody(Rmc(second, utc, second.FixCount())),
                                          WrapNmeaBody(Gsa(second))};
    for (const std::string& body : Gsv(second)) {
        sentences.push_back(WrapNmeaBody(body));
    }
    return sentences;
}

}  // namespace kestrion

namespace kestrion {

std::vector<std::string> MultiGnssSentences(const ReceiverSecond& second, std::span<const GnssSatellite> satellites,
                                            std::span<const SkySystem> systems)
{
    const UtcTime utc = GpsToUtc(second.week, second.tow);
    const int fixCount = CountInFix(satellites);
    const bool valid = fixCount >= 4;
    std::string rmc = Rmc(second, utc, fixCount, "GN");
    rmc += valid ? ",S" : ",V";
    std::vector<std::string> bodies = {Gga(second, utc, fixCount, "GN"), rmc,
                                       Gns(second, utc, satellites, systems, valid)};
    for (const SkySystem system : systems) {
        bodies.push_back(MultiGsa(second, satellites, system, valid));
    }
    for (const SkySystem system : systems) {
        for (std::string& body : MultiGsv(satellites, system)) {
            bodies.push_back(std::move(body));
        }
    }
    bodies.push_back(Gst(second, utc));
    std::vector<std::string> sentences;
    for (const std::string& body : bodies) {
        sentences.push_back(WrapNmeaBody(body));
    }
    return sentences;
}

}  // namespace kestrion
