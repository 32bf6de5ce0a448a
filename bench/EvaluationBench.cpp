// The evaluation over a day of fixes at 5 Hz: keeping each fix's error, the figures with their
// exact percentiles, and the export of the track.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <vector>

#include "evaluation/AccuracyStatistics.h"
#include "evaluation/TrackExport.h"
#include "geo/Geodesy.h"

namespace kestrion {
namespace {

constexpr size_t kDayAt5Hz = 24 * 60 * 60 * 5;
constexpr GeodeticPoint kSite{51.4779, -0.0015, 45.0};

// Navigation records a few metres about the site, 0.2 s apart, as fixes.
const std::vector<Fix>& DayOfFixes()
{
    static const std::vector<Fix> fixes = [] {
        std::vector<Fix> made;
        made.reserve(kDayAt5Hz);
        std::mt19937 random(3);
        std::normal_distribution<double> metres(0.0, 3.0);
        const EcefVector site = GeodeticToEcef(kSite);
        CMessageRecord record;
        record.Reset(2);
        record.nav.mode1 = 4;
        record.nav.svCount = 8;
        record.nav.dop = 6;
        for (size_t i = 0; i < kDayAt5Hz; ++i) {
            const uint64_t tow = 2000000 + i * 20;
            record.nav.week = static_cast<uint16_t>(1250 + tow / 60480000);
            record.nav.tow = static_cast<uint32_t>(tow % 60480000);
            record.nav.x = static_cast<int32_t>(site.x + metres(random));
            record.nav.y = static_cast<int32_t>(site.y + metres(random));
            record.nav.z = static_cast<int32_t>(site.z + metres(random));
            made.push_back(*FixFromRecord(record));
        }
        return made;
    }();
    return fixes;
}

AccuracyReference ReferenceOf(int64_t kind)
{
    return {static_cast<ReferenceKind>(kind), kSite};
}

void BM_StatisticsAdd(benchmark::State& state)
{
    const std::vector<Fix>& fixes = DayOfFixes();
    CAccuracyStatistics statistics(ReferenceOf(state.range(0)));
    const Fix* truth = state.range(0) == int64_t(ReferenceKind::Truth) ? &fixes.front() : nullptr;
    size_t next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(statistics.Add(fixes[next], truth));
        if (++next == fixes.size()) {
            next = 0;
            statistics.Reset();
        }
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_StatisticsFigures(benchmark::State& state)
{
    CAccuracyStatistics statistics(ReferenceOf(state.range(0)));
    for (const Fix& fix : DayOfFixes()) {
        statistics.Add(fix, &fix);
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(statistics.Figures());
    }
}

template <typename Write>
void ExportDay(benchmark::State& state, const char* name, Write write)
{
    const std::vector<Fix>& fixes = DayOfFixes();
    const std::filesystem::path path = std::filesystem::temp_directory_path() / name;
    std::string problem;
    for (auto _ : state) {
        if (!write(path.string(), fixes, problem)) {
            state.SkipWithError(problem.c_str());
            break;
        }
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(std::filesystem::file_size(path)));
    std::filesystem::remove(path);
}

void BM_ExportDayGpx(benchmark::State& state)
{
    ExportDay(state, "kestrion-bench-day.gpx", [](const std::string& path, const auto& fixes, std::string& problem) {
        return WriteGpx(path, fixes, "day", problem);
    });
}

void BM_ExportDayKml(benchmark::State& state)
{
    ExportDay(state, "kestrion-bench-day.kml", [](const std::string& path, const auto& fixes, std::string& problem) {
        return WriteKml(path, fixes, "day", problem);
    });
}

void BM_ExportDayCsv(benchmark::State& state)
{
    CAccuracyStatistics statistics(ReferenceOf(int64_t(ReferenceKind::Fixed)));
    std::vector<EnuError> errors;
    for (const Fix& fix : DayOfFixes()) {
        const KeptError kept = *statistics.Measure(fix, nullptr);
        errors.push_back({kept[0], kept[1], kept[2]});
    }
    ExportDay(state, "kestrion-bench-day.csv", [&errors](const std::string& path, const auto& fixes, std::string& problem) {
        return WriteFixCsv(path, fixes, errors, problem);
    });
}

}  // namespace

// Arguments: 0 truth, 1 fixed reference, 2 running mean.
BENCHMARK(BM_StatisticsAdd)->Arg(0)->Arg(1)->Arg(2);
BENCHMARK(BM_StatisticsFigures)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportDayGpx)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportDayKml)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportDayCsv)->Unit(benchmark::kMillisecond);

}  // namespace kestrion
