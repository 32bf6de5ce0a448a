// The signal level view: one tracker and navigation cycle delivered and the whole view rendered.
#include "CycleRecords.h"
#include "views/SignalView.h"

namespace kestrion {
namespace {

void SignalViewCycle(benchmark::State& state)
{
    CSignalView view(bench::AbsentProfile(), {}, {});
    bench::RunCycles(state, view);
}
BENCHMARK(SignalViewCycle)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kestrion
