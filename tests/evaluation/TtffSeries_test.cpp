#include "evaluation/TtffSeries.h"

#include <gtest/gtest.h>

#include <vector>

namespace kestrion {
namespace {

TEST(TtffSeries, SummarisesTheRunsThatFixedAndCountsTheFailures)
{
    const std::vector<TtffRun> runs = {4.0, 3.0, std::nullopt, 5.0, 38.0};
    const TtffSummary s = SummarizeTtff(runs);
    EXPECT_EQ(s.runs, 5u);
    EXPECT_EQ(s.failures, 1u);
    EXPECT_DOUBLE_EQ(s.min, 3.0);
    EXPECT_DOUBLE_EQ(s.median, 4.5);
    EXPECT_DOUBLE_EQ(s.mean, 12.5);
    EXPECT_DOUBLE_EQ(s.percentile95, 38.0);
    EXPECT_DOUBLE_EQ(s.max, 38.0);
    EXPECT_EQ(TtffSummaryText(s),
              "runs: 5, failures: 1\nmin 3.0 s, median 4.5 s, mean 12.5 s, 95 %: 38.0 s, max 38.0 s\n");
    EXPECT_EQ(TtffCsv(runs), "run,ttff_s\n1,4.00\n2,3.00\n3,\n4,5.00\n5,38.00\n");
    EXPECT_EQ(TtffRunLine(3, runs[2], 300), "run 3: no fix within 300 s");
    EXPECT_EQ(TtffRunLine(4, runs[3], 300), "run 4: 5.0 s");
}

TEST(TtffSeries, NinetyFifthPercentileOfTwentyRunsIsTheNineteenth)
{
    std::vector<TtffRun> runs;
    for (int i = 20; i >= 1; --i) {
        runs.push_back(i * 1.0);
    }
    const TtffSummary s = SummarizeTtff(runs);
    EXPECT_DOUBLE_EQ(s.percentile95, 19.0);
    EXPECT_DOUBLE_EQ(s.median, 10.5);
}

TEST(TtffSeries, OnlyFailuresGiveNoFigures)
{
    const std::vector<TtffRun> runs = {std::nullopt, std::nullopt};
    const TtffSummary s = SummarizeTtff(runs);
    EXPECT_EQ(s.failures, 2u);
    EXPECT_EQ(TtffSummaryText(s), "runs: 2, failures: 2\n");
    EXPECT_EQ(TtffSummaryText(SummarizeTtff({})), "runs: 0, failures: 0\n");
}

}  // namespace
}  // namespace kestrion
