// The NMEA assembler's rules, sentence by sentence: epochs by time of day, GSV groups, GSA
// rounds, satellite numbering, fix modes and what broken sentences leave behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <string>
#include <vector>

#include "epoch/NmeaEpochAssembler.h"
#include "protocol/CommandFrame.h"

namespace kestrion {
namespace {

// A sentence with its checksum, as a receiver sends it.
std::string S(std::string_view body)
{
    return WrapNmeaBody(body);
}

// Feeds sentences and keeps every epoch they close, then the one the end closes.
std::vector<ReceiverEpoch> Epochs(std::initializer_list<std::string> sentences, bool finish = true)
{
    CNmeaEpochAssembler assembler;
    std::vector<ReceiverEpoch> epochs;
    for (const std::string& sentence : sentences) {
        if (assembler.Take(sentence)) {
            epochs.push_back(assembler.Epoch());
        }
    }
    if (finish && assembler.Finish()) {
        epochs.push_back(assembler.Epoch());
    }
    return epochs;
}

std::vector<std::string> Names(const ReceiverEpoch& epoch)
{
    std::vector<std::string> names;
    for (const SatelliteView& view : epoch.satellites) {
        names.push_back(RinexName(view.id));
    }
    return names;
}

const std::string kGga1 = S("GPGGA,120000.00,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,");
const std::string kGga2 = S("GPGGA,120001.00,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,");
const std::string kGga3 = S("GPGGA,120002.00,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,");

TEST(NmeaEpochs, CloseWhenAnotherTimeOfDayArrivesOrTheStreamEnds)
{
    const auto epochs = Epochs({kGga1, S("GPVTG,054.7,T,034.4,M,005.5,N,010.2,K"), kGga2});
    ASSERT_EQ(epochs.size(), 2u);
    EXPECT_EQ(epochs[0].time.utcMillisecond, 12 * 3600000);
    EXPECT_EQ(epochs[1].time.utcMillisecond, 12 * 3600000 + 1000) << "the last one closes at the end";
    EXPECT_EQ(epochs[0].fix, FixMode::ThreeD);
    ASSERT_TRUE(epochs[0].position);
    EXPECT_NEAR(epochs[0].position->latitude, 48.1173, 1e-9);
    EXPECT_NEAR(epochs[0].position->longitude, 11.516666667, 1e-8);
    EXPECT_DOUBLE_EQ(*epochs[0].position->altitudeMsl, 545.4);
    EXPECT_DOUBLE_EQ(*epochs[0].position->heightEllipsoid, 545.4 + 46.9);
    EXPECT_NEAR(*epochs[0].velocity.groundSpeed, 5.5 * 1852.0 / 3600.0, 1e-9);
    EXPECT_DOUBLE_EQ(*epochs[0].velocity.course, 54.7);
    EXPECT_FALSE(epochs[1].velocity.groundSpeed) << "the VTG belonged to the first epoch";

    EXPECT_TRUE(Epochs({kGga1}, false).empty()) << "open until the end";
}

TEST(NmeaEpochs, FixModeFromTheBestSourceOfTheEpoch)
{
    const auto mode = [](std::initializer_list<std::string> sentences) {
        const auto epochs = Epochs(sentences);
        return epochs.empty() ? FixMode::None : epochs.back().fix;
    };
    const std::string rmc = S("GPRMC,120000.00,A,4807.038,N,01131.000,E,0.0,0.0,230394,,,D");
    EXPECT_EQ(mode({rmc}), FixMode::Dgps) << "RMC's mode letter";
    EXPECT_EQ(mode({S("GPRMC,120000.00,V,4807.038,N,01131.000,E,0.0,0.0,230394,,,N")}), FixMode::None);
    EXPECT_EQ(mode({rmc, S("GPGGA,120000.00,4807.038,N,01131.000,E,5,08,0.9,545.4,M,46.9,M,,")}),
              FixMode::RtkFloat)
        << "GGA's quality before RMC's letter";
    EXPECT_EQ(mode({S("GNGNS,120000.00,4807.038,N,01131.000,E,ANR,12,0.9,545.4,46.9,,")}), FixMode::RtkFixed)
        << "the best letter of the systems";
    EXPECT_EQ(mode({S("GNGNS,120000.00,4807.038,N,01131.000,E,NN,12,0.9,545.4,46.9,,")}), FixMode::None);
    EXPECT_EQ(mode({kGga1, S("GPGSA,A,2,05,07,09,,,,,,,,,,2.1,1.2,1.7")}), FixMode::TwoD);
    EXPECT_EQ(mode({S("GPGGA,120000.00,,,,,0,00,99.9,,,,,,")}), FixMode::None);
    EXPECT_EQ(mode({S("GPGGA,120000.00,4807.038,N,01131.000,E,6,08,0.9,545.4,M,46.9,M,,")}),
              FixMode::DeadReckoning);
}

TEST(NmeaEpochs, DateFromRmcOrZda)
{
    auto epochs = Epochs({S("GPRMC,235959.50,A,4807.038,N,01131.000,E,0.0,0.0,311299,,,A")});
    ASSERT_EQ(epochs.size(), 1u);
    EXPECT_EQ(epochs[0].time.utcDate, (CivilDate{1999, 12, 31}));
    EXPECT_EQ(epochs[0].time.utcMillisecond, 86399500);
    epochs = Epochs({kGga1, S("GPZDA,120000.00,02,03,2026,00,00")});
    ASSERT_EQ(epochs.size(), 1u);
    EXPECT_EQ(epochs[0].time.utcDate, (CivilDate{2026, 3, 2}));
}

TEST(NmeaGsv, CompleteGroupsGiveEverySatelliteAndReplaceTheLastOne)
{
    const auto epochs = Epochs({
        kGga1,
        S("GPGSV,2,1,05,01,40,083,46,02,17,308,41,12,07,344,39,14,22,228,45"),
        S("GPGSV,2,2,05,15,10,100,"),
        kGga2,
        S("GPGSV,1,1,02,01,41,084,47,03,20,200,30"),
    });
    ASSERT_EQ(epochs.size(), 2u);
    EXPECT_EQ(Names(epochs[0]), (std::vector<std::string>{"G01", "G02", "G12", "G14", "G15"}))
        << "the fourth of a sentence is kept";
    const SatelliteView* g15 = epochs[0].Find({GnssSystem::Gps, 15});
    ASSERT_NE(g15, nullptr);
    EXPECT_FALSE(g15->BestCn0()) << "an empty C/N0 is not tracked";
    EXPECT_EQ(Names(epochs[1]), (std::vector<std::string>{"G01", "G03"}));
    EXPECT_EQ(epochs[1].Find({GnssSystem::Gps, 1})->BestCn0(), 47);
}

TEST(NmeaGsv, ABrokenGroupIsDroppedAndThePreviousOneKept)
{
    const std::string first = S("GPGSV,2,1,05,01,40,083,46,02,17,308,41,12,07,344,39,14,22,228,45");
    const std::string second = S("GPGSV,2,2,05,15,10,100,30");
    const auto epochs = Epochs({
        kGga1, first, second,
        kGga2, S("GPGSV,3,1,09,07,40,083,46"), S("GPGSV,3,3,09,08,40,083,46"),  // the second skipped
        kGga3, S("GPGSV,3,2,09,15,10,100,30"), S("GPGSV,3,3,09,16,10,100,30"),  // no first
    });
    ASSERT_EQ(epochs.size(), 3u);
    EXPECT_EQ(epochs[1].satellites.size(), 5u);
    EXPECT_EQ(Names(epochs[2]), Names(epochs[0]));
    EXPECT_FALSE(epochs[1].satellitesFresh);
}

TEST(NmeaGsv, ATalkerWithoutACompleteGroupFor10SecondsIsDropped)
{
    const std::string gsv = S("GLGSV,1,1,01,65,40,083,46");
    const auto at = [](int second) {
        return S("GPGGA,1200" + std::string(second < 10 ? "0" : "") + std::to_string(second) +
                 ".00,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,");
    };
    const auto epochs = Epochs({at(0), gsv, at(5), at(10), at(11)});
    ASSERT_EQ(epochs.size(), 4u);
    EXPECT_EQ(Names(epochs[1]), (std::vector<std::string>{"R01"}));
    EXPECT_EQ(Names(epochs[2]), (std::vector<std::string>{"R01"})) << "10 s is not yet too old";
    EXPECT_TRUE(epochs[3].satellites.empty());
}

TEST(NmeaGsv, SignalsOfOneSatelliteAreOneSatellite)
{
    const auto epochs = Epochs({
        kGga1,
        S("GAGSV,1,1,02,11,45,123,41,12,10,200,,7"),
        S("GAGSV,1,1,01,11,45,123,35,1"),
    });
    ASSERT_EQ(epochs.size(), 1u);
    ASSERT_EQ(Names(epochs[0]), (std::vector<std::string>{"E11", "E12"}));
    const SatelliteView& e11 = epochs[0].satellites[0];
    ASSERT_EQ(e11.observations.size(), 2u);
    EXPECT_EQ(e11.BestCn0(), 41);
    std::string signalIds;
    for (const SignalObservation& signal : e11.observations) {
        signalIds += signal.id;
    }
    std::sort(signalIds.begin(), signalIds.end());
    EXPECT_EQ(signalIds, "17");
}

TEST(NmeaGsv, EntriesWithoutElevationOrAzimuthAreInViewButNotPlaced)
{
    const auto epochs = Epochs({kGga1, S("GPGSV,1,1,03,14,,,30,,,,,22,05,,28")});
    ASSERT_EQ(epochs.size(), 1u);
    EXPECT_EQ(Names(epochs[0]), (std::vector<std::string>{"G14", "G22"})) << "no number, no satellite";
    for (const SatelliteView& view : epochs[0].satellites) {
        EXPECT_FALSE(view.Placed());
        EXPECT_TRUE(view.BestCn0());
    }
}

TEST(NmeaNumbering, TalkersAndSystemIdsNumberTheirSatellites)
{
    const auto epochs = Epochs({
        kGga1,
        S("GPGSV,1,1,04,33,30,100,40,65,30,110,40,193,30,120,40,301,30,130,40"),
        S("GLGSV,1,1,02,65,30,140,40,96,30,150,40"),
        S("GBGSV,1,1,02,201,30,160,40,37,30,170,40"),
        S("BDGSV,1,1,01,263,30,180,40"),
        S("GQGSV,1,1,02,193,30,190,40,2,30,200,40"),
        S("GAGSV,1,1,02,301,30,210,40,36,30,220,40"),
        S("GIGSV,1,1,01,03,30,230,40"),
    });
    ASSERT_EQ(epochs.size(), 1u);
    EXPECT_EQ(Names(epochs[0]), (std::vector<std::string>{"S120", "R01", "J01", "E01", "R32", "C01", "C37",
                                                          "C63", "J02", "E36", "I03"}))
        << "in the stream's order, the repeated R01, J01, E01 once";
    EXPECT_EQ(SatelliteLabel({GnssSystem::Gps, 5}), " 5") << "GPS keeps its bare number";
    EXPECT_EQ(SatelliteLabel({GnssSystem::Glonass, 5}), "R05");
}

TEST(NmeaGsa, RoundsOfOneEpochAddUpAndTheNextRoundReplacesThem)
{
    const auto epochs = Epochs({
        kGga1,
        S("GNGSA,A,3,05,07,,,,,,,,,,,1.8,1.0,1.5,1"),
        S("GNGSA,A,3,65,208,,,,,,,,,,,1.8,1.0,1.5,4"),  // 208 under BeiDou's legacy numbering
        S("GPGSV,1,1,02,05,30,100,40,09,30,110,40"),
        kGga2,
        S("GNGSA,A,3,09,,,,,,,,,,,,1.9,1.1,1.6,1"),
    });
    ASSERT_EQ(epochs.size(), 2u);
    std::vector<std::string> used;
    for (const SatelliteId id : epochs[0].usedIds) {
        used.push_back(RinexName(id));
    }
    EXPECT_EQ(used, (std::vector<std::string>{"G05", "G07", "C08"})) << "65 is no BeiDou number";
    EXPECT_TRUE(epochs[0].Find({GnssSystem::Gps, 5})->used);
    EXPECT_FALSE(epochs[0].Find({GnssSystem::Gps, 9})->used);
    EXPECT_EQ(epochs[0].dops.pdop, 1.8);
    ASSERT_EQ(epochs[1].usedIds.size(), 1u);
    EXPECT_TRUE(epochs[1].Find({GnssSystem::Gps, 9})->used);
    EXPECT_FALSE(epochs[1].Find({GnssSystem::Gps, 5})->used);
}

TEST(NmeaSentences, BrokenOnesLeaveTheRestStanding)
{
    const std::string badSum = "$GPGGA,120000.00,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*00\r\n";
    EXPECT_TRUE(Epochs({badSum}).empty()) << "a failed checksum is not used";
    EXPECT_TRUE(Epochs({S("PGRME,15.0,M,45.0,M,25.0,M"), "no sentence", "$", "$*", ""}).empty());

    // Malformed fields are unknown; the others still count.
    const auto epochs = Epochs({S("GPGGA,120000.00,4807.038,N,01131.000,E,1,xx,0.9,54x.4,M,46.9,M,,"),
                                S("GPRMC,120000.00,A,4807.038,N,01131.000,E,,12.5,230394,,,A"),
                                S("GPGSV,1,1,01,05,9x,100,40")});
    ASSERT_EQ(epochs.size(), 1u);
    EXPECT_FALSE(epochs[0].usedCount);
    EXPECT_EQ(epochs[0].dops.hdop, 0.9);
    EXPECT_FALSE(epochs[0].position->altitudeMsl);
    EXPECT_FALSE(epochs[0].velocity.groundSpeed);
    EXPECT_EQ(epochs[0].velocity.course, 12.5);
    ASSERT_EQ(epochs[0].satellites.size(), 1u);
    EXPECT_FALSE(epochs[0].satellites[0].elevation);
    EXPECT_EQ(epochs[0].satellites[0].azimuth, 100.0);

    const std::string noChecksum = "$GPGGA,120000.00,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,\r\n";
    EXPECT_EQ(Epochs({noChecksum}).size(), 1u) << "a sentence without a checksum is taken as it is";
}

TEST(NmeaSentences, GstGivesTheReceiversOwnEstimates)
{
    const auto epochs = Epochs({kGga1, S("GPGST,120000.00,1.5,2.0,1.0,45.0,0.8,0.9,2.1")});
    ASSERT_EQ(epochs.size(), 1u);
    EXPECT_EQ(epochs[0].estimates.rms, 1.5);
    EXPECT_EQ(epochs[0].estimates.sigmaLatitude, 0.8);
    EXPECT_EQ(epochs[0].estimates.sigmaLongitude, 0.9);
    EXPECT_EQ(epochs[0].estimates.sigmaAltitude, 2.1);
}

}  // namespace
}  // namespace kestrion
