#include "evaluation/TtffSeries.h"

#include <algorithm>
#include <numeric>
#include <vector>

#include "evaluation/NearestRank.h"
#include "protocol/TextFormatter.h"

namespace kestrion {

TtffSummary SummarizeTtff(std::span<const TtffRun> runs)
{
    TtffSummary summary;
    summary.runs = runs.size();
    std::vector<double> times;
    for (const TtffRun& run : runs) {
        if (run) {
            times.push_back(*run);
        }
    }
    summary.failures = runs.size() - times.size();
    if (times.empty()) {
        return summary;
    }
    std::sort(times.begin(), times.end());
    const size_t middle = times.size() / 2;
    summary.min = times.front();
    summary.max = times.back();
    summary.median = times.size() % 2 != 0 ? times[middle] : (times[middle - 1] + times[middle]) / 2;
    summary.mean = std::accumulate(times.begin(), times.end(), 0.0) / static_cast<double>(times.size());
    summary.percentile95 = NearestRank(std::span(times), 0.95);
    return summary;
}

std::string TtffRunLine(size_t number, const TtffRun& run, double timeoutSeconds)
{
    if (!run) {
        return FormatText("run %d: no fix within %.0f s", {static_cast<int>(number), timeoutSeconds});
    }
    return FormatText("run %d: %.1f s", {static_cast<int>(number), *run});
}

std::string TtffSummaryText(const TtffSummary& s)
{
    std::string text = FormatText("runs: %d, failures: %d\n", {static_cast<int>(s.runs), static_cast<int>(s.failures)});
    if (s.runs > s.failures) {
        text += FormatText("min %.1f s, median %.1f s, mean %.1f s, 95 %%: %.1f s, max %.1f s\n",
                           {s.min, s.median, s.mean, s.percentile95, s.max});
    }
    return text;
}

std::string TtffCsv(std::span<const TtffRun> runs)
{
    std::string text = "run,ttff_s\n";
    for (size_t i = 0; i < runs.size(); ++i) {
        text += std::to_string(i + 1) + ",";
        if (runs[i]) {
            text += FormatText("%.2f", {*runs[i]});
        }
        text += "\n";
    }
    return text;
}

}  // namespace kestrion
