#include <algorithm>
#include <cstdlib>
#include <initializer_list>

#include <gtest/gtest.h>

#include <QMouseEvent>
#include <QPainter>

#include "support/ScriptedUi.h"
#include "support/TempFolder.h"
#include "ViewTests.h"
#include "dialogs/TrackingViewConfiguration.h"
#include "protocol/Mid.h"
#include "app/DocumentView.h"
#include "views/PaintSurface.h"
#include "views/RadarRenderer.h"
#include "views/RadarView.h"

namespace kestrion {
namespace {

// Side 230: radius 100, centre (115, 115), inner circle 50 pixels in.
constexpr int kSide = 230;
constexpr int kMid = 115;

// At latitude 0, longitude 0, travelling east at `east` eighths of a metre per second.
CMessageRecord Navigation(int16_t east, uint8_t type = MID_MeasuredNavigation)
{
    CMessageRecord record;
    record.SetType(type);
    record.nav.x = 6378137;
    record.nav.vy = east;
    return record;
}

TrackerChannel Sat(uint8_t svId, uint8_t elevation, uint8_t cno = 40)
{
    TrackerChannel channel{};
    channel.svId = svId;
    channel.elevation = elevation;
    std::ranges::fill(channel.cno, cno);
    return channel;
}

CMessageRecord Tracker(std::initializer_list<TrackerChannel> channels)
{
    CMessageRecord record;
    record.SetType(MID_MeasuredTracker);
    std::ranges::copy(channels, record.tracker.channels);
    record.tracker.channelCount = static_cast<uint8_t>(channels.size());
    return record;
}

// The renderer on a white image, at ratio 1.
QImage Painted(const RadarScene* scene, int orientation = 0, int width = kSide)
{
    test::ViewApplication();  // for the fonts
    QImage image = MakeSurface(QSize(width, kSide), 1.0, Qt::white);
    QPainter painter(&image);
    SetUpPainter(painter);
    const CRadarGeometry geometry(image.width(), image.height());
    Settings settings;
    settings.radarOrientation = orientation;
    const std::optional<RadarPlot> plot = scene ? std::optional(PlotOf(geometry, *scene, settings)) : std::nullopt;
    PaintRadar(painter, geometry, plot ? &*plot : nullptr);
    return image;
}

QImage Plotted(int16_t east, std::initializer_list<TrackerChannel> channels = {}, int orientation = 0)
{
    const RadarScene scene{Navigation(east).nav, Tracker(channels).tracker, {}};
    return Painted(&scene, orientation);
}

QColor At(const QImage& image, int x, int y)
{
    return image.pixelColor(x, y);
}

const QColor kGreen = ToQColor(kFixGreen), kRed = ToQColor(kUnlockedRed), kBlue = ToQColor(kTrackedBlue);
const QColor kNone = Qt::black;

// Pixels of the colour in a part of the image; `near` takes the smoothed edges of text too.
int CountIn(const QImage& image, const QRect& part, const QColor& colour, bool near = false)
{
    int count = 0;
    for (int y = part.top(); y <= part.bottom(); ++y) {
        for (int x = part.left(); x <= part.right(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            const int distance = std::abs(pixel.red() - colour.red()) + std::abs(pixel.green() - colour.green()) +
                                 std::abs(pixel.blue() - colour.blue());
            count += distance <= (near ? 120 : 0) ? 1 : 0;
        }
    }
    return count;
}

TEST(RadarRenderer, TheEmptyPlotIsBlackWithLabelledGreenRingsAtZeroThirtyAndSixtyDegrees)
{
    const QImage empty = Painted(nullptr);
    EXPECT_EQ(At(empty, kMid, 15), kGreen);
    EXPECT_EQ(At(empty, kMid, 14), kNone);
    EXPECT_EQ(At(empty, 214, kMid), kGreen);  // the last column inside the outer rectangle
    EXPECT_EQ(At(empty, 215, kMid), kNone);
    EXPECT_EQ(At(empty, kMid, 180), kGreen);  // 30 degrees: 66 pixels out
    EXPECT_EQ(At(empty, kMid, 181), kNone);
    EXPECT_EQ(At(empty, kMid, 147), kGreen);  // 60 degrees: 33 pixels out
    EXPECT_EQ(At(empty, kMid, 164), kNone);   // no ring at 45 degrees
    for (const ElevationRing& ring : CRadarGeometry(kSide, kSide).ElevationRings()) {
        EXPECT_GT(CountIn(empty, QRect(ring.labelAt.x, ring.labelAt.y - 10, 20, 10), kGreen, true), 5) << ring.degrees;
    }

    // A wider area: the plot in its middle, black around it, the legend at the bottom left.
    const QImage wide = Painted(nullptr, 0, kSide + 60);
    EXPECT_EQ(At(wide, kMid + 30, 15), kGreen);
    EXPECT_EQ(At(wide, kMid, 15), kNone);
    EXPECT_EQ(At(wide, 5, 5), kNone);
    const QRect legend(0, kSide - 80, 30, 80);
    for (const Rgb colour : {kFixGreen, kTrackedBlue, kCyan, kUnlockedRed}) {
        EXPECT_GT(CountIn(wide, legend, ToQColor(colour)), 10);
    }
}

TEST(RadarRenderer, ASatelliteAtTheZenithSitsOnTheCentreWithBarsOrBrackets)
{
    const QImage blue = Plotted(0, {Sat(7, 180)});
    EXPECT_GT(CountIn(blue, QRect(kMid - 6, kMid - 6, 12, 12), Qt::white), 5);  // the label, light on blue
    EXPECT_EQ(At(blue, kMid - 13, kMid), kBlue);  // an arm
    EXPECT_EQ(At(blue, kMid, 107), kBlue);        // top of the body
    EXPECT_EQ(At(blue, kMid, 106), kNone);
    EXPECT_EQ(At(blue, kMid + 14, kMid - 9), kBlue);  // a bar, without its end pixel
    EXPECT_EQ(At(blue, kMid + 14, kMid + 9), kNone);
    EXPECT_EQ(At(blue, kMid + 11, kMid - 11), kNone);

    const QImage red = Plotted(0, {Sat(7, 180, 0)});
    EXPECT_EQ(At(red, kMid + 11, kMid - 11), kRed);  // the brackets
    EXPECT_EQ(At(red, kMid - 14, kMid + 6), kRed);
    EXPECT_EQ(At(red, kMid + 14, kMid - 9), kNone);
    EXPECT_EQ(At(red, kMid + 11, kMid + 11), kNone);
}

TEST(RadarRenderer, ASpeedAboveTheOuterVelocityStopsTheArrowTenPixelsOutside)
{
    const QImage fast = Plotted(40);  // 5 m/s of 4: 110 pixels east
    EXPECT_EQ(At(fast, 214, kMid), kRed);  // over the outer circle
    EXPECT_EQ(At(fast, 225, kMid), kRed);  // the tip
    EXPECT_EQ(At(fast, 226, kMid), kNone);
    EXPECT_EQ(At(fast, 222, 112), kRed);  // the barbs
    EXPECT_EQ(At(fast, 221, 118), kRed);

    const QImage atOuter = Plotted(32);  // exactly 4 m/s: the tip just outside the circle
    EXPECT_EQ(At(atOuter, 215, kMid), kRed);
    EXPECT_EQ(At(atOuter, 220, kMid), kNone);
}

TEST(RadarRenderer, HeadingUpPointsTheArrowUpAndMovesNorth)
{
    const QImage empty = Painted(nullptr);
    const auto changedAround = [&](const QImage& image, int x, int y) {
        const QRect box(x - 8, y - 8, 17, 17);
        return image.copy(box) != empty.copy(box);
    };
    const QImage northUp = Plotted(16);  // east at 2 m/s: 50 pixels
    EXPECT_EQ(At(northUp, 140, kMid), kRed);
    EXPECT_TRUE(changedAround(northUp, kMid, 15));
    EXPECT_TRUE(changedAround(northUp, 15, kMid));  // the "W"

    const QImage headingUp = Plotted(16, {}, 1);
    EXPECT_EQ(At(headingUp, kMid, 66), kRed);
    EXPECT_EQ(At(headingUp, 140, kMid), kNone);
    // Travelling east: the "E" is up and the "N" to the left, where the "W" was.
    const auto letterAt = [](const QImage& image, int x, int y) { return image.copy(QRect(x - 8, y - 8, 17, 17)); };
    EXPECT_NE(letterAt(headingUp, kMid, 15), letterAt(northUp, kMid, 15));
    EXPECT_NE(letterAt(headingUp, 15, kMid), letterAt(northUp, 15, kMid));
    EXPECT_TRUE(changedAround(headingUp, 15, kMid));
}

class RadarViewTest : public ::testing::Test {
protected:
    CProfile Profile() const { return CProfile(m_folder.Path() / "demo.ini"); }
    std::unique_ptr<CRadarView> MakeView()
    {
        auto view = std::make_unique<CRadarView>(Profile(), m_ui);
        view->resize(kSide, kSide);
        return view;
    }
    static QImage Shown(CRadarView& view) { return view.grab().toImage(); }
    static void Deliver(CRadarView& view, std::initializer_list<CMessageRecord> records)
    {
        for (const CMessageRecord& record : records) {
            view.OnUpdate(UpdateHint::Record, &record);
        }
    }
    static void Mouse(CRadarView& view, QEvent::Type type, Qt::MouseButton button)
    {
        QMouseEvent event(type, QPointF(20, 20), view.mapToGlobal(QPointF(20, 20)), button, button, Qt::NoModifier);
        QApplication::sendEvent(&view, &event);
    }

    QApplication& m_app = test::ViewApplication();
    CTempFolder m_folder;
    fakes::CScriptedUi m_ui;
};

TEST_F(RadarViewTest, PlotsOnlyANavigationRecordAfterTrackerDataAndKeepsItUntilTheSourceOpens)
{
    const auto view = MakeView();
    EXPECT_EQ(view->windowTitle(), "Tracking View");
    const QImage empty = Shown(*view);
    Deliver(*view, {Navigation(16)});
    EXPECT_EQ(Shown(*view), empty);

    Deliver(*view, {Tracker({Sat(7, 100)}), Navigation(16)});
    const QImage plotted = Shown(*view);
    EXPECT_NE(plotted, empty);
    EXPECT_TRUE(std::ranges::any_of(std::span(reinterpret_cast<const QRgb*>(plotted.constBits()),
                                              static_cast<size_t>(plotted.sizeInBytes()) / sizeof(QRgb)),
                                    [](QRgb pixel) { return QColor(pixel) == kBlue; }));

    // No tracker data since the last plot, new tracker data without navigation, a repaint,
    // another size and back, settings re-read: the satellites stay.
    Deliver(*view, {Navigation(-40), Tracker({Sat(9, 20)})});
    view->OnUpdate(UpdateHint::Restarted, nullptr);
    view->resize(kSide + 40, kSide + 10);
    view->resize(kSide, kSide);
    EXPECT_EQ(Shown(*view), plotted);

    view->OnUpdate(UpdateHint::Opening, nullptr);
    EXPECT_EQ(Shown(*view), empty);
    Deliver(*view, {Navigation(16)});  // the tracker data before the opening is not plotted
    EXPECT_EQ(Shown(*view), empty);
}

TEST_F(RadarViewTest, TheTruePositionShowsOnlyInTruthModeAfterATrueRecord)
{
    CMessageRecord truth = Navigation(0, MID_TrueNavigation);
    truth.nav.y = 10;
    const auto shownWith = [&](std::initializer_list<CMessageRecord> records) {
        const auto view = MakeView();
        Deliver(*view, records);
        return Shown(*view);
    };
    const QImage withoutMark = shownWith({Tracker({}), Navigation(16)});
    EXPECT_EQ(shownWith({truth, Tracker({}), Navigation(16)}), withoutMark);  // no truth data in use

    Profile().WriteInt("Data Sources", "UseTrue", 1);
    EXPECT_EQ(shownWith({Tracker({}), Navigation(16)}), withoutMark);
    EXPECT_NE(shownWith({truth, Tracker({}), Navigation(16)}), withoutMark);

    Profile().WriteInt("Data Sources", "DataSource", 0);  // random data has no truth
    EXPECT_EQ(shownWith({truth, Tracker({}), Navigation(16)}), withoutMark);
}

TEST_F(RadarViewTest, TheConfigurationDialogWritesTheSettingsAndTheViewRereadsThem)
{
    const auto view = MakeView();
    Deliver(*view, {Tracker({Sat(7, 100)}), Navigation(16)});
    const QImage northUp = Shown(*view);

    using D = CTrackingViewConfiguration;
    std::vector<std::string> opened;  // velocity, position, orientation
    bool accept = true;
    m_ui.onDialog = [&](CDialogForm& dialog) {
        opened.push_back(dialog.Text(D::kVelocity) + " " + dialog.Text(D::kPosition) + " " +
                         std::to_string(dialog.Value(D::kOrientation)));
        dialog.Type(D::kVelocity, "8.5");
        dialog.ChooseRadio(D::kOrientation, 1);
        return accept && dialog.Ok();
    };
    Mouse(*view, QEvent::MouseButtonRelease, Qt::LeftButton);
    Mouse(*view, QEvent::MouseButtonDblClick, Qt::RightButton);
    EXPECT_TRUE(m_ui.dialogs.empty());

    Mouse(*view, QEvent::MouseButtonDblClick, Qt::LeftButton);
    EXPECT_EQ(Profile().GetString("Radar View", "Orientation", ""), "1");
    EXPECT_EQ(Profile().GetString("Radar View", "Outer Radius Velocity", ""), "8.50");
    EXPECT_EQ(Profile().GetString("Radar View", "Outer Radius Position", ""), "20");
    EXPECT_NE(Shown(*view), northUp);

    Profile().WriteString("Radar View", "Outer Radius Position", "35");
    view->OnUpdate(UpdateHint::Restarted, nullptr);
    accept = false;
    Mouse(*view, QEvent::MouseButtonRelease, Qt::RightButton);
    EXPECT_EQ(m_ui.dialogs, (std::vector<std::string>(2, "Tracking View Configuration")));
    EXPECT_EQ(opened, (std::vector<std::string>{"4 20 0", "8.5 35 1"}));
    EXPECT_EQ(Profile().GetString("Radar View", "Outer Radius Velocity", ""), "8.50");  // Cancel writes nothing
}

}  // namespace
}  // namespace kestrion
