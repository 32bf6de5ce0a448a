// The signal level view: one tracker and navigation cycle (or a second of NMEA with 40
// satellites) delivered and the whole view rendered.
#include "CycleRecords.h"
#include "views/SignalView.h"

namespace kestrion {
namespace {

void SignalViewCycle(benchmark::State& state)
{
    CSignalView view(bench::AbsentProfile(), {}, {});
    bench::RunCycles(state, view);
}
BENCHMARK(SignalViewCycle)->ArgName("nmea")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kestrion
