#include "evaluation/AccuracyStatistics.h"

#include <gtest/gtest.h>

#include <random>

#include "EvaluationFixes.h"

namespace kestrion {
namespace {

using fakes::FixAt;
using fakes::kSite;

TEST(AccuracyStatistics, CircularGaussianCloudGivesTheTextbookRadii)
{
    constexpr double sigma = 2.0, sigmaUp = 3.0;
    CAccuracyStatistics statistics({ReferenceKind::Fixed, kSite});
    std::mt19937 random(7);
    std::normal_distribution<double> horizontal(0.0, sigma), vertical(0.0, sigmaUp);
    for (int i = 0; i < 20000; ++i) {
        const double east = horizontal(random), north = horizontal(random);
        ASSERT_TRUE(statistics.Add(FixAt(kSite, east, north, vertical(random)), nullptr));
    }
    const AccuracyFigures f = statistics.Figures();
    EXPECT_EQ(f.count, 20000u);
    EXPECT_NEAR(f.cep50, 1.1774 * sigma, 0.03 * 1.1774 * sigma);
    EXPECT_NEAR(f.cep95, 2.4477 * sigma, 0.03 * 2.4477 * sigma);
    EXPECT_NEAR(f.twoDrms, 2.0 * std::sqrt(2.0) * sigma, 0.03 * 2.83 * sigma);
    EXPECT_NEAR(f.vertical95, 1.96 * sigmaUp, 0.03 * 1.96 * sigmaUp);
    EXPECT_NEAR(f.east.deviation, sigma, 0.03 * sigma);
    EXPECT_NEAR(f.up.deviation, sigmaUp, 0.03 * sigmaUp);
    EXPECT_NEAR(f.north.mean, 0.0, 0.05);
    EXPECT_GE(f.maxHorizontal, f.cep95);
}

TEST(AccuracyStatistics, ErrorsAreEastNorthUpOfTheFixedPointAndPercentilesTakeTheNearestRank)
{
    CAccuracyStatistics statistics({ReferenceKind::Fixed, kSite});
    const KeptError first = *statistics.Measure(FixAt(kSite, 3.0, 4.0, -2.0), nullptr);
    EXPECT_NEAR(first[0], 3.0, 1e-3);
    EXPECT_NEAR(first[1], 4.0, 1e-3);
    EXPECT_NEAR(first[2], -2.0, 1e-3);

    // Horizontal errors 1 to 20 m, due north, in shuffled order.
    statistics.Reset();
    for (const int metres : {7, 1, 20, 13, 2, 19, 3, 18, 4, 17, 5, 16, 6, 15, 8, 14, 9, 12, 10, 11}) {
        statistics.Add(FixAt(kSite, 0.0, metres, metres == 20 ? 6.0 : 0.0), nullptr);
    }
    const AccuracyFigures f = statistics.Figures();
    EXPECT_EQ(f.count, 20u);
    EXPECT_NEAR(f.cep50, 10.0, 1e-3);
    EXPECT_NEAR(f.cep95, 19.0, 1e-3);
    EXPECT_NEAR(f.maxHorizontal, 20.0, 1e-3);
    EXPECT_NEAR(f.maxVertical, 6.0, 1e-3);
    EXPECT_NEAR(f.north.mean, 10.5, 1e-3);
    EXPECT_NEAR(f.north.deviation, std::sqrt(35.0), 1e-3);  // 1..20: variance 35 (sample)
}

TEST(AccuracyStatistics, RunningMeanErrorsAreRecomputedAgainstTheCurrentMean)
{
    CAccuracyStatistics statistics({});
    statistics.Add(FixAt(kSite, -5.0, 0.0, 0.0), nullptr);
    statistics.Add(FixAt(kSite, 5.0, 0.0, 0.0), nullptr);
    AccuracyFigures f = statistics.Figures();
    EXPECT_EQ(f.kind, ReferenceKind::RunningMean);
    EXPECT_NEAR(f.reference.latitude, kSite.latitude, 1e-8);
    EXPECT_NEAR(f.reference.longitude, kSite.longitude, 1e-8);
    EXPECT_NEAR(f.cep50, 5.0, 1e-3);
    EXPECT_NEAR(statistics.Centre()[0], 5.0, 1e-3);  // halfway, in the first fix's frame

    // A third fix moves the mean 10 m east; the first fix is now 15 m west of it, the second
    // 5 m, the third 20 m east.
    statistics.Add(FixAt(kSite, 30.0, 0.0, 0.0), nullptr);
    f = statistics.Figures();
    EXPECT_NEAR(f.east.mean, 0.0, 1e-3);
    EXPECT_NEAR(f.cep50, 15.0, 1e-3);
    EXPECT_NEAR(f.maxHorizontal, 20.0, 1e-3);
    EXPECT_NEAR(f.twoDrms, 2 * std::sqrt((225.0 + 25.0 + 400.0) / 3), 1e-3);

    statistics.Reset();
    EXPECT_EQ(statistics.Figures().count, 0u);
    statistics.Add(FixAt(kSite, 100.0, 0.0, 0.0), nullptr);
    EXPECT_NEAR(statistics.Centre()[0], 0.0, 1e-3);  // a new anchor after the reset
}

TEST(AccuracyStatistics, TruthPairsEachFixWithItsRecordAndCountsTheUnmatched)
{
    const GeodeticPoint elsewhere{-33.85, 151.21, 58};
    CAccuracyStatistics statistics({ReferenceKind::Truth, {}});
    const Fix truth = FixAt(elsewhere, 10.0, 0.0, 0.0);
    EXPECT_TRUE(statistics.Add(FixAt(elsewhere, 10.0, -2.0, 1.0), &truth));
    EXPECT_FALSE(statistics.Add(FixAt(elsewhere, 0.0, 0.0, 0.0), nullptr));
    const AccuracyFigures f = statistics.Figures();
    EXPECT_EQ(f.count, 1u);
    EXPECT_EQ(f.unmatched, 1u);
    EXPECT_NEAR(f.north.mean, -2.0, 1e-3);
    EXPECT_NEAR(f.up.mean, 1.0, 1e-3);
    EXPECT_NEAR(f.east.mean, 0.0, 1e-3);
}

TEST(FixFromRecord, TakesNavigationWithASolutionAndTruthRecords)
{
    CMessageRecord record;
    record.Reset(2);
    const EcefVector at = GeodeticToEcef(kSite);
    record.nav.x = static_cast<int32_t>(at.x);
    record.nav.y = static_cast<int32_t>(at.y);
    record.nav.z = static_cast<int32_t>(at.z);
    record.nav.mode1 = 0x24;  // 3D, altitude hold bits set
    record.nav.dop = 7;
    record.nav.svCount = 6;
    record.nav.week = 1250;
    record.nav.tow = 12345;
    const std::optional<Fix> fix = FixFromRecord(record);
    ASSERT_TRUE(fix);
    EXPECT_EQ(fix->mode, 4);
    EXPECT_DOUBLE_EQ(fix->dop, 1.4);
    EXPECT_EQ(fix->svCount, 6);
    EXPECT_EQ(fix->tow, 12345u);
    EXPECT_NEAR(fix->latitude, kSite.latitude, 1e-5);
    EXPECT_NEAR(fix->height, kSite.height, 1.0);

    record.nav.mode1 = 2;  // two satellites: no solution
    EXPECT_FALSE(FixFromRecord(record));
    record.type = 1;  // a truth record has no mode
    EXPECT_TRUE(FixFromRecord(record));
    record.type = 4;
    EXPECT_FALSE(FixFromRecord(record));
}

}  // namespace
}  // namespace kestrion
