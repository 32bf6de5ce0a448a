#pragma once
// The fixes of a run in order, each with its kept error, in a temporary file of fixed-size
// entries (76 bytes) that is gone when the track is: memory stays flat however long the run.
// The file is made at the first fix, in $TMPDIR or /tmp, and unlinked at once.
#include <cstddef>
#include <cstdio>
#include <functional>
#include <string>

#include "evaluation/AccuracyStatistics.h"
#include "evaluation/Fix.h"

namespace kestrion {

struct TrackEntry {
    Fix fix;
    KeptError kept{};       // see CAccuracyStatistics::Measure
    bool measured = false;  // false for a fix without truth
};

class CFixTrack {
public:
    CFixTrack() = default;
    ~CFixTrack();
    CFixTrack(const CFixTrack&) = delete;
    CFixTrack& operator=(const CFixTrack&) = delete;
    CFixTrack(CFixTrack&& other) noexcept;
    CFixTrack& operator=(CFixTrack&& other) noexcept;

    // Once a write has failed the track takes no more fixes and Problem() says why.
    void Append(const TrackEntry& entry);
    size_t Size() const { return m_size; }
    bool Empty() const { return m_size == 0; }
    // Keeps the first `count` entries.
    void Truncate(size_t count);
    // How many entries lie before the time of `fix`, the track being in time order.
    size_t CountBefore(const Fix& fix);
    // Each entry in order; false, with Problem(), when the file could not be read.
    bool ForEach(const std::function<void(const TrackEntry&)>& visit);

    // "Cannot keep the track in a temporary file in /tmp: No space left on device"; empty
    // while every fix was kept.
    const std::string& Problem() const { return m_problem; }

private:
    bool Open();
    bool Flush();
    bool ReadAt(size_t index, TrackEntry& entry);
    void Fail(int error);

    std::FILE* m_file = nullptr;
    size_t m_size = 0;
    std::string m_problem;
};

}  // namespace kestrion
