#pragma once
// The recording time of a byte stream: points (milliseconds after the start, byte offset),
// each the start of a segment that plays at its time up to the next point. Built from the
// times of arrival in the time index, else from the receiver's own times in the stream
// (GPS time of the binary messages, NMEA times of day), which may run side by side.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace kestrion {

class CReplayTimeline {
public:
    // A recording whose clock jumps (a week rollover, a gap, a receiver reset) must not stall
    // the playback for hours: no single step of the timeline is longer than this, and a clock
    // that goes back takes no time.
    static constexpr int64_t kMaxStepMs = 5000;

    enum class Clock { Arrival, Gps, UtcOfDay };
    enum class Origin { None, Index, Stream };
    struct Point {
        int64_t ms;
        int64_t offset;
    };

    // The index beside the file when it is whole, else the times in the stream, else the
    // valid part of a faulty index, else nothing.
    static CReplayTimeline Load(const std::string& path);

    // A time found at an offset; offsets come in rising order. The first point is at offset
    // 0: what comes before the first time plays with it.
    void Mark(int64_t offset, Clock clock, int64_t ms);
    void SetOrigin(Origin origin) { m_origin = origin; }

    // Without a second point there is no time to play by.
    bool Timed() const { return m_points.size() >= 2; }
    Origin From() const { return m_origin; }
    const std::vector<Point>& Points() const { return m_points; }
    int64_t TotalMs() const { return m_points.empty() ? 0 : m_points.back().ms; }
    // The last point at or before a time, or at or before an offset; 0 for none.
    size_t PointAtTime(int64_t ms) const;
    size_t PointAtOffset(int64_t offset) const;

private:
    struct ClockState {
        bool seen = false;
        int64_t lastMs = 0;       // in the clock's own time
        int64_t lastElapsed = 0;  // where it was placed on the timeline
    };

    std::array<ClockState, 3> m_clocks{};
    std::vector<Point> m_points;
    Origin m_origin = Origin::None;
};

}  // namespace kestrion
