#pragma once
// A line on a terminal that tells how far a recorded file has played: percent, the recording
// time played (of the total, for a text file) and records per second of the wall clock. It is
// redrawn in place a few times a second and erased when the run ends or another line is
// printed.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>

#include "app/DocumentView.h"
#include "transport/ReplayControl.h"

namespace kestrion {
class CEngine;
}

namespace kestrion::cli {

// "37 %  0:22:13 / 1:00:00  5120 records/s"; a binary file's position is in bytes, and its
// recording time comes from the records played.
std::string ProgressText(const ReplayPosition& position, int64_t playedHundredths, double recordsPerSecond);

class CProgressLine : public IDocumentView {
public:
    explicit CProgressLine(std::FILE* out) : m_out(out) {}

    // Counts the records and notes the recording time of those that carry one.
    void OnUpdate(UpdateHint hint, const CMessageRecord* record) override;
    // Redraws the line when it is due.
    void Update(CEngine& engine);
    void Erase();

private:
    using Clock = std::chrono::steady_clock;

    std::FILE* m_out;
    std::optional<Clock::time_point> m_started;
    Clock::time_point m_drawn{};
    bool m_shown = false;
    int64_t m_records = 0;
    std::optional<int64_t> m_firstTime;  // in 1/100 s from week 0
    int64_t m_lastTime = 0;
};

}  // namespace kestrion::cli
