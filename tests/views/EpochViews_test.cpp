// The map, navigation and statistics views fed NMEA epochs built directly.
#include <gtest/gtest.h>

#include "support/ScriptedUi.h"
#include "support/TempFolder.h"
#include "ViewTests.h"
#include "epoch/ReceiverEpoch.h"
#include "protocol/Mid.h"
#include "views/MapStatusText.h"
#include "views/MapView.h"
#include "views/NavMsgView.h"
#include "views/StatisticsRenderer.h"
#include "views/StatisticsView.h"

namespace kestrion {
namespace {

using Bar = CMapStatusBar;
using Nav = CNavMsgView;

// A 3D NMEA fix near latitude and longitude 0, moved north and east by metres, with only
// what GGA and GSA give: UTC time of day, altitudes, HDOP and the satellites used.
ReceiverEpoch NmeaFix(double north, double east)
{
    ReceiverEpoch epoch;
    epoch.source = ReceiverEpoch::Source::Nmea;
    epoch.fix = FixMode::ThreeD;
    epoch.time.utcMillisecond = ((12 * 60 + 34) * 60 + 56) * 1000 + 780;
    EpochPosition position;
    position.latitude = north / kMetresPerDegree;
    position.longitude = east / kMetresPerDegree;
    position.altitudeMsl = 40.0;
    position.geoidSeparation = 17.5;
    position.heightEllipsoid = 57.5;
    position.ecef = GeodeticToEcef({position.latitude, position.longitude, 57.5});
    epoch.position = position;
    epoch.dops.hdop = 0.9;
    epoch.dops.pdop = 1.6;
    epoch.usedCount = 3;
    epoch.usedIds = {{GnssSystem::Gps, 5}, {GnssSystem::Glonass, 12}, {GnssSystem::Galileo, 11}};
    return epoch;
}

TEST(MapStatusTextOfNmea, GivesWhatTheSentencesCarryAndLeavesTheRestBlank)
{
    ReceiverEpoch epoch = NmeaFix(0, 0);
    MapFixTexts fix = FixTextsOf(epoch, 2);
    EXPECT_EQ(fix.time, "12:34:56.7");
    EXPECT_EQ(fix.week, "");
    EXPECT_EQ(fix.validity, "");
    EXPECT_EQ(fix.dop, "0.9");
    EXPECT_EQ(fix.mode, "3D");
    EXPECT_EQ(fix.fix, "3");
    EXPECT_EQ(fix.svs, "G05 R12 E11 ");

    // GPS week and time of week win over the time of day when known.
    epoch.time.gpsWeek = 2345;
    epoch.time.gpsTow = 12345678;
    epoch.fix = FixMode::RtkFixed;
    fix = FixTextsOf(epoch, 2);
    EXPECT_EQ(fix.time, " 123456.78");
    EXPECT_EQ(fix.week, "2345");
    EXPECT_EQ(fix.mode, "RTK");

    MapPositionTexts position = PositionTextsOf(epoch);
    EXPECT_EQ(position.altitude, "58");  // above the ellipsoid
    EXPECT_EQ(position.heading, "");
    EXPECT_EQ(position.speed, "");
    epoch.velocity.course = 271.6;
    epoch.velocity.groundSpeed = 1.25;
    epoch.position->heightEllipsoid.reset();
    position = PositionTextsOf(epoch);
    EXPECT_EQ(position.altitude, "40");  // the altitude when the ellipsoid height is unknown
    EXPECT_EQ(position.heading, "272\xB0");
    EXPECT_EQ(position.speed, "1.250");
}

class EpochMapViewTest : public ::testing::Test {
protected:
    QString Field(Bar::Field field) const { return view->StatusBar().FieldText(field); }

    QApplication& app = test::ViewApplication();  // before any widget
    CTempFolder m_folder;
    fakes::CScriptedUi ui;
    ProtocolState protocol;
    CProfile profile{m_folder.Path() / "demo.ini"};
    CFixRecorder recorder{profile, ui, [] { return false; }};
    std::unique_ptr<CMapView> view = std::make_unique<CMapView>(profile, ui, protocol, recorder);
};

TEST_F(EpochMapViewTest, PlotsNmeaPositionsAndFillsTheStatusBar)
{
    view->ShowEpoch(NmeaFix(0.2, 0.2));
    EXPECT_EQ(view->Canvas().Plot().Newest(), test::FromOrigin(view->Canvas(), 0, 0));
    view->ShowEpoch(NmeaFix(10.2, -5.2));  // 2 pixels a metre
    EXPECT_EQ(view->Canvas().Plot().Newest(), test::FromOrigin(view->Canvas(), -10, -20));
    EXPECT_EQ(Field(Bar::kTime), "12:34:56.7");
    EXPECT_EQ(Field(Bar::kMode), "3D");
    EXPECT_EQ(Field(Bar::kDop), "0.9");
    EXPECT_EQ(Field(Bar::kSvList), "G05 R12 E11 ");
    EXPECT_EQ(Field(Bar::kLatitude), "  0.00009");
    EXPECT_EQ(Field(Bar::kValidity), "");

    // An epoch without a position changes the fix fields but plots nothing.
    ReceiverEpoch lost;
    lost.source = ReceiverEpoch::Source::Nmea;
    view->ShowEpoch(lost);
    EXPECT_EQ(view->Canvas().Plot().Newest(), test::FromOrigin(view->Canvas(), -10, -20));
    EXPECT_EQ(Field(Bar::kMode), "none");
    EXPECT_EQ(Field(Bar::kSvList), "");
    EXPECT_EQ(Field(Bar::kLatitude), "  0.00009");
}

TEST_F(EpochMapViewTest, ATruthEpochIsACircleNotATrackPoint)
{
    const QImage empty = view->Canvas().Plot().Image();
    ReceiverEpoch truth = NmeaFix(20.2, 20.2);
    truth.truth = true;
    view->ShowEpoch(truth);
    EXPECT_EQ(view->Canvas().Plot().Newest(), std::nullopt);
    EXPECT_NE(view->Canvas().Plot().Image(), empty);
    EXPECT_EQ(Field(Bar::kMode), "");  // the fix fields are the measured epoch's
}

TEST_F(EpochMapViewTest, BinaryRecordsReachTheMapThroughEpochsAndAnOpeningClearsIt)
{
    // Binary records still reach the map through the epochs, and the opening clears it.
    const CMessageRecord fix = test::FixAt(100, 10, 0);
    view->OnUpdate(UpdateHint::Record, &fix);
    EXPECT_EQ(view->Canvas().Plot().Newest(), test::FromOrigin(view->Canvas(), 0, -20));
    view->OnUpdate(UpdateHint::Opening, nullptr);
    EXPECT_EQ(view->Canvas().Plot().Newest(), std::nullopt);
}

class EpochNavMsgViewTest : public ::testing::Test {
protected:
    QString Field(Nav::Field field) const { return view.FieldText(field); }

    QApplication& app = test::ViewApplication();  // before any widget
    ProtocolState protocol;
    CNavMsgView view{protocol};
};

TEST_F(EpochNavMsgViewTest, FillsTheFieldsTheSentencesGiveWithEcefFromGeodetic)
{
    ReceiverEpoch epoch = NmeaFix(0, 0);
    epoch.time.utcDate = CivilDate{2026, 3, 7};
    view.ShowEpoch(epoch);
    // Latitude and longitude 0 at 57.5 m above the ellipsoid.
    EXPECT_EQ(Field(Nav::kPositionX), "6378195");
    EXPECT_EQ(Field(Nav::kPositionY), "0");
    EXPECT_EQ(Field(Nav::kPositionZ), "0");
    EXPECT_EQ(Field(Nav::kLatitude), "0.00000   ");
    EXPECT_EQ(Field(Nav::kAltitude), "58        ");
    EXPECT_EQ(Field(Nav::kMode), "3D");
    EXPECT_EQ(Field(Nav::kDop), "0.9");
    EXPECT_EQ(Field(Nav::kTime), "2026-03-07 12:34:56.780");
    EXPECT_EQ(Field(Nav::kSvCount), "3");
    EXPECT_EQ(Field(Nav::kSvList), "G05 R12 E11 ");
    // GGA gives no velocity, week or validation.
    for (const Nav::Field blank : {Nav::kVelocityX, Nav::kVelocityY, Nav::kVelocityZ, Nav::kWeek, Nav::kFix}) {
        EXPECT_EQ(Field(blank), "") << blank;
    }

    epoch.velocity.ecef = EcefVector{0.5, -1.25, 2.0};
    epoch.time.gpsWeek = 2410;
    epoch.time.gpsTow = 4500;
    view.ShowEpoch(epoch);
    EXPECT_EQ(Field(Nav::kVelocityX), "     0.500");
    EXPECT_EQ(Field(Nav::kVelocityY), "    -1.250");
    EXPECT_EQ(Field(Nav::kWeek), "2410");
    EXPECT_EQ(Field(Nav::kTime), "45.00");
}

TEST_F(EpochNavMsgViewTest, AnNmeaEpochBlanksWhatABinaryOneLeftAndTruthIsNotShown)
{
    const CMessageRecord binary = test::FixAt(12345, 0, 0);
    view.OnUpdate(UpdateHint::Record, &binary);
    ASSERT_EQ(Field(Nav::kWeek), "1250");
    ASSERT_EQ(Field(Nav::kVelocityX), "     0.000");

    ReceiverEpoch lost;
    lost.source = ReceiverEpoch::Source::Nmea;
    view.ShowEpoch(lost);
    for (const Nav::Field blank : {Nav::kPositionX, Nav::kVelocityX, Nav::kLatitude, Nav::kAltitude, Nav::kDop,
                                   Nav::kFix, Nav::kWeek, Nav::kTime, Nav::kSvCount, Nav::kSvList}) {
        EXPECT_EQ(Field(blank), "") << blank;
    }
    EXPECT_EQ(Field(Nav::kMode), "none");

    ReceiverEpoch truth = NmeaFix(0, 0);
    truth.truth = true;
    view.ShowEpoch(truth);
    EXPECT_EQ(Field(Nav::kMode), "none");
}

TEST(OwnEstimateText, NamesTheEstimatesTheReceiverGives)
{
    EXPECT_EQ(OwnEstimateText({}), "");
    ErrorEstimates all;
    all.rms = 0.394;
    all.sigmaLatitude = 0.52;
    all.sigmaLongitude = 0.478;
    all.sigmaAltitude = 1.2;
    EXPECT_EQ(OwnEstimateText(all), "\nReceiver's own 1-sigma:\nlat 0.52 m, lon 0.48 m, alt 1.20 m (RMS 0.39 m)\n");
    ErrorEstimates some;
    some.sigmaLongitude = 2.0;
    EXPECT_EQ(OwnEstimateText(some), "\nReceiver's own 1-sigma:\nlon 2.00 m\n");
    ErrorEstimates rmsOnly;
    rmsOnly.rms = 1.5;
    EXPECT_EQ(OwnEstimateText(rmsOnly), "\nReceiver's own 1-sigma:\nRMS 1.50 m\n");
}

class EpochStatisticsViewTest : public ::testing::Test {
protected:
    EpochStatisticsViewTest()
    {
        m_view.resize(640, 480);
        m_view.setAttribute(Qt::WA_DontShowOnScreen);
        m_view.show();
        m_view.OnUpdate(UpdateHint::Opening, nullptr);
    }
    std::string Text()
    {
        m_view.grab();  // fetches when stale
        return m_view.Canvas().Text();
    }

    QApplication& m_app = test::ViewApplication();
    CTempFolder m_folder;
    CProfile m_profile{m_folder.Path() / "demo.ini"};
    fakes::CScriptedUi m_ui;
    CFixRecorder m_recorder{m_profile, m_ui, [] { return false; }};
    CStatisticsView m_view{m_recorder};
};

TEST_F(EpochStatisticsViewTest, ShowsTheLatestOwnEstimatesAfterTheFiguresOnlyWhenGiven)
{
    ReceiverEpoch epoch = NmeaFix(0, 0);
    m_view.ShowEpoch(epoch);
    EXPECT_EQ(Text().find("Receiver's own"), std::string::npos);

    epoch.estimates.sigmaLatitude = 3.0;
    m_view.ShowEpoch(epoch);
    EXPECT_TRUE(Text().ends_with("lat 3.00 m\n"));
    epoch.estimates.sigmaLatitude = 0.5;
    m_view.ShowEpoch(epoch);
    const std::string text = Text();
    EXPECT_NE(text.find("Max vertical"), std::string::npos);
    EXPECT_TRUE(text.ends_with("\nReceiver's own 1-sigma:\nlat 0.50 m\n")) << text;

    // A truth epoch's estimates are not the receiver's; an opening forgets them.
    ReceiverEpoch truth = epoch;
    truth.truth = true;
    truth.estimates.sigmaLatitude = 9.0;
    m_view.ShowEpoch(truth);
    EXPECT_TRUE(Text().ends_with("lat 0.50 m\n"));
    m_view.OnUpdate(UpdateHint::Opening, nullptr);
    EXPECT_EQ(Text().find("Receiver's own"), std::string::npos);
}

}  // namespace
}  // namespace kestrion
