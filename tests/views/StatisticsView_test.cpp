#include "views/StatisticsView.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <span>

#include <QPushButton>

#include "support/ScriptedUi.h"
#include "support/TempFolder.h"
#include "ViewTests.h"
#include "protocol/Mid.h"
#include "views/PaintSurface.h"
#include "views/ScatterGeometry.h"
#include "views/StatisticsRenderer.h"

namespace kestrion {
namespace {

size_t ErrorDots(const QImage& picture)
{
    const QImage image = picture.convertToFormat(QImage::Format_RGB32);
    const auto pixels = std::span(reinterpret_cast<const QRgb*>(image.constBits()),
                                  static_cast<size_t>(image.sizeInBytes()) / sizeof(QRgb));
    return static_cast<size_t>(
        std::ranges::count_if(pixels, [](QRgb pixel) { return QColor(pixel) == ToQColor(kErrorColour); }));
}

class StatisticsViewTest : public ::testing::Test {
protected:
    StatisticsViewTest()
    {
        // A fixed reference at the fixes' origin.
        WriteText(m_folder.Path() / "demo.ini", "[Statistics]\nRef Lat=0\nRef Lon=0\nRef Alt=0\n");
        m_view.resize(640, 480);
        m_view.setAttribute(Qt::WA_DontShowOnScreen);
        m_view.show();
        Deliver(UpdateHint::Opening, nullptr);
    }

    void Deliver(UpdateHint hint, const CMessageRecord* record)
    {
        m_recorder.OnUpdate(hint, record);
        m_view.OnUpdate(hint, record);
    }
    void DeliverFixes(int count)
    {
        for (int i = 0; i < count; ++i) {
            const CMessageRecord fix = test::FixAt(static_cast<uint32_t>(100 * i), (i % 7) - 3, (i % 5) - 2);
            Deliver(UpdateHint::Record, &fix);
        }
    }
    QImage Shown() { return m_view.grab().toImage(); }

    QApplication& m_app = test::ViewApplication();
    CTempFolder m_folder;
    CProfile m_profile{m_folder.Path() / "demo.ini"};
    fakes::CScriptedUi m_ui;
    CFixRecorder m_recorder{m_profile, m_ui, [] { return false; }};
    CStatisticsView m_view{m_recorder};
};

TEST_F(StatisticsViewTest, ShowsTheFiguresAndTheirErrorsAndKeepsThemAcrossResizeWithoutRecomputing)
{
    EXPECT_EQ(m_view.windowTitle(), "Statistics View");
    EXPECT_EQ(ErrorDots(Shown()), 0U);
    DeliverFixes(35);
    const QImage plotted = Shown();
    EXPECT_GT(ErrorDots(plotted), 0U);
    EXPECT_EQ(m_view.Canvas().Shown().figures.count, 35U);
    EXPECT_NE(m_view.Canvas().Text().find("Reference: fixed reference"), std::string::npos);
    EXPECT_NE(m_view.Canvas().Text().find("Fixes: 35"), std::string::npos);

    const int fetches = m_view.Canvas().Fetches();
    m_view.resize(500, 700);
    EXPECT_GT(ErrorDots(Shown()), 0U);
    m_view.resize(640, 480);
    EXPECT_EQ(Shown(), plotted);
    EXPECT_EQ(m_view.Canvas().Fetches(), fetches);
}

TEST_F(StatisticsViewTest, NewFixesAreFetchedAtMostOncePerRefreshInterval)
{
    test::RunEventsFor(50);
    const int fetches = m_view.Canvas().Fetches();
    DeliverFixes(50);
    test::RunEventsFor(CStatisticsCanvas::kRefreshMs / 2);
    EXPECT_EQ(m_view.Canvas().Fetches(), fetches);  // the throttle has not fired yet
    test::RunEventsFor(CStatisticsCanvas::kRefreshMs * 3);
    EXPECT_EQ(m_view.Canvas().Fetches(), fetches + 1);
    EXPECT_EQ(m_view.Canvas().Shown().figures.count, 50U);
}

TEST_F(StatisticsViewTest, ResetAndANewOpeningClearTheFiguresAndThePoints)
{
    DeliverFixes(20);
    ASSERT_GT(ErrorDots(Shown()), 0U);
    m_view.ResetButton()->click();
    EXPECT_EQ(m_recorder.TrackSize(), 0U);
    EXPECT_EQ(ErrorDots(Shown()), 0U);
    EXPECT_EQ(m_view.Canvas().Shown().figures.count, 0U);

    DeliverFixes(20);
    ASSERT_GT(ErrorDots(Shown()), 0U);
    Deliver(UpdateHint::Opening, nullptr);
    EXPECT_EQ(ErrorDots(Shown()), 0U);
}

TEST(StatisticsRenderer, TheRunningMeanIsNamedAndTheCirclesAreDrawnInTheirColours)
{
    test::ViewApplication();
    AccuracyFigures figures;
    figures.cep50 = 2;
    figures.cep95 = 4;
    const StatisticsInk ink{Qt::white, Qt::black};
    const QImage picture = RenderStatistics({640, 480}, 1, ink, {"Reference: running mean of the fixes\n", figures, {}});
    const CScatterGeometry geometry(kFiguresTextWidth, 0, 640 - kFiguresTextWidth, 480, ScatterHold(figures));
    const ScatterPixel centre = geometry.Centre();
    const int cep50 = geometry.CircleOf(2).radius;
    const int cep95 = geometry.CircleOf(4).radius;
    EXPECT_EQ(picture.pixelColor(centre.x + cep50, centre.y + 1), ToQColor(kCep50Colour));
    EXPECT_EQ(picture.pixelColor(centre.x + 1, centre.y - cep95), ToQColor(kCep95Colour));
    EXPECT_EQ(ErrorDots(picture), 0U);
}

}  // namespace
}  // namespace kestrion
