#include "synth/NmeaSentences.h"

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

std::string Gga(const ReceiverSecond& second, const UtcTime& utc)
{
    const int fixCount = second.FixCount();
    const int quality = fixCount < 4 ? 0 : (second.dgps ? 2 : 1);
    std::string body = "GPGGA," + Clock(utc) + ',' + Angle(second.position.latitude, 2, 'N', 'S') +
                       ',' + Angle(second.position.longitude, 3, 'E', 'W') +
                       FormatText(",%d,%02d,%.1f,%.1f,M,%.1f,M,", {quality, fixCount, second.hdop,
                                  second.position.height - kGeoidSeparation, kGeoidSeparation});
    body += second.dgps ? "2.0,0113" : ",0000";
    return body;
}

std::string Rmc(const ReceiverSecond& second, const UtcTime& utc)
{
    const double speedKnots = std::hypot(second.velocityEast, second.velocityNorth) * 1.943844;
    double course =
        std::atan2(second.velocityEast, second.velocityNorth) * 180.0 / std::numbers::pi;
    if (course < 0.0) {
        course += 360.0;
    }
    const bool valid = second.FixCount() >= 4;
    return "GPRMC," + Clock(utc) + (valid ? ",A," : ",V,") +
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

}  // namespace

std::vector<std::string> NmeaSentences(const ReceiverSecond& second)
{
    const UtcTime utc = GpsToUtc(second.week, second.tow);
    std::vector<std::string> sentences = {WrapNmeaBody(Gga(second, utc)),
                                          WrapNmeaBody(Rmc(second, utc)),
                                          WrapNmeaBody(Gsa(second))};
    for (const std::string& body : Gsv(second)) {
        sentences.push_back(WrapNmeaBody(body));
    }
    return sentences;
}

}  // namespace kestrion
