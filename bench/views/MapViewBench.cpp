// The map view: one tracker and navigation cycle (or a second of NMEA with 40 satellites)
// delivered and the whole view, status bar included, rendered. With the default origin (0, 0) the track runs along the canvas border.
#include <cstdio>

#include "CycleRecords.h"
#include "app/HeadlessUi.h"
#include "views/MapView.h"

namespace kestrion {
namespace {

void MapViewCycle(benchmark::State& state)
{
    CHeadlessUi ui(stderr);  // records never open a dialog
    ProtocolState protocol;
    protocol.generation = 2;
    const CProfile profile = bench::AbsentProfile();
    CFixRecorder recorder(profile, ui, [] { return false; });
    CMapView view(profile, ui, protocol, recorder);
    bench::RunCycles(state, view);
}
BENCHMARK(MapViewCycle)->ArgName("nmea")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kestrion
