// The statistics view's refresh (the figures and the scatter's points) after a week of fixes
// at 5 Hz, and at the exact limit of a million fixes, against a fixed point and the running
// mean: no pass over the fixes, whatever their number.
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>

#include "evaluation/AccuracyStatistics.h"
#include "evaluation/ErrorScatter.h"

namespace kestrion {
namespace {

constexpr size_t kWeekAt5Hz = 7 * 24 * 60 * 60 * 5;

struct Filled {
    CAccuracyStatistics statistics;
    CErrorScatter scatter;
};

// Errors of 3 m about a point that wanders a few centimetres (for the running mean,
// earth-centred offsets from the first fix).
void Fill(Filled& filled, size_t count)
{
    std::mt19937 random(9);
    std::normal_distribution<float> metres(0.0f, 3.0f);
    for (size_t i = 0; i < count; ++i) {
        const float wander = 0.05f * std::sin(static_cast<float>(i) * 1e-5f);
        const KeptError kept{metres(random) + wander, metres(random), metres(random)};
        filled.statistics.Add(kept);
        const EnuError error = filled.statistics.EnuOf(kept);
        filled.scatter.Add(error.east, error.north);
    }
}

void BM_StatisticsRefresh(benchmark::State& state)
{
    const auto kind = static_cast<ReferenceKind>(state.range(0));
    Filled filled{CAccuracyStatistics({kind, {51.4779, -0.0015, 45.0}}), CErrorScatter()};
    Fill(filled, static_cast<size_t>(state.range(1)));
    for (auto _ : state) {
        const AccuracyFigures figures = filled.statistics.Figures();
        const std::array<double, 3> centre = filled.statistics.Centre();
        benchmark::DoNotOptimize(figures);
        benchmark::DoNotOptimize(filled.scatter.Points(centre[0], centre[1]));
    }
    state.counters["scatter_points"] = static_cast<double>(filled.scatter.Size());
}

}  // namespace

// Arguments: the reference (1 fixed point, 2 running mean) and the fixes.
BENCHMARK(BM_StatisticsRefresh)
    ->Args({1, 1000000})
    ->Args({2, 1000000})
    ->Args({1, kWeekAt5Hz})
    ->Args({2, kWeekAt5Hz})
    ->Unit(benchmark::kMicrosecond);

}  // namespace kestrion
