// The tracking and signal level views drawn from receiver epochs of several systems.
#include <algorithm>
#include <set>

#include <gtest/gtest.h>

#include <QScrollBar>

#include "support/ScriptedUi.h"
#include "support/TempFolder.h"
#include "ViewTests.h"
#include "app/DocumentView.h"
#include "protocol/Mid.h"
#include "views/PaintSurface.h"
#include "views/RadarView.h"
#include "geo/Geodetic.h"
#include "views/SignalView.h"

// Qt's keyword macro would hide SatelliteView::signals.
#undef signals

namespace kestrion {
namespace {

constexpr int kSatellites = 40;

// Satellite i of the multi-system epoch: GPS 1..12, GLONASS 1..10, Galileo 1..10, BeiDou 30..37.
SatelliteId IdOf(int i)
{
    if (i < 12) return {GnssSystem::Gps, static_cast<uint16_t>(i + 1)};
    if (i < 22) return {GnssSystem::Glonass, static_cast<uint16_t>(i - 11)};
    if (i < 32) return {GnssSystem::Galileo, static_cast<uint16_t>(i - 21)};
    return {GnssSystem::BeiDou, static_cast<uint16_t>(i - 2)};
}

bool Unplaced(int i) { return i % 10 == 9; }
bool Untracked(int i) { return i % 7 == 6; }
bool Used(int i) { return i % 3 == 0 && !Untracked(i); }

SignalObservation Signal(char id, std::optional<int> cn0)
{
    SignalObservation signal;
    signal.id = id;
    signal.cn0 = cn0;
    signal.samples.fill(static_cast<uint8_t>(cn0.value_or(0)));
    return signal;
}

// 40 satellites with signals '1' and '7', four of them without elevation and azimuth.
ReceiverEpoch MultiSystemEpoch(int count = kSatellites)
{
    ReceiverEpoch epoch;
    epoch.source = ReceiverEpoch::Source::Nmea;
    epoch.fix = FixMode::ThreeD;
    epoch.satellitesFresh = true;
    for (int i = 0; i < count; ++i) {
        SatelliteView satellite;
        satellite.id = IdOf(i);
        if (!Unplaced(i)) {
            satellite.elevation = 5 + (i * 7) % 85;
            satellite.azimuth = (i * 37) % 360;
        }
        const std::optional<int> cn0 = Untracked(i) ? std::nullopt : std::optional(30 + i % 15);
        satellite.observations = {Signal('1', cn0), Signal('7', cn0 ? std::optional(*cn0 - 3) : std::nullopt)};
        satellite.used = Used(i);
        epoch.satellites.push_back(satellite);
    }
    return epoch;
}

SatelliteView Placed(SatelliteId id, double elevation, double azimuth, int cn0 = 40)
{
    SatelliteView satellite;
    satellite.id = id;
    satellite.elevation = elevation;
    satellite.azimuth = azimuth;
    satellite.observations = {Signal('1', cn0)};
    return satellite;
}

ReceiverEpoch NmeaEpoch(std::vector<SatelliteView> satellites)
{
    ReceiverEpoch epoch;
    epoch.source = ReceiverEpoch::Source::Nmea;
    epoch.satellites = std::move(satellites);
    return epoch;
}

PlotPoint CentreOf(const SatelliteSymbol& symbol)
{
    return {(symbol.body.left + symbol.body.right) / 2, (symbol.body.top + symbol.body.bottom) / 2};
}

// Whole pixels from sines and cosines may be one short.
void ExpectNear(PlotPoint actual, PlotPoint expected)
{
    EXPECT_NEAR(actual.x, expected.x, 1);
    EXPECT_NEAR(actual.y, expected.y, 1);
}

Settings RadarSettings()
{
    Settings settings;
    settings.radarVelocityRadius = 10.0;
    settings.radarPositionRadius = 100.0;
    settings.radarOrientation = 0;
    return settings;
}

// Side 230: radius 100, centre (115, 115).
const CRadarGeometry kGeometry(230, 230);

TEST(RadarEpochPlot, EveryPlacedSatelliteOfEverySystemIsDrawnLabelledAndColouredByItsState)
{
    const ReceiverEpoch epoch = MultiSystemEpoch();
    const RadarPlot plot = PlotOf(kGeometry, RadarEpochScene{epoch, std::nullopt}, RadarSettings());

    ASSERT_EQ(plot.satellites.size(), 36u);  // more than twelve, none of the four unplaced
    size_t symbol = 0;
    for (int i = 0; i < kSatellites; ++i) {
        if (Unplaced(i)) {
            continue;
        }
        const SatelliteSymbol& drawn = plot.satellites[symbol++];
        EXPECT_EQ(drawn.label, SatelliteLabel(IdOf(i)));
        const Rgb expected = Untracked(i) ? kUnlockedRed : Used(i) ? kFixGreen : kTrackedBlue;
        EXPECT_EQ(drawn.colour, expected) << drawn.label;
    }
    std::set<std::string> labels;
    for (const SatelliteSymbol& drawn : plot.satellites) {
        labels.insert(drawn.label);
    }
    EXPECT_TRUE(labels.contains(" 1"));
    EXPECT_TRUE(labels.contains("R01"));
    EXPECT_TRUE(labels.contains("C36"));
    EXPECT_FALSE(labels.contains("C37"));  // unplaced, as are G10, R08 and E08
    EXPECT_FALSE(labels.contains("10"));
    // Three-character labels get the wide body.
    const auto glonass = std::ranges::find(plot.satellites, std::string("R01"), &SatelliteSymbol::label);
    EXPECT_EQ(glonass->body.right - glonass->body.left, 20);
}

TEST(RadarEpochPlot, ElevationAndAzimuthInDegreesPlaceTheSymbolAndHeadingUpTurnsThePlot)
{
    ReceiverEpoch epoch = NmeaEpoch({Placed({GnssSystem::Galileo, 11}, 90, 0), Placed({GnssSystem::Glonass, 12}, 0, 90),
                                     Placed({GnssSystem::BeiDou, 37}, 45, 180)});
    epoch.velocity.course = 90.0;
    epoch.velocity.groundSpeed = 5.0;  // half the outer velocity

    Settings settings = RadarSettings();
    RadarPlot plot = PlotOf(kGeometry, RadarEpochScene{epoch, std::nullopt}, settings);
    ASSERT_EQ(plot.satellites.size(), 3u);
    ExpectNear(CentreOf(plot.satellites[0]), {115, 115});
    ExpectNear(CentreOf(plot.satellites[1]), {215, 115});
    ExpectNear(CentreOf(plot.satellites[2]), {115, 165});
    ExpectNear(plot.arrow[0].to, {165, 115});  // east, 50 pixels
    ExpectNear(plot.north, {115, 15});

    settings.radarOrientation = 1;
    plot = PlotOf(kGeometry, RadarEpochScene{epoch, std::nullopt}, settings);
    ExpectNear(CentreOf(plot.satellites[1]), {115, 15});  // the course points up
    ExpectNear(plot.arrow[0].to, {115, 65});
    ExpectNear(plot.north, {15, 115});
}

TEST(RadarEpochPlot, CourseArrowStopsOutsideTheCircleAndIsAbsentWithoutSpeed)
{
    ReceiverEpoch epoch = NmeaEpoch({});
    epoch.velocity.course = 0.0;
    epoch.velocity.groundSpeed = 25.0;
    EXPECT_EQ(CourseOf(epoch, 10.0, 100).length, 110);
    epoch.velocity.groundSpeed.reset();
    EXPECT_EQ(CourseOf(epoch, 10.0, 100).length, 0);
}

TEST(RadarEpochPlot, ZeroCn0IsNotTrackedAndSbasIsCyanInADifferentialFix)
{
    SatelliteView sbas = Placed({GnssSystem::Sbas, 123}, 30, 200);
    SatelliteView silent = Placed({GnssSystem::Gps, 7}, 30, 100, 0);
    silent.used = true;
    ReceiverEpoch epoch = NmeaEpoch({sbas, silent});
    epoch.fix = FixMode::Dgps;
    EXPECT_EQ(SatelliteColour(epoch.satellites[0], epoch), kCyan);
    EXPECT_EQ(SatelliteColour(epoch.satellites[1], epoch), kUnlockedRed);
    epoch.fix = FixMode::ThreeD;
    EXPECT_EQ(SatelliteColour(epoch.satellites[0], epoch), kTrackedBlue);
}

TEST(RadarEpochPlot, TruePositionMarkFromEpochPositions)
{
    ReceiverEpoch measured = NmeaEpoch({});
    measured.position = EpochPosition{0.0, 0.0, 0.0};
    ReceiverEpoch truth = measured;
    truth.truth = true;
    truth.position->latitude = 50.0 / kMetresPerDegree;  // 50 m north: half the outer circle
    const RadarPlot plot = PlotOf(kGeometry, RadarEpochScene{measured, truth}, RadarSettings());
    ASSERT_TRUE(plot.trueMark.has_value());
    const PlotLine& stroke = (*plot.trueMark)[0];
    EXPECT_EQ((stroke.from.x + stroke.to.x) / 2, 115);
    EXPECT_NEAR((stroke.from.y + stroke.to.y) / 2, 65, 1);

    measured.position.reset();
    EXPECT_FALSE(PlotOf(kGeometry, RadarEpochScene{measured, truth}, RadarSettings()).trueMark.has_value());
}

class EpochViewTest : public ::testing::Test {
protected:
    CProfile Profile() const { return CProfile(m_folder.Path() / "demo.ini"); }

    QApplication& m_app = test::ViewApplication();
    CTempFolder m_folder;
    fakes::CScriptedUi m_ui;
};

TEST_F(EpochViewTest, TrackingViewPaintsAnNmeaEpochAtOnce)
{
    CRadarView view(Profile(), m_ui);
    view.resize(230, 230);
    view.ShowEpoch(NmeaEpoch({Placed({GnssSystem::Galileo, 11}, 45, 0)}));
    QImage image(view.size(), QImage::Format_RGB32);
    view.render(&image);
    const auto blueAround = [&image](int x, int y) {
        int count = 0;
        for (int dy = -3; dy <= 3; ++dy) {
            for (int dx = -3; dx <= 3; ++dx) {
                // Smoothed edges are blue only nearly.
                const QColor colour = image.pixelColor(x + dx, y + dy);
                count += colour.blue() > 150 && colour.red() < 100 && colour.green() < 100;
            }
        }
        return count;
    };
    // The symbol at (115, 65), its arms reaching 14 pixels either side; none at the zenith.
    EXPECT_GT(blueAround(104, 65), 0);
    EXPECT_GT(blueAround(126, 65), 0);
    EXPECT_EQ(blueAround(115, 115), 0);

    view.OnUpdate(UpdateHint::Opening, nullptr);
    view.render(&image);
    EXPECT_EQ(blueAround(104, 65), 0);
}

std::vector<std::string> Labels(const CSignalView& view)
{
    std::vector<std::string> labels;
    for (int row = 0; row < view.RowCount(); ++row) {
        labels.push_back(view.Row(row).texts[0]);
    }
    return labels;
}

int RowOf(const CSignalView& view, const std::string& label)
{
    const std::vector<std::string> labels = Labels(view);
    return static_cast<int>(std::ranges::find(labels, label) - labels.begin());
}

TEST_F(EpochViewTest, SignalViewHasARowPerSatelliteSignalOrderedAndScrollsWhenTheyDoNotFit)
{
    CSignalView view(Profile(), {}, {});
    view.resize(1280, 720);
    view.ShowEpoch(MultiSystemEpoch());

    ASSERT_EQ(view.RowCount(), 2 * kSatellites);
    const std::vector<std::string> labels = Labels(view);
    EXPECT_EQ(labels[0], "G01 1");
    EXPECT_EQ(labels[1], "G01 7");
    EXPECT_EQ(labels[24], "R01 1");
    EXPECT_EQ(labels[79], "C37 7");
    EXPECT_EQ(view.Row(1).row.top - view.Row(0).row.top, kSignalMinimumRowHeight);
    EXPECT_TRUE(view.ScrollBar().isVisibleTo(&view));
    EXPECT_LE(view.Row(0).row.right, 1280 - view.ScrollBar().width() - 5);

    for (int i = 0; i < kSatellites; ++i) {
        const int row = RowOf(view, RinexName(IdOf(i)) + " 7");
        ASSERT_LT(row, view.RowCount());
        const SignalRowPicture& picture = view.Row(row);
        EXPECT_EQ(picture.textColour, Untracked(i) ? kUnlockedRed : Used(i) ? kFixGreen : kTrackedBlue);
        EXPECT_EQ(picture.texts[2].empty(), Unplaced(i));  // azimuth
        EXPECT_EQ(picture.texts[4].empty(), Untracked(i));  // C/N0
    }

    view.resize(1280, 30 + 80 * kSignalMinimumRowHeight);
    view.ShowEpoch(MultiSystemEpoch());
    EXPECT_FALSE(view.ScrollBar().isVisibleTo(&view));
}

TEST_F(EpochViewTest, SignalRowsKeepTheirHistoryBySatelliteAndLeaveAfterAWhile)
{
    CSignalView view(Profile(), {}, {});
    view.resize(1280, 720);
    const SatelliteView g5 = Placed({GnssSystem::Gps, 5}, 40, 40, 44);
    const SatelliteView e11 = Placed({GnssSystem::Galileo, 11}, 40, 40, 35);
    for (int epoch = 0; epoch < 3; ++epoch) {
        view.ShowEpoch(NmeaEpoch({g5, e11}));
    }
    ASSERT_EQ(view.RowCount(), 2);
    EXPECT_EQ(view.Row(1).plots.size(), 3u);

    // A satellite sorted before the Galileo one moves its row down with its history.
    view.ShowEpoch(NmeaEpoch({g5, Placed({GnssSystem::Glonass, 3}, 10, 10), e11}));
    ASSERT_EQ(Labels(view), (std::vector<std::string>{"G05 1", "R03 1", "E11 1"}));
    EXPECT_EQ(view.Row(2).plots.size(), 4u);
    EXPECT_EQ(view.Row(1).plots.size(), 1u);
    EXPECT_EQ(view.Row(2).plots.back().channel.cno[0], 35);

    // Gone: blanked at once, still a row for a while, then no more.
    view.ShowEpoch(NmeaEpoch({g5, e11}));
    ASSERT_EQ(view.RowCount(), 3);
    EXPECT_TRUE(view.Row(1).texts[0].empty());
    EXPECT_TRUE(view.Row(1).plots.empty());
    for (int epoch = 1; epoch < CSignalView::kForgetAfterEpochs; ++epoch) {
        view.ShowEpoch(NmeaEpoch({g5, e11}));
    }
    EXPECT_EQ(view.RowCount(), 3);
    view.ShowEpoch(NmeaEpoch({g5, e11}));
    EXPECT_EQ(Labels(view), (std::vector<std::string>{"G05 1", "E11 1"}));
}

TEST_F(EpochViewTest, SignalViewReturnsToTheTwelveChannelsForBinaryRecords)
{
    CSignalView view(Profile(), {}, {});
    view.resize(1280, 720);
    const SignalRow binaryFirst = LayoutSignalRow(0, 1280, 720);
    view.ShowEpoch(MultiSystemEpoch());
    ASSERT_EQ(view.RowCount(), 80);

    CMessageRecord tracker;
    tracker.SetType(MID_MeasuredTracker);
    tracker.tracker.channelCount = kChannels;
    tracker.tracker.channels[0].svId = 9;
    std::fill(std::begin(tracker.tracker.channels[0].cno), std::end(tracker.tracker.channels[0].cno), 40);
    tracker.tracker.channels[0].averageCno = 40;
    CMessageRecord nav;
    nav.SetType(MID_MeasuredNavigation);
    view.OnUpdate(UpdateHint::Record, &tracker);
    view.OnUpdate(UpdateHint::Record, &nav);

    ASSERT_EQ(view.RowCount(), kSignalRows);
    EXPECT_EQ(view.Row(0).texts[0], "  9       ");
    EXPECT_EQ(view.Row(0).textColour, kTrackedBlue);
    EXPECT_EQ(view.Row(0).row.top, binaryFirst.top);
    EXPECT_EQ(view.Row(0).row.right, binaryFirst.right);
    EXPECT_FALSE(view.ScrollBar().isVisibleTo(&view));
}

TEST(SignalEpochTexts, NameWithSignalAndBlanksForWhatIsUnknown)
{
    SatelliteView satellite = Placed({GnssSystem::Galileo, 11}, 45.9, 271.5, 38);
    satellite.observations[0].id = '7';
    auto texts = SignalRowTexts(satellite, satellite.observations[0]);
    EXPECT_EQ(texts[0], "E11 7");
    EXPECT_TRUE(texts[1].empty());
    EXPECT_EQ(texts[2], "271       ");
    EXPECT_EQ(texts[3], "45        ");
    EXPECT_EQ(texts[4], "38 ");

    satellite.elevation.reset();
    satellite.observations[0] = Signal(0, std::nullopt);
    texts = SignalRowTexts(satellite, satellite.observations[0]);
    EXPECT_EQ(texts[0], "E11");
    EXPECT_TRUE(texts[3].empty());
    EXPECT_TRUE(texts[4].empty());
}

}  // namespace
}  // namespace kestrion
