#include "synth/NmeaSentences.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "protocol/CommandFrame.h"
#include "protocol/TextFormatter.h"

namespace kestrion {
namespace {

// Week 1250, 15:06:47 UTC on 2003-12-23, at rest near Munich, SVs 1..5 in the fix of 7 visible.
ReceiverSecond Munich()
{
    ReceiverSecond second;
    second.week = 1250;
    second.tow = 22722000;
    second.position = {48.137430, 11.575490, 567.0};
    second.hdop = 1.2;
    second.pdop = 2.0;
    second.vdop = 1.6;
    for (int i = 0; i < 7; ++i) {
        ChannelReport& channel = second.channels[i];
        channel = {.prn = static_cast<uint8_t>(i + 1), .azimuth = 40.0 * i, .elevation = 10.0 + i};
        channel.cno.fill(static_cast<uint8_t>(40 + i));
        channel.inFix = i < 5;
    }
    return second;
}

std::string Body(const std::string& sentence)
{
    return sentence.substr(1, sentence.size() - 6);
}

TEST(NmeaSentences, EachSecondSendsGgaRmcGsaAndFourSatellitesPerGsv)
{
    const std::vector<std::string> sentences = NmeaSentences(Munich());
    ASSERT_EQ(sentences.size(), 5u);
    for (const std::string& sentence : sentences) {
        EXPECT_EQ(sentence[0], '$');
        EXPECT_EQ(sentence.substr(sentence.size() - 5), FormatText("*%02X\r\n", {NmeaChecksum(Body(sentence))}));
    }
    EXPECT_EQ(Body(sentences[0]), "GPGGA,150647.000,4808.2458,N,01134.5294,E,1,05,1.2,519.4,M,47.6,M,,0000");
    EXPECT_EQ(Body(sentences[1]), "GPRMC,150647.000,A,4808.2458,N,01134.5294,E,0.00,0.00,231203,,,A");
    EXPECT_EQ(Body(sentences[2]), "GPGSA,A,3,01,02,03,04,05,,,,,,,,2.0,1.2,1.6");
    EXPECT_EQ(Body(sentences[3]), "GPGSV,2,1,07,01,10,000,40,02,11,040,41,03,12,080,42,04,13,120,43");
    EXPECT_EQ(Body(sentences[4]), "GPGSV,2,2,07,05,14,160,44,06,15,200,45,07,16,240,46");
}

TEST(NmeaSentences, WithoutAFixTheyAreFlaggedInvalidAndSouthWestIsSigned)
{
    ReceiverSecond second = Munich();
    second.position = {-33.5, -70.25, 600.0};
    for (ChannelReport& channel : second.channels) {
        channel.inFix = channel.prn == 1;
    }
    const std::vector<std::string> sentences = NmeaSentences(second);
    EXPECT_TRUE(Body(sentences[0]).starts_with("GPGGA,150647.000,3330.0000,S,07015.0000,W,0,01,"));
    EXPECT_TRUE(Body(sentences[1]).starts_with("GPRMC,150647.000,V,3330.0000,S,07015.0000,W,"));
    EXPECT_TRUE(Body(sentences[1]).ends_with(",231203,,,N"));
    EXPECT_TRUE(Body(sentences[2]).starts_with("GPGSA,A,1,01,,"));
}

std::vector<std::string> Fields(const std::string& body)
{
    std::vector<std::string> fields;
    size_t start = 0;
    for (size_t comma = body.find(','); comma != std::string::npos; comma = body.find(',', start)) {
        fields.push_back(body.substr(start, comma - start));
        start = comma + 1;
    }
    fields.push_back(body.substr(start));
    return fields;
}

constexpr SkySystem kAllSystems[] = {SkySystem::Gps, SkySystem::Glonass, SkySystem::Galileo,
                                      SkySystem::Beidou};

std::vector<GnssSatellite> AllSatellites(const ReceiverSecond& second, double seconds)
{
    std::vector<GnssSatellite> satellites = GpsSatellites(second);
    for (const SkySystem system : {SkySystem::Glonass, SkySystem::Galileo, SkySystem::Beidou}) {
        for (const GnssSatellite& satellite : OtherSystemSky(system, seconds)) {
            satellites.push_back(satellite);
        }
    }
    return satellites;
}

TEST(MultiGnssSentences, ChecksumsVerifyAndEachGsvGroupCountsItsSatellites)
{
    const ReceiverSecond second = Munich();
    // Over a long stretch the skies rise and set, so groups of several sizes are seen.
    for (double seconds : {0.0, 600.0, 2400.0, 7000.0}) {
        const std::vector<GnssSatellite> satellites = AllSatellites(second, seconds);
        std::map<std::string, std::vector<std::vector<std::string>>> groups;
        for (const std::string& sentence : MultiGnssSentences(second, satellites, kAllSystems)) {
            ASSERT_EQ(sentence[0], '$');
            ASSERT_EQ(sentence.substr(sentence.size() - 5), FormatText("*%02X\r\n", {NmeaChecksum(Body(sentence))}))
                << sentence;
            const std::vector<std::string> fields = Fields(Body(sentence));
            if (fields[0].substr(2) == "GSV") {
                groups[fields[0].substr(0, 2)].push_back(fields);
            }
        }
        ASSERT_EQ(groups.size(), 4u);
        for (const auto& [talker, group] : groups) {
            const int total = std::stoi(group[0][3]);
            int listed = 0;
            for (size_t n = 0; n < group.size(); ++n) {
                const std::vector<std::string>& fields = group[n];
                EXPECT_EQ(std::stoul(fields[1]), group.size()) << talker;
                EXPECT_EQ(std::stoul(fields[2]), n + 1) << talker;
                EXPECT_EQ(std::stoi(fields[3]), total) << talker;
                // Number of messages, its number, satellites in view, 4 fields per satellite, signal ID.
                ASSERT_EQ((fields.size() - 5) % 4, 0u) << talker;
                const size_t here = (fields.size() - 5) / 4;
                EXPECT_TRUE(here >= 1 && here <= 4) << talker;
                listed += static_cast<int>(here);
                EXPECT_EQ(fields.back(), talker == "GA" ? "7" : "1") << talker;
            }
            EXPECT_EQ(listed, total) << talker;
        }
    }
}

TEST(MultiGnssSentences, SatellitesAreNumberedWithinTheirSystem)
{
    for (double seconds : {0.0, 1500.0, 5000.0}) {
        for (const GnssSatellite& satellite : AllSatellites(Munich(), seconds)) {
            switch (satellite.system) {
            case SkySystem::Gps: EXPECT_TRUE(satellite.number >= 1 && satellite.number <= 32); break;
            case SkySystem::Glonass: EXPECT_TRUE(satellite.number >= 65 && satellite.number <= 88); break;
            case SkySystem::Galileo: EXPECT_TRUE(satellite.number >= 1 && satellite.number <= 36); break;
            case SkySystem::Beidou: EXPECT_TRUE(satellite.number >= 1 && satellite.number <= 37); break;
            }
            EXPECT_GE(satellite.elevation, 0.0);
            // The other systems' sky: tracked satellites are all in the fix.
            if (satellite.system != SkySystem::Gps) {
                EXPECT_EQ(satellite.inFix, satellite.cno > 0);
            }
        }
    }
}

TEST(MultiGnssSentences, GsaPerSystemListsItsOwnSatellitesInTheFix)
{
    const ReceiverSecond second = Munich();
    const std::vector<GnssSatellite> satellites = AllSatellites(second, 0.0);
    std::map<int, std::set<int>> expected;
    for (const GnssSatellite& satellite : satellites) {
        if (satellite.inFix) {
            expected[SkySystemId(satellite.system)].insert(satellite.number);
        }
    }
    std::set<int> systemIds;
    for (const std::string& sentence : MultiGnssSentences(second, satellites, kAllSystems)) {
        const std::vector<std::string> fields = Fields(Body(sentence));
        if (fields[0] != "GNGSA") {
            continue;
        }
        // Mode, fix type, 12 slots, PDOP, HDOP, VDOP, system ID.
        ASSERT_EQ(fields.size(), 19u);
        EXPECT_EQ(fields[2], "3");
        const int systemId = std::stoi(fields[18]);
        EXPECT_TRUE(systemIds.insert(systemId).second) << "system " << systemId << " twice";
        std::set<int> listed;
        for (int slot = 3; slot < 15; ++slot) {
            if (!fields[slot].empty()) {
                listed.insert(std::stoi(fields[slot]));
            }
        }
        EXPECT_EQ(listed, expected[systemId]) << "system " << systemId;
    }
    EXPECT_EQ(systemIds, (std::set<int>{1, 2, 3, 4}));
}

TEST(MultiGnssSentences, GnsHasAModeLetterPerSystemAndTheTalkersAreGn)
{
    ReceiverSecond second = Munich();
    const std::vector<GnssSatellite> gps = GpsSatellites(second);
    std::vector<GnssSatellite> satellites = gps;
    for (const GnssSatellite& satellite : OtherSystemSky(SkySystem::Beidou, 0.0)) {
        satellites.push_back(satellite);
    }
    const SkySystem systems[] = {SkySystem::Gps, SkySystem::Beidou};
    std::set<std::string> kinds;
    for (const std::string& sentence : MultiGnssSentences(second, satellites, systems)) {
        const std::vector<std::string> fields = Fields(Body(sentence));
        kinds.insert(fields[0]);
        if (fields[0] == "GNGNS") {
            // GPS and BeiDou in the fix, GLONASS and Galileo not given.
            EXPECT_EQ(fields[6], "ANNA");
        }
    }
    EXPECT_EQ(kinds, (std::set<std::string>{"GNGGA", "GNRMC", "GNGNS", "GNGSA", "GPGSV", "GBGSV", "GNGST"}));

    // Without four satellites in the fix every system's letter is N and RMC is void.
    for (GnssSatellite& satellite : satellites) {
        satellite.inFix = satellite.system == SkySystem::Gps && satellite.number == 1;
    }
    for (const std::string& sentence : MultiGnssSentences(second, satellites, systems)) {
        const std::vector<std::string> fields = Fields(Body(sentence));
        if (fields[0] == "GNGNS") {
            EXPECT_EQ(fields[6], "NNNN");
        } else if (fields[0] == "GNRMC") {
            EXPECT_EQ(fields[2], "V");
        } else if (fields[0] == "GNGGA") {
            EXPECT_EQ(fields[6], "0");
        }
    }
}

TEST(MultiGnssSentences, SystemNamesAreKnownInLowerCaseOnly)
{
    EXPECT_EQ(SkySystemFromName("glonass"), SkySystem::Glonass);
    EXPECT_EQ(SkySystemFromName("beidou"), SkySystem::Beidou);
    EXPECT_FALSE(SkySystemFromName("GPS").has_value());
    EXPECT_FALSE(SkySystemFromName("").has_value());
}

}  // namespace
}  // namespace kestrion
