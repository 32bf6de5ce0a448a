#include "transport/ReplayTimeline.h"

#include <sys/stat.h>

#include <algorithm>

#include "transport/FileCloser.h"
#include "transport/StreamTimeScan.h"
#include "transport/TimeIndex.h"

namespace kestrion {
namespace {

constexpr int64_t kDayMs = int64_t{24} * 3600 * 1000;

CReplayTimeline FromIndex(const TimeIndex& index)
{
    CReplayTimeline timeline;
    for (const TimeIndexEntry& entry : index.entries) {
        timeline.Mark(entry.offset, CReplayTimeline::Clock::Arrival, entry.ms);
    }
    timeline.SetOrigin(timeline.Timed() ? CReplayTimeline::Origin::Index : CReplayTimeline::Origin::None);
    return timeline;
}

CReplayTimeline FromStream(const std::string& path)
{
    CReplayTimeline timeline;
    const FilePtr file(std::fopen(path.c_str(), "rb"));
    if (file == nullptr) {
        return timeline;
    }
    CStreamTimeScan scan(timeline);
    std::vector<uint8_t> block(size_t{1} << 20);
    for (size_t count; (count = std::fread(block.data(), 1, block.size(), file.get())) > 0;) {
        scan.Accept(std::span(block.data(), count));
    }
    timeline.SetOrigin(timeline.Timed() ? CReplayTimeline::Origin::Stream : CReplayTimeline::Origin::None);
    return timeline;
}

}  // namespace

CReplayTimeline CReplayTimeline::Load(const std::string& path)
{
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) {
        return {};
    }
    const TimeIndex index = ReadTimeIndex(TimeIndexPath(path), status.st_size);
    if (!index.entries.empty() && !index.faulty) {
        return FromIndex(index);
    }
    CReplayTimeline scanned = FromStream(path);
    return scanned.Timed() || index.entries.empty() ? scanned : FromIndex(index);
}

void CReplayTimeline::Mark(int64_t offset, Clock clock, int64_t ms)
{
    ClockState& state = m_clocks[static_cast<size_t>(clock)];
    int64_t elapsed = TotalMs();
    if (state.seen) {
        int64_t step = ms - state.lastMs;
        if (clock == Clock::UtcOfDay && step < -kDayMs / 2) {
            step += kDayMs;  // past midnight
        }
        // Each clock moves the timeline on from where its last time was placed; a jump waits
        // at most kMaxStepMs.
        elapsed = std::max(elapsed, state.lastElapsed + std::clamp<int64_t>(step, 0, kMaxStepMs));
    }
    state = {true, ms, elapsed};
    if (m_points.empty()) {
        m_points.push_back({0, 0});
    } else if (elapsed > m_points.back().ms && offset > m_points.back().offset) {
        m_points.push_back({elapsed, offset});
    }
}

size_t CReplayTimeline::PointAtTime(int64_t ms) const
{
    const auto after = std::upper_bound(m_points.begin(), m_points.end(), ms,
                                        [](int64_t value, const Point& point) { return value < point.ms; });
    return after == m_points.begin() ? 0 : static_cast<size_t>(after - m_points.begin()) - 1;
}

size_t CReplayTimeline::PointAtOffset(int64_t offset) const
{
    const auto after = std::upper_bound(m_points.begin(), m_points.end(), offset,
                                        [](int64_t value, const Point& point) { return value < point.offset; });
    return after == m_points.begin() ? 0 : static_cast<size_t>(after - m_points.begin()) - 1;
}

}  // namespace kestrion
