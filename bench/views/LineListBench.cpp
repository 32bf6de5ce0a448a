// The text lists: lines added to a full list of 300 lines in one turn of the event loop
// (argument: lines a turn), and the turn that lays out and paints them.
#include <string>

#include <benchmark/benchmark.h>

#include <QCoreApplication>

#include "views/LineList.h"

namespace kestrion {
namespace {

void LineListTurn(benchmark::State& state)
{
    CLineList list;
    list.resize(640, 480);
    list.show();
    const std::string line = "Week:1250  TOW:36000  EstGPSTime:360000000 ms  SVCnt:9  ";
    for (int i = 0; i < CLineList::kMaxLines; ++i) {
        list.AddText(line + std::to_string(i) + "\n");
    }
    QCoreApplication::processEvents();
    int next = CLineList::kMaxLines;
    for (auto _ : state) {
        for (int64_t i = 0; i < state.range(0); ++i) {
            list.AddText(line + std::to_string(next++) + "\n");
        }
        QCoreApplication::processEvents();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(LineListTurn)->ArgName("lines")->Arg(1)->Arg(100)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kestrion
