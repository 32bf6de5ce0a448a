// Throughput of the receive path over a 32 MiB mixed stream: framing alone, framing and
// decoding, framing, decoding and rendering every record, and memcpy of the same bytes.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "SampleStream.h"
#include "protocol/MessageDecoder.h"
#include "protocol/QuietHost.h"
#include "protocol/RecordDelivery.h"
#include "protocol/RecordRenderer.h"
#include "protocol/SerialFramer.h"

namespace kestrion {
namespace {

constexpr size_t kStreamBytes = size_t{32} << 20;
constexpr size_t kChunk = 4095;  // what the serial port hands over per tick at most
constexpr uint32_t kVariants = 32;

// The sample recording in varied repeats: other positions, skies and times.
const std::vector<uint8_t>& Stream()
{
    static const std::vector<uint8_t> stream = [] {
        std::vector<std::vector<uint8_t>> variants;
        for (uint32_t vary = 0; vary < kVariants; ++vary) {
            variants.push_back(MakeSampleStream(kSampleCycle, vary + 1, vary));
        }
        std::vector<uint8_t> all;
        all.reserve(kStreamBytes + variants[0].size());
        for (size_t i = 0; all.size() < kStreamBytes; ++i) {
            const std::vector<uint8_t>& part = variants[i % kVariants];
            all.insert(all.end(), part.begin(), part.end());
        }
        return all;
    }();
    return stream;
}

struct CountingSink : IFrameSink {
    void OnFrame(std::span<const uint8_t> payload) override { bytes += payload.size(); }
    void OnSentence(std::span<const uint8_t> sentence) override { bytes += sentence.size(); }
    size_t bytes = 0;
};

struct NullFeed : IRecordSink {
    int AcceptRecord(const CMessageRecord* record) override
    {
        benchmark::DoNotOptimize(record);
        return 1;
    }
};

// Renders every record into an output buffer, flushed (dropped) when it fills like a writer's.
struct RenderingFeed : IRecordSink {
    explicit RenderingFeed(const ProtocolState& protocol) : state(protocol) { output.reserve(1 << 20); }
    int AcceptRecord(const CMessageRecord* record) override
    {
        if (RenderRecord(*record, state.generation, line)) {
            if (output.size() + line.size() + 1 > output.capacity()) {
                benchmark::DoNotOptimize(output.data());
                output.clear();
            }
            output.append(line).push_back('\n');
        }
        return 1;
    }
    const ProtocolState& state;
    std::string line;
    std::string output;
};

template <typename Framer>
void FeedInChunks(Framer& framer, const std::vector<uint8_t>& stream)
{
    for (size_t offset = 0; offset < stream.size(); offset += kChunk) {
        framer.Accept(stream.data() + offset, std::min(kChunk, stream.size() - offset));
    }
}

void BM_SampleMemcpy(benchmark::State& run)
{
    const std::vector<uint8_t>& stream = Stream();
    std::vector<uint8_t> copy(stream.size());
    for (auto _ : run) {
        std::memcpy(copy.data(), stream.data(), stream.size());
        benchmark::ClobberMemory();
    }
    run.SetBytesProcessed(static_cast<int64_t>(run.iterations() * stream.size()));
}

void BM_SampleFraming(benchmark::State& run)
{
    const std::vector<uint8_t>& stream = Stream();
    CQuietHost host;
    for (auto _ : run) {
        CountingSink sink;
        CSerialFramer framer(sink, host);
        FeedInChunks(framer, stream);
        benchmark::DoNotOptimize(sink.bytes);
    }
    run.SetBytesProcessed(static_cast<int64_t>(run.iterations() * stream.size()));
}

template <typename Feed>
void RunDecoding(benchmark::State& run, bool render)
{
    const std::vector<uint8_t>& stream = Stream();
    CQuietHost host;
    size_t records = 0;
    for (auto _ : run) {
        ProtocolState state;
        CMessageDecoder decoder(state, host);
        CMessageRecord record;
        Feed feed = [&] {
            if constexpr (std::is_same_v<Feed, RenderingFeed>) {
                return Feed(state);
            } else {
                return Feed();
            }
        }();
        CRecordDelivery delivery(decoder, record, feed, nullptr, CRecordDelivery::Line::Serial);
        CSerialFramer framer(delivery, host);
        FeedInChunks(framer, stream);
        ++records;
    }
    run.SetBytesProcessed(static_cast<int64_t>(run.iterations() * stream.size()));
    run.SetLabel(render ? "framing+decoding+rendering" : "framing+decoding");
}

void BM_SampleDecoding(benchmark::State& run) { RunDecoding<NullFeed>(run, false); }
void BM_SampleRendering(benchmark::State& run) { RunDecoding<RenderingFeed>(run, true); }

BENCHMARK(BM_SampleMemcpy)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SampleFraming)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SampleDecoding)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SampleRendering)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kestrion

BENCHMARK_MAIN();
