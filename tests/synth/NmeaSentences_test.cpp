#include "synth/NmeaSentences.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace kestrion
