// Any bytes as a recording's time index (the first eight bytes give the size of its data
// file), and the same bytes as a recorded stream: the entries read are in order and inside
// the data, and the timelines built from either never go back or step past the cap.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "FuzzFile.h"
#include "transport/ReplayTimeline.h"
#include "transport/StreamTimeScan.h"
#include "transport/TimeIndex.h"

namespace {

void CheckTimeline(const kestrion::CReplayTimeline& timeline)
{
    const auto& points = timeline.Points();
    for (size_t i = 1; i < points.size(); ++i) {
        const int64_t step = points[i].ms - points[i - 1].ms;
        if (step <= 0 || step > kestrion::CReplayTimeline::kMaxStepMs || points[i].offset <= points[i - 1].offset) {
            std::abort();
        }
    }
    if (!points.empty() && (points[0].ms != 0 || points[0].offset != 0)) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace kestrion;
    int64_t dataSize = 0;
    for (size_t i = 0; i < 8 && i < size; ++i) {
        dataSize = dataSize << 8 | data[i];
    }
    const size_t skip = size < 8 ? size : 8;
    const CFuzzFile file(data + skip, size - skip);
    const TimeIndex index = ReadTimeIndex(file.Path(), dataSize);
    CReplayTimeline fromIndex;
    for (size_t i = 0; i < index.entries.size(); ++i) {
        const TimeIndexEntry& entry = index.entries[i];
        if (entry.offset < 0 || entry.offset >= dataSize ||
            (i > 0 && (entry.offset <= index.entries[i - 1].offset || entry.ms < index.entries[i - 1].ms))) {
            std::abort();
        }
        fromIndex.Mark(entry.offset, CReplayTimeline::Clock::Arrival, entry.ms);
    }
    CheckTimeline(fromIndex);

    CReplayTimeline fromStream;
    CStreamTimeScan scan(fromStream);
    scan.Accept(std::span(data, size / 2));
    scan.Accept(std::span(data + size / 2, size - size / 2));
    CheckTimeline(fromStream);
    return 0;
}
