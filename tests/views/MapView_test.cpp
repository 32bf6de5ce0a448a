#include <gtest/gtest.h>

#include <QMouseEvent>
#include <QWheelEvent>
#include <QPushButton>

#include "support/ScriptedUi.h"
#include "support/TempFolder.h"
#include "ViewTests.h"
#include "dialogs/MapPreferencesDialog.h"
#include "protocol/Mid.h"
#include "views/MapView.h"

namespace kestrion {
namespace {

using Bar = CMapStatusBar;

constexpr int32_t kEquatorRadius = 6378137;
const QColor kRed(255, 0, 0);

// A record at latitude and longitude 0, moved north (z) and east (y) by whole metres.
CMessageRecord Navigation(uint8_t type, int32_t north, int32_t east)
{
    CMessageRecord record;
    record.SetType(type);
    record.nav.mid = type;
    record.nav.x = kEquatorRadius;
    record.nav.y = east;
    record.nav.z = north;
    return record;
}

class MapViewTest : public ::testing::Test {
protected:
    CProfile Profile() const { return CProfile(m_folder.Path() / "demo.ini"); }

    // The device pixels around a canvas point (at ratio 2), as a picture.
    static QImage Around(const QImage& image, CanvasPoint point)
    {
        return image.copy(QRect(2 * (point.x - 3), 2 * (point.y - 3), 12, 12));
    }
    const QImage& Plotted() const { return view->Canvas().Plot().Image(); }
    QString Field(Bar::Field field) const { return view->StatusBar().FieldText(field); }

    QApplication& app = test::ViewApplication();  // before any widget
    CTempFolder m_folder;
    fakes::CScriptedUi ui;
    ProtocolState protocol;
    CProfile profile = Profile();
    CFixRecorder recorder{profile, ui, [] { return false; }};
    std::unique_ptr<CMapView> view = std::make_unique<CMapView>(Profile(), ui, protocol, recorder);
    QImage empty = view->Canvas().Plot().Image();
};

TEST_F(MapViewTest, PlotsTheTrackAtTheDefaultScale)
{
    const CMessageRecord origin = Navigation(MID_MeasuredNavigation, 0, 0);
    view->OnUpdate(UpdateHint::Record, &origin);
    EXPECT_EQ(view->Canvas().Plot().Newest(), test::FromOrigin(view->Canvas(), 0, 0));
    const CMessageRecord north = Navigation(MID_MeasuredNavigation, 10, 0);
    view->OnUpdate(UpdateHint::Record, &north);
    EXPECT_EQ(view->Canvas().Plot().Newest(), test::FromOrigin(view->Canvas(), 0, -20));
    ASSERT_EQ(Plotted().devicePixelRatio(), 2.0);

    // Shown larger, the canvas fills the area at the same scale; a repaint only shows it.
    view->resize(640, 480);
    view->show();
    const QImage shown = view->grab().toImage();
    const QImage before = Plotted();
    EXPECT_EQ(before.deviceIndependentSize().toSize(), view->Canvas().viewport()->size());
    view->grab();
    EXPECT_EQ(Plotted(), before);
    const CanvasPoint middle = OriginPixel(view->Canvas().Plot().Frame());
    EXPECT_EQ(view->Canvas().Plot().Newest(), (CanvasPoint{middle.x, middle.y - 20}));
    const QPoint canvas = view->Canvas().mapTo(view.get(), QPoint(view->Canvas().Placement().left + middle.x,
                                                                    view->Canvas().Placement().top + middle.y - 20));
    EXPECT_EQ(shown.pixelColor(canvas * 2 - QPoint(1, 1)), kRed);
}

TEST_F(MapViewTest, TheWheelZoomsAndStoresTheScaleADragPansAndKeepsTheTrack)
{
    view->resize(640, 480);
    view->show();
    QWidget* viewport = view->Canvas().viewport();
    const QPointF middle(viewport->width() / 2.0, viewport->height() / 2.0);
    const auto wheel = [&](int delta, QPointF at) {
        QWheelEvent event(at, viewport->mapToGlobal(at), {}, {0, delta}, Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(viewport, &event);
    };
    const auto mouse = [&](QEvent::Type type, QPointF at, Qt::MouseButtons buttons) {
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, at, viewport->mapToGlobal(at), button, buttons, Qt::NoModifier);
        QApplication::sendEvent(viewport, &event);
    };
    for (int point = 0; point < 3; ++point) {
        const CMessageRecord north = Navigation(MID_MeasuredNavigation, 10 * point, 0);
        view->OnUpdate(UpdateHint::Record, &north);
    }
    const CanvasPoint origin = OriginPixel(view->Canvas().Plot().Frame());
    EXPECT_EQ(view->Canvas().Plot().Newest(), (CanvasPoint{origin.x, origin.y - 40}));

    // Back one step, from 0.5 m a pixel to 1: the newest point halfway to the origin, the
    // scale stored as the Preferences store it; half a step does nothing yet.
    wheel(-60, middle);
    EXPECT_EQ(Profile().GetString("Map View", "Scale", "none"), "none");
    wheel(-60, middle);
    EXPECT_EQ(Profile().GetString("Map View", "Scale", "none"), "1.00");
    EXPECT_EQ(view->Canvas().Plot().Newest(), (CanvasPoint{origin.x, origin.y - 20}));
    // Forward two steps about the newest point: it stays under the mouse.
    const CanvasPoint newest = *view->Canvas().Plot().Newest();
    wheel(240, QPointF(newest.x, newest.y) + QPointF(view->Canvas().Placement().left, view->Canvas().Placement().top));
    EXPECT_EQ(Profile().GetString("Map View", "Scale", "none"), "0.25");
    EXPECT_EQ(view->Canvas().Plot().Newest(), newest);
    EXPECT_EQ(view->Canvas().Plot().Frame().pixelsPerMetre, 4.0);

    // A left drag moves the ground with the mouse; a press without a move does not.
    mouse(QEvent::MouseButtonPress, middle, Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, middle, Qt::NoButton);
    EXPECT_EQ(view->Canvas().Plot().Newest(), newest);
    mouse(QEvent::MouseButtonPress, middle, Qt::LeftButton);
    mouse(QEvent::MouseMove, middle + QPointF(30, 5), Qt::LeftButton);
    mouse(QEvent::MouseMove, middle + QPointF(50, 25), Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, middle + QPointF(50, 25), Qt::NoButton);
    EXPECT_EQ(view->Canvas().Plot().Newest(), (CanvasPoint{newest.x + 50, newest.y + 25}));
    EXPECT_TRUE(ui.dialogs.empty());

    // Preferences from the file again: the picture starts afresh around the origin.
    view->OnUpdate(UpdateHint::Restarted, nullptr);
    EXPECT_EQ(view->Canvas().Plot().Frame().centre, GroundPoint{});
    EXPECT_EQ(view->Canvas().Plot().Frame().pixelsPerMetre, 4.0);
}

TEST_F(MapViewTest, TruePositionsStayAfterNewerMeasuredPoints)
{
    const CMessageRecord truth = Navigation(MID_TrueNavigation, 20, -20);
    view->OnUpdate(UpdateHint::Record, &truth);
    EXPECT_EQ(view->Canvas().Plot().Newest(), std::nullopt);
    const CanvasPoint truePoint = test::FromOrigin(view->Canvas(), -39, -40);
    const QImage drawn = Around(Plotted(), truePoint);
    EXPECT_NE(drawn, Around(empty, truePoint));
    for (int point = 0; point < 9; ++point) {
        const CMessageRecord measured = Navigation(MID_MeasuredNavigation, -5 * point, 5 * point);
        view->OnUpdate(UpdateHint::Record, &measured);
    }
    EXPECT_EQ(Around(Plotted(), truePoint), drawn);
}

TEST_F(MapViewTest, ClearButtonHintFourAndHintThreeEmptyTheCanvas)
{
    const CMessageRecord measured = Navigation(MID_MeasuredNavigation, 10, 10);
    const CMessageRecord truth = Navigation(MID_TrueNavigation, 10, -10);
    auto* clear = view->StatusBar().findChild<QPushButton*>();
    ASSERT_NE(clear, nullptr);
    EXPECT_EQ(clear->text(), "Clear");
    const std::function<void()> clearings[] = {
        [&] { clear->click(); },
        [&] { view->OnUpdate(UpdateHint::Opening, nullptr); },
        [&] { view->OnUpdate(UpdateHint::Restarted, nullptr); },
    };
    for (const auto& clearing : clearings) {
        view->OnUpdate(UpdateHint::Record, &measured);
        view->OnUpdate(UpdateHint::Record, &truth);
        ASSERT_NE(Plotted(), empty);
        clearing();
        EXPECT_EQ(Plotted(), empty);
        EXPECT_EQ(view->Canvas().Plot().Newest(), std::nullopt);
    }
}

TEST_F(MapViewTest, StatusBarShowsTheFixAndThePosition)
{
    protocol.generation = 2;
    CMessageRecord record = Navigation(MID_MeasuredNavigation, 0, 0);
    record.nav.vy = -6;
    record.nav.vz = -8;
    record.nav.mode1 = 0x84;
    record.nav.dop = 13;
    record.nav.mode2 = 0x0E;  // validated; the time-out and UI notes are not shown here
    record.nav.week = 5;
    record.nav.tow = 12345678;
    record.nav.svCount = 3;
    record.nav.svIds[0] = 5;
    record.nav.svIds[2] = 17;
    view->OnUpdate(UpdateHint::Record, &record);
    const std::pair<Bar::Field, QString> expected[] = {
        {Bar::kTime, " 123456.78"}, {Bar::kWeek, "   5"},        {Bar::kValidity, "Validated"},
        {Bar::kDop, "2.6"},         {Bar::kMode, "3D+DGPS"},     {Bar::kFix, "3"},
        {Bar::kSvList, "5 0 17 "},  {Bar::kLatitude, "  0.00000"}, {Bar::kLongitude, "  0.00000"},
        {Bar::kAltitude, "0"},      {Bar::kHeading, "217°"},     {Bar::kSpeed, "1.250"},
    };
    for (const auto& [field, text] : expected) {
        EXPECT_EQ(Field(field), text) << "control " << int(field);
    }

    protocol.generation = 1;
    record.nav.mode2 = 0;
    view->OnUpdate(UpdateHint::Record, &record);
    EXPECT_EQ(Field(Bar::kMode), "Full 3D+DGPS");
    EXPECT_EQ(Field(Bar::kValidity), "Unvalidated");
    record.nav.mode1 = 0xCC;
    view->OnUpdate(UpdateHint::Record, &record);
    EXPECT_EQ(Field(Bar::kMode), "Bad DOP");

    // A true position sets only the position block.
    CMessageRecord truth = Navigation(MID_TrueNavigation, 0, 0);
    truth.nav.x = -kEquatorRadius;
    truth.nav.vz = 80;
    truth.nav.mode1 = 0x04;
    view->OnUpdate(UpdateHint::Record, &truth);
    EXPECT_EQ(QStringList({Field(Bar::kLongitude), Field(Bar::kHeading), Field(Bar::kSpeed), Field(Bar::kMode)}),
              QStringList({"180.00000", "0°", "10.000", "Bad DOP"}));
}

TEST_F(MapViewTest, CaptionNamesTheReceiverSoftware)
{
    EXPECT_EQ(view->windowTitle(), "Map View");
    CMessageRecord version;
    version.SetType(MID_SWVersion);
    const char text[] = "GSW2 2.05.024";
    std::copy(std::begin(text), std::end(text), version.swVersion.version);
    view->OnUpdate(UpdateHint::Record, &version);
    EXPECT_EQ(view->windowTitle(), "Map View (SW Version: GSW2 2.05.024)");
}

TEST_F(MapViewTest, PreferencesFromTheCanvasAreWrittenAndTakeEffect)
{
    WriteText(Profile().Path(), "[Map View]\nScale=0.25\nRing 2=0\n");
    view = std::make_unique<CMapView>(Profile(), ui, protocol, recorder);
    view->resize(800, 800);
    std::vector<std::string> opened;  // scale and second ring, as the view gives them
    ui.onDialog = [&](CDialogForm& dialog) {
        opened = {dialog.Text(CMapPreferencesDialog::kScale), dialog.Text(CMapPreferencesDialog::kRing1 + 1)};
        dialog.Type(CMapPreferencesDialog::kScale, "1.255");
        dialog.Click(CMapPreferencesDialog::kCentre);
        dialog.Type(CMapPreferencesDialog::kLatitude, "0.0001");
        dialog.Type(CMapPreferencesDialog::kRing1, "45");
        return dialog.Ok();
    };
    const CMessageRecord measured = Navigation(MID_MeasuredNavigation, 0, 30);
    view->OnUpdate(UpdateHint::Record, &measured);

    QWidget* viewport = view->Canvas().viewport();
    QMouseEvent click(QEvent::MouseButtonDblClick, QPointF(5, 5), viewport->mapToGlobal(QPointF(5, 5)),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &click);
    ASSERT_EQ(ui.dialogs, std::vector<std::string>{"Preferences"});
    EXPECT_EQ(opened, (std::vector<std::string>{"0.25", "0"}));
    std::vector<std::string> stored;
    for (const char* key : {"Scale", "Center Fixed", "Lat", "Lon", "Ring 1", "Ring 2", "Ring 3"}) {
        stored.push_back(Profile().GetString("Map View", key, "none"));
    }
    EXPECT_EQ(stored, (std::vector<std::string>{"1.25", "1", "0.000100", "0.000000", "45", "0", "30"}));

    // Restarted: the track is gone, and the view follows the newest point from now on.
    EXPECT_EQ(view->Canvas().Plot().Newest(), std::nullopt);
    view->OnUpdate(UpdateHint::Record, &measured);
    const CanvasPoint newest = view->Canvas().Plot().Newest().value();
    EXPECT_EQ(newest, test::FromOrigin(view->Canvas(), 23, 8));  // 30 m east, 11 m south of the new origin at 0.8 pixels/m
    const CanvasPlacement placement = view->Canvas().Placement();
    EXPECT_EQ(placement.left + newest.x, viewport->width() / 2);
    EXPECT_EQ(placement.top + newest.y, viewport->height() / 2);

    // The right button's release asks again; Cancel changes nothing.
    ui.onDialog = [](CDialogForm&) { return false; };
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(5, 5), viewport->mapToGlobal(QPointF(5, 5)),
                        Qt::RightButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &release);
    EXPECT_EQ(ui.dialogs.size(), 2u);
    EXPECT_EQ(view->Canvas().Plot().Newest(), newest);
    EXPECT_EQ(Profile().GetString("Map View", "Scale", "none"), "1.25");
}

}  // namespace
}  // namespace kestrion
