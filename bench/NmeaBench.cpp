// NMEA epoch assembly over a multi-GNSS stream of 40 satellites, beside a plain copy of the
// same bytes: the throughput the assembler keeps up with.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <vector>

#include "NmeaStream.h"
#include "epoch/NmeaEpochAssembler.h"

namespace kestrion {
namespace {

// An hour of sentences, one after another.
const std::vector<std::string>& HourOfSentences()
{
    static const std::vector<std::string> sentences = [] {
        std::vector<std::string> made;
        for (int second = 0; second < 3600; ++second) {
            for (std::string& sentence : bench::NmeaSecond(second)) {
                made.push_back(std::move(sentence));
            }
        }
        return made;
    }();
    return sentences;
}

size_t ByteCount(const std::vector<std::string>& sentences)
{
    size_t bytes = 0;
    for (const std::string& sentence : sentences) {
        bytes += sentence.size();
    }
    return bytes;
}

void BM_NmeaEpochAssembly(benchmark::State& state)
{
    const std::vector<std::string>& sentences = HourOfSentences();
    size_t epochs = 0;
    for (auto _ : state) {
        CNmeaEpochAssembler assembler;
        for (const std::string& sentence : sentences) {
            epochs += assembler.Take(sentence) ? 1 : 0;
        }
        epochs += assembler.Finish() ? 1 : 0;
        benchmark::DoNotOptimize(assembler.Epoch().satellites.size());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * ByteCount(sentences)));
    state.counters["epochs"] = static_cast<double>(epochs) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_NmeaEpochAssembly)->Unit(benchmark::kMillisecond);

void BM_NmeaMemcpy(benchmark::State& state)
{
    const std::vector<std::string>& sentences = HourOfSentences();
    std::string target(4096, '\0');
    for (auto _ : state) {
        for (const std::string& sentence : sentences) {
            std::memcpy(target.data(), sentence.data(), sentence.size());
            benchmark::ClobberMemory();
        }
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * ByteCount(sentences)));
}
BENCHMARK(BM_NmeaMemcpy)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kestrion
