#include <gtest/gtest.h>

#include <QFontInfo>
#include <QFontMetrics>
#include <QMouseEvent>

#include "support/TempFolder.h"
#include "ViewTests.h"
#include "platform/Settings.h"
#include "protocol/Mid.h"
#include "app/DocumentView.h"
#include "views/PaintSurface.h"
#include "views/SignalView.h"

namespace kestrion {
namespace {

// The pixel at a logical point of an image at any ratio.
QRgb At(const QImage& image, int x, int y)
{
    const qreal ratio = image.devicePixelRatio();
    return image.pixel(qRound(x * ratio), qRound(y * ratio));
}

QRgb Rgb32(Rgb colour)
{
    return ToQColor(colour).rgb();
}

// Pixels of the colour among the inside rows of a chart.
int CountInside(const QImage& chart, Rgb colour)
{
    int count = 0;
    const QRgb wanted = Rgb32(colour);
    for (int y = qRound(chart.devicePixelRatio()); y < chart.height() - 2 * chart.devicePixelRatio(); ++y) {
        for (int x = 0; x < chart.width(); ++x) {
            count += chart.pixel(x, y) == wanted;
        }
    }
    return count;
}

TrackerChannel Channel(uint8_t svId, uint8_t cno, uint16_t state = 0xBF)
{
    TrackerChannel channel{};
    channel.svId = svId;
    channel.state = state;
    std::fill(std::begin(channel.cno), std::end(channel.cno), cno);
    channel.averageCno = cno;
    return channel;
}

// Rows of c = 4 (cells of 41) and H = 20, drawn at ratio 1.
class SignalRendererTest : public ::testing::Test {
protected:
    SignalRow row = LayoutSignalRow(0, 440, 30 + 12 * 24);
    SignalRowPicture picture = MakeSignalRowPicture(row, 1.0, Qt::gray);
    SignalChartStyle style{MakeSignalScale(2), 0};
};

TEST_F(SignalRendererTest, ALaidOutRowHasFiveOutlinedCellsAndNoTexts)
{
    ASSERT_EQ(picture.chart.size(), QSize(202, 20));
    const QRgb black = Rgb32(kBlack);
    const QRgb white = Rgb32(kWhite);
    // Cell k outlines x = 41k .. 41k + 40 and y = 0 .. 18; the last line is background.
    EXPECT_EQ(std::vector<QRgb>({At(picture.chart, 0, 5), At(picture.chart, 40, 5), At(picture.chart, 41, 5),
                                 At(picture.chart, 50, 0), At(picture.chart, 50, 18), At(picture.chart, 50, 19)}),
              std::vector<QRgb>({black, black, black, black, black, QColor(Qt::gray).rgb()}));
    EXPECT_EQ(At(picture.chart, 1, 1), white);
    EXPECT_EQ(At(picture.chart, 39, 17), white);
    EXPECT_EQ(At(picture.chart, 201, 10), white);  // the last cell's right edge lies beyond the chart
    EXPECT_EQ(picture.lastY, 18);
    EXPECT_TRUE(picture.texts[0].empty());
}

TEST_F(SignalRendererTest, TheRangeEndsPlotOnTheBottomAndTopInsideLines)
{
    style.graphType = 1;  // a line passes through every sample's own pixel
    struct Case {
        int mode;
        uint8_t raw;
        int y;
    };
    for (const Case c : {Case{1, 65, 17}, Case{1, 95, 1}, Case{2, 15, 17}, Case{2, 50, 1}}) {
        SignalRowPicture fresh = MakeSignalRowPicture(row, 1.0, Qt::gray);
        style.scale = MakeSignalScale(c.mode);
        PlotSignalChannel(fresh, style, Channel(3, c.raw), kTrackedBlue);
        const int x = row.SampleX(4);
        EXPECT_EQ(At(fresh.chart, x, c.y), Rgb32(kTrackedBlue)) << c.mode << "/" << int(c.raw);
        EXPECT_NE(At(fresh.chart, x, c.y == 1 ? 2 : 16), Rgb32(kTrackedBlue)) << c.mode << "/" << int(c.raw);
        EXPECT_EQ(fresh.lastY, c.y);
    }
}

TEST_F(SignalRendererTest, BarsRiseFromTheBottomLineAndLinesJoinTheSamples)
{
    const int y = row.SampleY(40, style.scale);  // 25/35 · 16 → 11 steps above the bottom line
    ASSERT_EQ(y, 6);
    PlotSignalChannel(picture, style, Channel(3, 40), kFixGreen);
    const int x = row.SampleX(3);
    const QRgb green = Rgb32(kFixGreen);
    // A bar ends before its sample's own pixel; nothing between the bars.
    EXPECT_EQ(std::vector<QRgb>({At(picture.chart, x, 17), At(picture.chart, x, y + 1), At(picture.chart, x, y),
                                 At(picture.chart, x + 1, 10)}),
              std::vector<QRgb>({green, green, Rgb32(kWhite), Rgb32(kWhite)}));

    style.graphType = 1;
    PlotSignalChannel(picture, style, Channel(3, 40), kFixGreen);
    EXPECT_EQ(At(picture.chart, x + 1, y), green);
    EXPECT_EQ(At(picture.chart, x, 10), Rgb32(kWhite));
    // The bars of the older cycle moved one cell left with the rest of the history.
    EXPECT_EQ(At(picture.chart, x - 10 * row.step, 10), green);
}

TEST_F(SignalRendererTest, EveryPlotScrollsTheHistoryOneCellLeftUntilItIsGone)
{
    for (const qreal ratio : {1.0, 2.0}) {
        SignalRowPicture chart = MakeSignalRowPicture(row, ratio, Qt::gray);
        PlotSignalChannel(chart, style, Channel(3, 40), kUnlockedRed);
        const int x = row.SampleX(0);
        for (int cycle = 1; cycle < kSignalCells; ++cycle) {
            PlotSignalChannel(chart, style, Channel(3, 20), kTrackedBlue);
            EXPECT_EQ(At(chart.chart, x - cycle * 10 * row.step, 8), Rgb32(kUnlockedRed)) << ratio << "/" << cycle;
        }
        // Samples out of range stay inside the chart's inside rows: the outlines are kept.
        PlotSignalChannel(chart, style, Channel(3, 255), kTrackedBlue);
        EXPECT_EQ(CountInside(chart.chart, kUnlockedRed), 0) << ratio;
        EXPECT_EQ(At(chart.chart, x, 0), Rgb32(kBlack)) << ratio;
        EXPECT_EQ(At(chart.chart, x, 1), Rgb32(kTrackedBlue)) << ratio;
    }
}

TEST_F(SignalRendererTest, ClearingBlanksTheTextsAndTheWholeHistory)
{
    PlotSignalChannel(picture, style, Channel(12, 45), kCyan);
    EXPECT_EQ(picture.texts[0], " 12       ");
    EXPECT_EQ(picture.textColour, kCyan);
    PlotSignalChannel(picture, style, Channel(12, 45), kCyan);
    ClearSignalChannel(picture, style);
    EXPECT_EQ(CountInside(picture.chart, kCyan), 0);
    EXPECT_TRUE(picture.texts[0].empty());
}

class SignalViewTest : public ::testing::Test {
protected:
    SignalViewTest() { view.resize(640, 420); }

    void Deliver(const CMessageRecord& record) { view.OnUpdate(UpdateHint::Record, &record); }

    static CMessageRecord Tracker(std::initializer_list<TrackerChannel> channels, uint8_t type = MID_MeasuredTracker)
    {
        CMessageRecord record;
        record.SetType(type);
        std::copy(channels.begin(), channels.end(), record.tracker.channels);
        return record;
    }
    static CMessageRecord Navigation(std::initializer_list<uint8_t> svIds, uint8_t type = MID_MeasuredNavigation)
    {
        CMessageRecord record;
        record.SetType(type);
        record.nav.svCount = static_cast<uint8_t>(svIds.size());
        std::copy(svIds.begin(), svIds.end(), record.nav.svIds);
        return record;
    }
    std::vector<Rgb> Colours(int rows) const
    {
        std::vector<Rgb> colours;
        for (int row = 0; row < rows; ++row) {
            colours.push_back(view.Row(row).texts[0].empty() ? kWhite : view.Row(row).textColour);
        }
        return colours;
    }

    QApplication& app = test::ViewApplication();  // before any widget
    CTempFolder folder;
    CProfile profile{folder.Path() / "kestrion.ini"};
    int preferences = 0;
    std::vector<int> trackWidths;
    CSignalView view{profile, [this] { ++preferences; }, [this](int width) { trackWidths.push_back(width); }};
};

TEST_F(SignalViewTest, TrackerPlotsItsBit8ChannelsAtOnceAndTheNextNavigationPlotsAll)
{
    EXPECT_EQ(view.windowTitle(), "12-Channel Signal Level View");
    Deliver(Tracker({Channel(5, 40, 0x1BF), Channel(7, 40), Channel(9, 0), Channel(11, 40, 0x100)}));
    EXPECT_EQ(Colours(4), std::vector<Rgb>({kUnlockedRed, kWhite, kWhite, kUnlockedRed}));

    Deliver(Navigation({5, 11}));
    EXPECT_EQ(Colours(4), std::vector<Rgb>({kFixGreen, kTrackedBlue, kUnlockedRed, kFixGreen}));
    EXPECT_EQ(view.Row(1).texts[0], "  7       ");
    EXPECT_GT(CountInside(view.Row(1).chart, kTrackedBlue), 0);

    // The measured record after the true one, or any without a new tracker record, changes nothing.
    const QImage before = view.Row(0).chart;
    Deliver(Navigation({}));
    EXPECT_EQ(view.Row(0).chart, before);

    // With truth data the true record plots and the measured one after it finds nothing pending.
    Deliver(Tracker({Channel(5, 40), Channel(7, 40)}));
    Deliver(Navigation({7}, MID_TrueNavigation));
    Deliver(Navigation({5}));
    EXPECT_EQ(Colours(2), std::vector<Rgb>({kTrackedBlue, kFixGreen}));

    // The compact tracker record counts too; other types are ignored.
    Deliver(Tracker({Channel(5, 40, 0)}, MID_TrackerSummary));
    Deliver(Tracker({Channel(5, 40, 0x100)}, 27));
    Deliver(Navigation({}));
    EXPECT_EQ(Colours(1), std::vector<Rgb>({kTrackedBlue}));
}

TEST_F(SignalViewTest, AChannelLosingItsSatelliteIsBlanked)
{
    Deliver(Tracker({Channel(5, 40), Channel(6, 40)}));
    Deliver(Navigation({5}));
    ASSERT_GT(CountInside(view.Row(0).chart, kFixGreen), 0);
    Deliver(Tracker({Channel(0, 40), Channel(6, 40)}));
    Deliver(Navigation({5}));
    EXPECT_TRUE(view.Row(0).texts[0].empty());
    EXPECT_EQ(CountInside(view.Row(0).chart, kFixGreen), 0);
    EXPECT_EQ(Colours(2), std::vector<Rgb>({kWhite, kTrackedBlue}));
}

TEST_F(SignalViewTest, RepaintsAndNewSizesKeepTheHistoryWhileANewSourceClearsIt)
{
    Deliver(Tracker({Channel(5, 40)}));
    Deliver(Navigation({5}));
    const QImage chart = view.Row(0).chart;
    const QImage shown = view.grab().toImage();
    EXPECT_EQ(view.grab().toImage(), shown);
    EXPECT_EQ(view.Row(0).chart, chart);
    EXPECT_EQ(chart.devicePixelRatio(), view.devicePixelRatioF());
    const int x = kSignalGraphLeft + view.Row(0).row.SampleX(5);
    EXPECT_EQ(At(shown, x, view.Row(0).row.top + view.Row(0).row.BaseY() - 2), Rgb32(kFixGreen));
    ASSERT_FALSE(trackWidths.empty());
    EXPECT_EQ(trackWidths.back(), 210);

    view.OnUpdate(UpdateHint::Opening, nullptr);
    EXPECT_EQ(CountInside(view.Row(0).chart, kFixGreen), 0);
    EXPECT_TRUE(view.Row(0).texts[0].empty());

    // A new size draws the same history in the new cells, and keeps the texts.
    Deliver(Tracker({Channel(5, 40, 0x100)}));
    const int red = CountInside(view.Row(0).chart, kUnlockedRed);
    EXPECT_GT(red, 0);
    view.resize(700, 420);
    view.grab();
    EXPECT_EQ(view.Row(0).chart.width(), (50 * 9 + 2) * view.devicePixelRatioF());
    EXPECT_EQ(CountInside(view.Row(0).chart, kUnlockedRed), red);
    EXPECT_FALSE(view.Row(0).texts[0].empty());
}

TEST_F(SignalViewTest, SettingsChooseTheScaleAndAGraphTypeChangeWaitsForHint3)
{
    EXPECT_EQ(view.ChartStyle().scale.mode, 2);
    Settings settings;
    settings.useTrue = 1;
    settings.dataSource = 1;
    settings.SaveDataSources(profile);
    settings.signalGraphType = 1;
    settings.SaveSignalView(profile);
    EXPECT_EQ(view.ChartStyle().graphType, 0);
    view.OnUpdate(UpdateHint::Restarted, nullptr);
    EXPECT_EQ(view.ChartStyle().graphType, 1);
    EXPECT_EQ(view.ChartStyle().scale.mode, 2);  // read once, when the view is made

    const CSignalView truthView(profile, {}, {});
    EXPECT_EQ(truthView.ChartStyle().scale.mode, 1);
    EXPECT_EQ(truthView.ChartStyle().graphType, 1);
}

TEST_F(SignalViewTest, ScaleLabelsFitBesideTheChartsInAtLeastTheSmallFont)
{
    Settings settings;
    settings.useTrue = 1;  // the truth scale's labels are the wider
    settings.dataSource = 1;
    settings.SaveDataSources(profile);
    for (const int height : {180, 420, 900}) {
        CSignalView truthView(profile, {}, {});
        truthView.resize(640, height);
        truthView.grab();
        const SignalRow& row = truthView.Row(0).row;
        const SignalScaleLabels labels = ScaleLabelsFor(row, SmallFontPixels());
        const QFont font = SignalScaleFont(labels);
        EXPECT_GE(QFontInfo(font).pixelSize(), SmallFontPixels()) << height;
        EXPECT_LE(labels.x + QFontMetrics(font).horizontalAdvance("-190"), row.right) << height;
    }
}

TEST_F(SignalViewTest, LeftDoubleClickOrRightReleaseOpensThePreferences)
{
    const auto send = [this](QEvent::Type type, Qt::MouseButton button) {
        QMouseEvent event(type, QPointF(50, 50), view.mapToGlobal(QPointF(50, 50)), button, button, Qt::NoModifier);
        QApplication::sendEvent(&view, &event);
    };
    send(QEvent::MouseButtonRelease, Qt::LeftButton);
    send(QEvent::MouseButtonDblClick, Qt::RightButton);
    EXPECT_EQ(preferences, 0);
    send(QEvent::MouseButtonDblClick, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, Qt::RightButton);
    EXPECT_EQ(preferences, 2);
}

}  // namespace
}  // namespace kestrion
