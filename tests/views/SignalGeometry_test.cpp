#include <gtest/gtest.h>

#include "platform/Settings.h"
#include "views/SignalGeometry.h"

namespace kestrion {
namespace {

TEST(SignalGeometry, LaysOutTwelveRowsAndFiveCellsFromTheClientSize)
{
    // 1280 × 720: rows of (720 − 30) / 12 = 57, c = (1275 − 235) / 50 = 20.
    const SignalRow first = LayoutSignalRow(0, 1280, 720);
    const SignalRow last = LayoutSignalRow(11, 1280, 720);
    EXPECT_EQ(std::vector<int>({first.top, first.bottom, first.height, last.top, last.bottom, first.right}),
              std::vector<int>({30, 82, 53, 657, 709, 1275}));
    EXPECT_EQ(std::vector<int>({first.step, first.cellWidth, first.graphWidth, first.newestStart}),
              std::vector<int>({20, 201, 1002, 801}));
    EXPECT_EQ(first.SampleX(0), 811);
    EXPECT_EQ(first.SampleX(9), 991);
    EXPECT_EQ(first.BaseY(), 50);

    // Narrower than 290 pixels, or rows of H ≤ 2, get no chart.
    EXPECT_FALSE(LayoutSignalRow(0, 289, 720).HasChart());
    EXPECT_TRUE(LayoutSignalRow(0, 290, 720).HasChart());
    EXPECT_EQ(LayoutSignalRow(0, 290, 720).step, 1);
    EXPECT_LT(LayoutSignalRow(0, 100, 720).graphWidth, 0);
    EXPECT_FALSE(LayoutSignalRow(3, 1280, 30 + 12 * 6).HasChart());
    EXPECT_TRUE(LayoutSignalRow(3, 1280, 30 + 12 * 7).HasChart());

    EXPECT_EQ(std::vector<int>({SignalTextX(0), SignalTextX(1), SignalTextX(2), SignalTextX(3), SignalTextX(4)}),
              std::vector<int>({5, 46, 87, 128, 169}));
    EXPECT_EQ(SignalMinimumTrackWidth(), 210);
}

TEST(SignalGeometry, SamplesMapOntoTheCellWithoutClamping)
{
    const SignalRow row = LayoutSignalRow(0, 1280, 720);  // H = 53: H − 4 = 49 steps
    const SignalScale truth = MakeSignalScale(1);
    const SignalScale measured = MakeSignalScale(2);
    EXPECT_EQ(row.SampleY(truth.Value(65), truth), row.height - 3);
    EXPECT_EQ(row.SampleY(truth.Value(95), truth), 1);
    EXPECT_EQ(row.SampleY(measured.Value(15), measured), row.height - 3);
    EXPECT_EQ(row.SampleY(measured.Value(50), measured), 1);
    // 16/35 · 49 = 22.4 and −1/35 · 49 = −1.4 both truncate towards zero.
    EXPECT_EQ(row.SampleY(31, measured), 53 - 22 - 3);
    EXPECT_EQ(row.SampleY(14, measured), 53 + 1 - 3);
    EXPECT_EQ(row.SampleY(85, measured), 53 - 98 - 3);
}

TEST(SignalGeometry, ScaleModeComesFromTheDataSources)
{
    Settings settings;
    settings.useTrue = 1;
    settings.dataSource = 1;
    EXPECT_EQ(SignalScaleMode(settings), 1);
    settings.dataSource = 0;
    EXPECT_EQ(SignalScaleMode(settings), 2);
    settings.useTrue = 0;
    settings.dataSource = 1;
    EXPECT_EQ(SignalScaleMode(settings), 2);
    EXPECT_EQ(MakeSignalScale(1).Value(0), -255);
    EXPECT_EQ(MakeSignalScale(2).Value(40), 40);
}

TEST(SignalGeometry, RoleColourFirstMatchWins)
{
    NavBlock fix{};
    fix.svCount = 2;
    fix.svIds[0] = 7;
    fix.svIds[1] = 40;
    fix.svIds[2] = 9;  // beyond the count: not in the fix
    const auto colour = [&fix](uint8_t svId, uint8_t meanCno) {
        TrackerChannel channel{};
        channel.svId = svId;
        channel.averageCno = meanCno;
        return SignalRoleColour(fix, channel);
    };
    EXPECT_EQ(colour(7, 0), kFixGreen);
    EXPECT_EQ(colour(9, 30), kTrackedBlue);
    EXPECT_EQ(colour(9, 0), kUnlockedRed);
    EXPECT_EQ(colour(41, 30), kTrackedBlue);  // no differential fix
    fix.mode1 = 0x84;
    EXPECT_EQ(colour(41, 0), kCyan);
    EXPECT_EQ(colour(40, 0), kFixGreen);
    EXPECT_EQ(colour(32, 0), kUnlockedRed);
}

TEST(SignalGeometry, HeadingsSitAboveRowZeroAndItsCells)
{
    const SignalRow row = LayoutSignalRow(0, 1280, 720);  // cells of 201
    const std::vector<SignalLabel> labels = SignalHeadings(row);
    ASSERT_EQ(labels.size(), 11u);
    std::vector<std::string> texts;
    for (const SignalLabel& label : labels) {
        texts.push_back(label.text);
    }
    EXPECT_EQ(texts, std::vector<std::string>({"SV", "St", "Az", "El", "C/No", "-5 cycle", "-4", "-3", "-2", "-1",
                                               "0"}));
    const auto box = [](const SignalLabel& label) {
        return std::vector<int>({label.x, label.y, label.width, label.height, label.alignRight});
    };
    EXPECT_EQ(box(labels[4]), std::vector<int>({159, 10, 41, 20, false}));
    EXPECT_EQ(box(labels[5]), std::vector<int>({210, 10, 201, 20, false}));
    EXPECT_EQ(box(labels[9]), std::vector<int>({1014, 10, 67, 20, false}));
    EXPECT_EQ(box(labels[10]), std::vector<int>({1081, 10, 134, 20, true}));
}

TEST(SignalGeometry, ScaleLabelsRightOfTheChartWithTheirFontCapped)
{
    const SignalScaleLabels tall = ScaleLabelsFor(LayoutSignalRow(1, 1280, 720));
    EXPECT_EQ(std::vector<int>({tall.x, tall.highY, tall.lowY, tall.fontHeight}),
              std::vector<int>({1212, 87, 139 - 15, 15}));
    const SignalScaleLabels small = ScaleLabelsFor(LayoutSignalRow(0, 340, 30 + 12 * 35));  // H = 31
    EXPECT_EQ(std::vector<int>({small.x, small.lowY, small.fontHeight}), std::vector<int>({312, 60 - 10, 10}));
}

TEST(SignalGeometry, ScaleLabelsKeepTheSmallFontAndShowTheHighAloneInLowRows)
{
    // Rows of 22: H = 18, a third is 6; two labels of 12 do not fit.
    const SignalScaleLabels low = ScaleLabelsFor(LayoutSignalRow(0, 640, 30 + 12 * 22), 12);
    EXPECT_EQ(low.fontHeight, 12);
    EXPECT_FALSE(low.showsLow);
    const SignalRow row = LayoutSignalRow(0, 640, 30 + 12 * 40);  // H = 36
    const SignalScaleLabels tall = ScaleLabelsFor(row, 12);
    EXPECT_EQ(std::vector<int>({tall.fontHeight, tall.lowY, tall.showsLow}), std::vector<int>({12, row.bottom - 12, 1}));
}

TEST(SignalGeometry, RowTextsCoverTheirColumns)
{
    TrackerChannel channel{};
    channel.svId = 5;
    channel.azimuth = 101;   // 151.5 degrees
    channel.elevation = 45;  // 22.5 degrees
    channel.state = 0x1BF;
    channel.averageCno = 4;
    const auto texts = SignalRowTexts(channel);
    EXPECT_EQ(std::vector<std::string>(texts.begin(), texts.end()),
              std::vector<std::string>({"  5       ", "1BF       ", "151       ", "22        ", "04 "}));
}

}  // namespace
}  // namespace kestrion
