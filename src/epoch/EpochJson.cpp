#include "epoch/EpochJson.h"

#include <cstdio>

namespace kestrion {
namespace {

class CJsonLine {
public:
    void Key(const char* name)
    {
        if (m_needComma) m_text += ',';
        m_text += '"';
        m_text += name;
        m_text += "\":";
        m_needComma = false;
    }
    void Number(const char* name, std::optional<double> value, int decimals)
    {
        Key(name);
        if (!value) {
            m_text += "null";
        } else {
            char text[64];
            std::snprintf(text, sizeof text, "%.*f", decimals, *value);
            m_text += text;
        }
        m_needComma = true;
    }
    void String(const char* name, std::optional<std::string> value)
    {
        Key(name);
        m_text += value ? '"' + *value + '"' : "null";
        m_needComma = true;
    }
    void Bool(const char* name, bool value)
    {
        Key(name);
        m_text += value ? "true" : "false";
        m_needComma = true;
    }
    void Open(char bracket)
    {
        if (m_needComma) m_text += ',';
        m_text += bracket;
        m_needComma = false;
    }
    void Close(char bracket)
    {
        m_text += bracket;
        m_needComma = true;
    }
    std::string Take() { return std::move(m_text); }

private:
    std::string m_text;
    bool m_needComma = false;
};

std::optional<double> Whole(std::optional<int> value)
{
    return value ? std::optional<double>(*value) : std::nullopt;
}

std::optional<std::string> TimeText(const EpochTime& time)
{
    if (!time.utcMillisecond) {
        return std::nullopt;
    }
    const int64_t ms = *time.utcMillisecond;
    char text[48];
    const int hour = static_cast<int>(ms / 3600000), minute = static_cast<int>(ms / 60000 % 60);
    const int second = static_cast<int>(ms / 1000 % 60), milli = static_cast<int>(ms % 1000);
    if (time.utcDate) {
        std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d.%03dZ", time.utcDate->year, time.utcDate->month,
                      time.utcDate->day, hour, minute, second, milli);
    } else {
        std::snprintf(text, sizeof text, "%02d:%02d:%02d.%03d", hour, minute, second, milli);
    }
    return text;
}

}  // namespace

std::string EpochJsonLine(const ReceiverEpoch& epoch)
{
    CJsonLine json;
    json.Open('{');
    json.String("time", TimeText(epoch.time));
    json.String("fix", std::string(FixModeName(epoch.fix)));
    const bool fix = epoch.HasFix();
    json.Number("lat", fix ? std::optional(epoch.position->latitude) : std::nullopt, 9);
    json.Number("lon", fix ? std::optional(epoch.position->longitude) : std::nullopt, 9);
    json.Number("alt", fix ? epoch.position->altitudeMsl : std::nullopt, 3);
    json.Number("speed", epoch.velocity.groundSpeed, 3);
    json.Number("course", epoch.velocity.course, 2);
    json.Number("hdop", epoch.dops.hdop, 2);
    json.Number("vdop", epoch.dops.vdop, 2);
    json.Number("pdop", epoch.dops.pdop ? epoch.dops.pdop : epoch.dops.dop, 2);
    json.Number("used", Whole(epoch.usedCount), 0);
    json.Key("satellites");
    json.Open('[');
    for (const SatelliteView& satellite : epoch.satellites) {
        json.Open('{');
        json.String("sv", RinexName(satellite.id));
        json.Number("el", satellite.elevation, 0);
        json.Number("az", satellite.azimuth, 0);
        json.Number("cn0", Whole(satellite.BestCn0()), 0);
        json.Key("signals");
        json.Open('[');
        for (const SignalObservation& signal : satellite.observations) {
            json.Open('{');
            json.String("sig", signal.id != 0 ? std::optional(std::string(1, signal.id)) : std::nullopt);
            json.Number("cn0", Whole(signal.cn0), 0);
            json.Close('}');
        }
        json.Close(']');
        json.Bool("used", satellite.used);
        json.Close('}');
    }
    json.Close(']');
    const ErrorEstimates& e = epoch.estimates;
    if (e.rms || e.sigmaLatitude || e.sigmaLongitude || e.sigmaAltitude) {
        json.Key("err");
        json.Open('{');
        json.Number("rms", e.rms, 3);
        json.Number("lat", e.sigmaLatitude, 3);
        json.Number("lon", e.sigmaLongitude, 3);
        json.Number("alt", e.sigmaAltitude, 3);
        json.Close('}');
    }
    json.Close('}');
    return json.Take();
}

}  // namespace kestrion
