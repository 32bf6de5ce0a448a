#pragma once
// A series of time-to-first-fix runs: each a time in seconds, or a failure (no fix within the
// time-out), and what an evaluation quotes for the series.
#include <cstddef>
#include <optional>
#include <span>
#include <string>

namespace kestrion {

using TtffRun = std::optional<double>;  // seconds; empty for a failure

struct TtffSummary {
    size_t runs = 0;
    size_t failures = 0;
    // Over the runs that fixed; 0 when none did. The median of an even count is the mean of
    // the middle two; the 95th percentile is the nearest rank.
    double min = 0, median = 0, mean = 0, percentile95 = 0, max = 0;
};

TtffSummary SummarizeTtff(std::span<const TtffRun> runs);

// "run 3: 4.1 s", or "run 3: no fix within 300 s" (runs count from 1).
std::string TtffRunLine(size_t number, const TtffRun& run, double timeoutSeconds);

// "runs: 10, failures: 1" and "min 3.9 s, median 4.1 s, mean 4.2 s, 95 %: 4.8 s, max 5.0 s"
// (the second line only when a run fixed), each ended by a line feed.
std::string TtffSummaryText(const TtffSummary& summary);

// "run,ttff_s" and one line per run, the time empty for a failure.
std::string TtffCsv(std::span<const TtffRun> runs);

}  // namespace kestrion
