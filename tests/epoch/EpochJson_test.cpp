// The JSON line of an epoch: its keys in order, null for what is unknown, binary epochs beside
// NMEA ones.
#include <gtest/gtest.h>

#include "epoch/BinaryEpochAssembler.h"
#include "epoch/EpochJson.h"

namespace kestrion {
namespace {

TEST(EpochJson, UnknownIsNullAndATimeWithoutDateIsTheTimeOfDay)
{
    ReceiverEpoch epoch;
    epoch.source = ReceiverEpoch::Source::Nmea;
    EXPECT_EQ(EpochJsonLine(epoch),
              R"({"time":null,"fix":"none","lat":null,"lon":null,"alt":null,"speed":null,"course":null,)"
              R"("hdop":null,"vdop":null,"pdop":null,"used":null,"satellites":[]})");

    epoch.time.utcMillisecond = 23 * 3600000 + 59 * 60000 + 59000 + 5;
    epoch.position = EpochPosition{-33.5, 151.25, std::nullopt, 12.0, std::nullopt, {}};
    EXPECT_TRUE(EpochJsonLine(epoch).starts_with(
        R"({"time":"23:59:59.005","fix":"none","lat":null,"lon":null,"alt":null,)"))
        << "a position without a fix is no fix";
    epoch.fix = FixMode::RtkFloat;
    epoch.time.utcDate = CivilDate{2026, 1, 2};
    epoch.estimates.rms = 0.5;
    SatelliteView view;
    view.id = {GnssSystem::Sbas, 123};
    view.observations.push_back({});
    epoch.satellites.push_back(view);
    EXPECT_EQ(EpochJsonLine(epoch),
              R"({"time":"2026-01-02T23:59:59.005Z","fix":"float","lat":-33.500000000,"lon":151.250000000,)"
              R"("alt":12.000,"speed":null,"course":null,"hdop":null,"vdop":null,"pdop":null,"used":null,)"
              R"("satellites":[{"sv":"S123","el":null,"az":null,"cn0":null,"signals":[{"sig":null,"cn0":null}],)"
              R"("used":false}],"err":{"rms":0.500,"lat":null,"lon":null,"alt":null}})");
}

TEST(EpochJson, ABinaryEpochHasItsDateFromGpsTimeAndItsOneDopAsPdop)
{
    NavBlock nav{};
    nav.x = 4177000;
    nav.y = 855000;
    nav.z = 4728000;
    nav.mode1 = 4;
    nav.dop = 6;
    nav.week = 1250;  // 2003-12-21 is the week's Sunday
    nav.tow = 2 * 86400 * 100 + 3600 * 100;
    nav.svCount = 1;
    nav.svIds[0] = 7;
    const std::string line = EpochJsonLine(EpochFromBinary(nav, nullptr, false));
    EXPECT_TRUE(line.starts_with(R"({"time":"2003-12-23T00:59:47.000Z","fix":"3D",)")) << line;
    EXPECT_NE(line.find(R"("alt":null,)"), std::string::npos) << "no height above the sea";
    EXPECT_NE(line.find(R"("pdop":1.20,"used":1,)"), std::string::npos) << line;
}

}  // namespace
}  // namespace kestrion
