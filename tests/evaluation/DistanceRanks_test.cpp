#include "evaluation/DistanceRanks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "evaluation/LogHistogram.h"
#include "evaluation/NearestRank.h"

namespace kestrion {
namespace {

// The nearest-rank distance of every point from the centre, by sorting them all.
double SortedRank(const std::vector<std::array<float, 2>>& points, std::array<double, 2> centre, size_t rank)
{
    std::vector<float> distances;
    for (const auto& [east, north] : points) {
        const double e = east - centre[0], n = north - centre[1];
        distances.push_back(static_cast<float>(std::sqrt(e * e + n * n)));
    }
    std::sort(distances.begin(), distances.end());
    return distances[rank - 1];
}

// The mean of the points added so far.
class CMean {
public:
    std::array<double, 2> Add(const std::array<float, 2>& point)
    {
        m_east += point[0], m_north += point[1], ++m_count;
        return Now();
    }
    std::array<double, 2> Now() const { return {m_east / m_count, m_north / m_count}; }

private:
    double m_east = 0, m_north = 0, m_count = 0;
};

// A cloud that drifts 20 m east while it grows, so that its mean keeps moving away from
// wherever the anchor was put.
TEST(DistanceRanks, EveryRankIsExactAboutAMovingMean)
{
    CDistanceRanks<2> ranks;
    std::vector<std::array<float, 2>> points;
    CMean running;
    std::mt19937 random(11);
    std::normal_distribution<float> metres(0.0f, 2.0f);
    for (int i = 1; i <= 30000; ++i) {
        const std::array<float, 2> point{metres(random) + 20.0f * float(i) / 30000, metres(random)};
        points.push_back(point);
        const std::array<double, 2> mean = running.Add(point);
        ranks.Add(point, mean);
        if (i % 2999 == 0 || i < 5) {
            for (const double fraction : {0.0, 0.5, 0.95, 1.0}) {
                const size_t rank = RankOf(fraction, points.size());
                ASSERT_EQ(ranks.Rank(rank, mean), SortedRank(points, mean, rank)) << i << " fixes, " << fraction;
            }
        }
    }
    EXPECT_TRUE(ranks.Exact());
    // Ties and a centre on a point: distances of 0 and of exactly 1.
    CDistanceRanks<1> heights;
    for (const float up : {1.0f, 1.0f, 1.0f, 2.0f, 3.0f, 2.0f}) {
        heights.Add({up}, {2.0});
    }
    EXPECT_EQ(heights.Rank(1, {2.0}), 0.0);
    EXPECT_EQ(heights.Rank(3, {2.0}), 1.0);
    EXPECT_EQ(heights.Rank(6, {2.0}), 1.0);
    EXPECT_EQ(heights.Rank(6, {0.0}), 3.0);
}

TEST(DistanceRanks, PastTheExactLimitRanksAreBinnedWithinTheirBound)
{
    constexpr size_t kLimit = 5000;
    CDistanceRanks<2> fixed(kLimit), moving(kLimit);
    std::vector<std::array<float, 2>> points;
    CMean running;
    std::mt19937 random(5);
    std::lognormal_distribution<float> radius(0.0f, 1.5f);  // millimetres to hundreds of metres
    std::uniform_real_distribution<float> angle(0.0f, 6.2831853f);
    for (int i = 0; i < 60000; ++i) {
        const float r = radius(random), a = angle(random);
        const std::array<float, 2> point{r * std::cos(a) + 0.001f * float(i) / 60000, r * std::sin(a)};
        points.push_back(point);
        fixed.Add(point, {0, 0});
        moving.Add(point, running.Add(point));
    }
    EXPECT_FALSE(fixed.Exact());
    const std::array<double, 2> mean = running.Now();
    const auto& frozen = moving.HistogramCentre();
    const double moved = std::hypot(mean[0] - frozen[0], mean[1] - frozen[1]);
    for (const double fraction : {0.01, 0.5, 0.95, 0.999, 1.0}) {
        const size_t rank = RankOf(fraction, points.size());
        const double exact = SortedRank(points, {0, 0}, rank);
        EXPECT_NEAR(fixed.Rank(rank, {0, 0}), exact, 0.004 * exact + 1e-6) << fraction;
        const double aboutMean = SortedRank(points, mean, rank);
        EXPECT_NEAR(moving.Rank(rank, mean), aboutMean, 0.004 * aboutMean + moved + 1e-6) << fraction;
    }
    EXPECT_EQ(fixed.Rank(points.size(), {0, 0}), SortedRank(points, {0, 0}, points.size()));
    fixed.Clear();
    EXPECT_EQ(fixed.Rank(1, {0, 0}), 0.0);
    EXPECT_TRUE(fixed.Exact());
}

TEST(LogHistogram, EveryMagnitudeComesBackWithinItsBinAndTheEndsExactly)
{
    CLogHistogram histogram;
    const std::vector<double> values{0.0, 3e-7, 0.0123, 0.5, 1.0, 7.77, 1234.5, 6.3e6, 2e8};
    for (const double value : values) {
        histogram.Add(value);
    }
    for (size_t rank = 2; rank < values.size(); ++rank) {
        const double value = values[rank - 1];
        if (value >= std::ldexp(1.0, -20) && value < std::ldexp(1.0, 26)) {
            EXPECT_NEAR(histogram.Rank(rank), value, 0.004 * value) << value;
        }
    }
    EXPECT_EQ(histogram.Rank(1), 0.0);
    EXPECT_EQ(histogram.Rank(values.size()), 2e8);
    EXPECT_EQ(histogram.Rank(values.size() + 5), 2e8);
}

}  // namespace
}  // namespace kestrion
