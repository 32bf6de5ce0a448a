// The tracking view: one tracker and navigation cycle (or a second of NMEA with 40 satellites)
// delivered and the whole view rendered.
#include <cstdio>

#include "CycleRecords.h"
#include "app/HeadlessUi.h"
#include "views/RadarView.h"

namespace kestrion {
namespace {

void RadarViewCycle(benchmark::State& state)
{
    CHeadlessUi ui(stderr);  // records never open a dialog
    CRadarView view(bench::AbsentProfile(), ui);
    bench::RunCycles(state, view);
}
BENCHMARK(RadarViewCycle)->ArgName("nmea")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kestrion
