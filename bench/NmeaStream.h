#pragma once
// A multi-GNSS NMEA 4.11 receiver's output, one second after another: GNGGA, GNRMC, a GNGSA per
// system and the GSV groups of GPS, GLONASS, Galileo and BeiDou, ten satellites each, turning
// slowly across the sky.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "protocol/CommandFrame.h"

namespace kestrion::bench {

inline constexpr int kNmeaSystems = 4;
inline constexpr int kSatellitesPerSystem = 10;

// The sentences of one second, each "$...*hh\r\n".
inline std::vector<std::string> NmeaSecond(int second)
{
    static const char* const kTalkers[kNmeaSystems] = {"GP", "GL", "GA", "GB"};
    static const int kFirstNumber[kNmeaSystems] = {1, 65, 1, 1};
    static const char kSignal[kNmeaSystems] = {'1', '1', '7', '1'};
    char body[256];
    std::vector<std::string> sentences;
    const int hh = 12 + second / 3600 % 12, mm = second / 60 % 60, ss = second % 60;
    std::snprintf(body, sizeof body, "GNGGA,%02d%02d%02d.00,4807.%03d,N,01131.000,E,1,%02d,0.9,545.4,M,46.9,M,,",
                  hh, mm, ss, second % 1000, 12);
    sentences.push_back(WrapNmeaBody(body));
    std::snprintf(body, sizeof body, "GNRMC,%02d%02d%02d.00,A,4807.%03d,N,01131.000,E,2.1,%d.0,101226,,,A,V", hh,
                  mm, ss, second % 1000, second % 360);
    sentences.push_back(WrapNmeaBody(body));
    for (int system = 0; system < kNmeaSystems; ++system) {
        std::string gsa = "GNGSA,A,3";
        for (int slot = 0; slot < 12; ++slot) {
            gsa += slot < 6 ? "," + std::to_string(kFirstNumber[system] + slot) : ",";
        }
        gsa += ",1.6,0.9,1.3," + std::to_string(system + 1);
        sentences.push_back(WrapNmeaBody(gsa));
    }
    for (int system = 0; system < kNmeaSystems; ++system) {
        const int groups = (kSatellitesPerSystem + 3) / 4;
        for (int group = 0; group < groups; ++group) {
            std::snprintf(body, sizeof body, "%sGSV,%d,%d,%02d", kTalkers[system], groups, group + 1,
                          kSatellitesPerSystem);
            std::string gsv = body;
            for (int i = group * 4; i < std::min(kSatellitesPerSystem, group * 4 + 4); ++i) {
                std::snprintf(body, sizeof body, ",%02d,%02d,%03d,%02d", kFirstNumber[system] + i, 5 + i * 8,
                              (system * 90 + i * 36 + second) % 360, 25 + (i + second) % 20);
                gsv += body;
            }
            gsv += ',';
            gsv += kSignal[system];
            sentences.push_back(WrapNmeaBody(gsv));
        }
    }
    return sentences;
}

}  // namespace kestrion::bench
