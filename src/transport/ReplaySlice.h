#pragma once
// As fast as possible, a turn of the loop plays one slice of a recording: until the slice has
// done its amount of work (bytes, records) or its share of the steady clock has passed,
// whichever comes first. The loop then gets its turn: the window answers and paints, a
// headless run looks at its stop and its steps.
#include <cstdint>
#include <functional>
#include <utility>

namespace kestrion {

class CReplaySlice {
public:
    // Long enough for the loop's own work to stay small beside it, short enough for the
    // window to answer without a noticeable wait.
    static constexpr int64_t kSliceMs = 40;

    // Milliseconds of a steady clock; the process's steady clock when empty.
    using SteadyMs = std::function<int64_t()>;

    // Begins now; `limit` is the most work the slice takes.
    explicit CReplaySlice(int64_t limit, SteadyMs now = {});

    // Whether `done`, in the unit of the limit, or the time since the slice began ends it.
    bool Spent(int64_t done) const;

private:
    int64_t Now() const;

    int64_t m_limit;
    SteadyMs m_now;
    int64_t m_startMs;
};

}  // namespace kestrion
