#include <gtest/gtest.h>

#include "ViewTests.h"
#include "views/QueryView.h"

namespace kestrion {
namespace {

class QueryViewTest : public ::testing::Test {
protected:
    QApplication& app = test::ViewApplication();  // before any widget
    ProtocolState protocol;
    CQueryView view{protocol};

    void Show(const CMessageRecord& record) { view.OnUpdate(UpdateHint::Record, &record); }
};

TEST_F(QueryViewTest, AnswersAreWordedForReading)
{
    for (const uint8_t mid : {136, 137, 200}) {
        Show(test::Decoded({11, mid}));
    }
    Show(test::Decoded({12, 138}));
    Show(test::Decoded({6, '2', '.', '3', '.', '2'}));
    Show(test::Decoded({7, 0x04, 0xB0, 0x02, 0x0F, 0x76, 0x78, 8, 0, 1, 0x70, 0x6B, 0xFF, 0xFF, 0xFF, 0xFF,
                        0x14, 0x9A, 0xF5, 0xB0}));
    Show(test::Decoded({2, 0, 0, 0, 1}));
    Show(test::Decoded({10, 0x10, 0x01, 0, 1, 0, 0, 0, 250}));
    EXPECT_EQ(view.Lines(), QStringList({"Acknowledged MID_SetNavMode", "Acknowledged MID_SetDOPMode",
                                         "Acknowledged Unknown MID:200", "Rejected MID_SetDGPSMode",
                                         "SW Version 2.3.2",
                                         "Week:1200  TOW:34567800  EstGPSTime:345699760 ms  SVCnt:8",
                                         "Clock Drift:94315 Hz  Clock Bias:4294967295 ns"}));
}

TEST_F(QueryViewTest, NavigationParametersInTheLayoutOfTheGeneration)
{
    CMessageRecord record;
    record.SetType(19);
    record.mgrParams1 = {.mid = 19, .altConstraint = 1, .altMode = 2, .dopMaskMode = 3, .elevMask = 75,
                         .steadyDetectThreshold = 12, .lpState = 9};
    record.mgrParams = {.mid = 19, .staticNav = 1, .elevMask = -50, .dgpsSource = 4, .lpOnTime = 200,
                        .lpCyclePeriod = 1000, .dutyCycled = 1, .maxAcqTime = 120000, .maxOffTime = 30000};
    protocol.generation = 1;
    Show(record);
    protocol.generation = 3;
    Show(record);
    const QStringList lines = view.Lines();
    ASSERT_EQ(lines.size(), 19 + 18);
    const std::pair<int, const char*> expected[] = {
        {0, "AltConstraint: enabled"},  {1, "AltMode: never use"},    {8, "DOPMaskMode: GDOP"},
        {11, "ElevMask: 7.5 deg"},      {14, "SteadyDetectThreshold: 1.2 m/s^2"},
        {16, "LP state: 9"},            {18, "LP OnTime: 0 ms"},      {19, "AltMode: auto"},
        {19 + 7, "StaticNav: enabled"}, {19 + 10, "ElevMask: -5.0 deg"}, {19 + 12, "DGPSSrc: S/W"},
        {19 + 15, "Lullcycle enabled with 200 ms on, 20.000000% duty cycle"},
        {19 + 17, "MaxAcqTime = 120000 ms; MaxOffTime = 30000 ms"},
    };
    for (const auto& [line, text] : expected) {
        EXPECT_EQ(lines[line], text) << line;
    }
}

TEST_F(QueryViewTest, KeepsTheNewest300Lines)
{
    for (int i = 0; i < 160; ++i) {
        Show(test::Decoded({7, 0, static_cast<uint8_t>(i)}));  // two lines each
    }
    const QStringList lines = view.Lines();
    ASSERT_EQ(lines.size(), CLineList::kMaxLines);
    EXPECT_TRUE(lines.front().startsWith("Week:10  "));
    EXPECT_TRUE(lines[298].startsWith("Week:159  "));
}

}  // namespace
}  // namespace kestrion
