#pragma once
// A view that prints one line per update: "<ms> <hint> <mid>", the time since the data
// source opened, the update hint and the record type ("-" without a record).
#include <cstdint>
#include <cstdio>

#include "app/DocumentView.h"
#include "platform/LoopTimers.h"
#include "protocol/MessageRecord.h"

namespace kestrion::cli {

class CTraceView : public IDocumentView {
public:
    CTraceView(const CLoopTimers& timers, std::FILE* out) : m_timers(timers), m_out(out) {}

    // Times count from here.
    void MarkOpening() { m_originMs = m_timers.ElapsedMs(); }

    void OnUpdate(UpdateHint hint, const CMessageRecord* record) override
    {
        const long long ms = m_timers.ElapsedMs() - m_originMs;
        if (record != nullptr) {
            std::fprintf(m_out, "%lld %d %d\n", ms, static_cast<int>(hint), record->type);
        } else {
            std::fprintf(m_out, "%lld %d -\n", ms, static_cast<int>(hint));
        }
    }

private:
    const CLoopTimers& m_timers;
    std::FILE* m_out;
    int64_t m_originMs = 0;
};

}  // namespace kestrion::cli
