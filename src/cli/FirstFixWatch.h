#pragma once
// Watches the navigation messages after a receiver initialisation for the first fix. Messages
// sent before the receiver took the reset still show the old fix: the watch counts once one
// without a solution has come.
#include <cstdint>
#include <optional>

#include "evaluation/Fix.h"
#include "protocol/MessageRecord.h"

namespace kestrion::cli {

class CFirstFixWatch {
public:
    // A fix is a position mode of `fixMode` or above.
    explicit CFirstFixWatch(uint8_t fixMode = kFirstFixMode) : m_fixMode(fixMode) {}

    // The reset went out at `resetMs`.
    void Start(int64_t resetMs)
    {
        m_resetMs = resetMs;
        m_searching = false;
    }
    void Stop() { m_resetMs.reset(); }
    bool Watching() const { return m_resetMs.has_value(); }
    int64_t ResetMs() const { return m_resetMs.value_or(0); }

    // The milliseconds from the reset when this record, at `nowMs`, is the first fix; the
    // watch ends then.
    std::optional<int64_t> OnRecord(const CMessageRecord& record, int64_t nowMs)
    {
        if (!m_resetMs || record.type != 2) {
            return std::nullopt;
        }
        const uint8_t mode = record.nav.mode1 & 0x07;
        if (mode < kFirstFixMode) {
            m_searching = true;
        }
        if (!m_searching || mode < m_fixMode) {
            return std::nullopt;
        }
        const int64_t ttff = nowMs - *m_resetMs;
        m_resetMs.reset();
        return ttff;
    }

private:
    uint8_t m_fixMode;
    std::optional<int64_t> m_resetMs;
    bool m_searching = false;
};

}  // namespace kestrion::cli
