#pragma once
// Watches the receiver's epochs after an initialisation for the first fix, whichever protocol
// it speaks. Epochs sent before the receiver took the reset still show the old fix: the watch
// counts once one without a fix has come.
#include <cstdint>
#include <optional>

#include "epoch/ReceiverState.h"
#include "protocol/MessageRecord.h"

namespace kestrion::cli {

class CFirstFixWatch {
public:
    // Any fix, or one of 3D or better (3D, DGPS, RTK).
    enum class Wanted { AnyFix, ThreeD };

    explicit CFirstFixWatch(Wanted wanted = Wanted::AnyFix) : m_wanted(wanted) {}

    // The reset went out at `resetMs`.
    void Start(int64_t resetMs)
    {
        m_resetMs = resetMs;
        m_searching = false;
    }
    void Stop() { m_resetMs.reset(); }
    bool Watching() const { return m_resetMs.has_value(); }
    int64_t ResetMs() const { return m_resetMs.value_or(0); }
    // A new data source: what was half-built belongs to the one before.
    void Restart() { m_state.Reset(); }

    // Every record of the receiver. The measured epoch it closed, or null.
    const ReceiverEpoch* Take(const CMessageRecord& record)
    {
        const ReceiverEpoch* epoch = m_state.Take(record);
        return epoch != nullptr && !epoch->truth ? epoch : nullptr;
    }

    // The milliseconds from the reset when this record, at `nowMs`, closes the first fix; the
    // watch ends then.
    std::optional<int64_t> OnRecord(const CMessageRecord& record, int64_t nowMs)
    {
        const ReceiverEpoch* epoch = Take(record);
        return epoch != nullptr ? OnEpoch(*epoch, nowMs) : std::nullopt;
    }

    std::optional<int64_t> OnEpoch(const ReceiverEpoch& epoch, int64_t nowMs)
    {
        if (!m_resetMs) {
            return std::nullopt;
        }
        if (!epoch.HasFix()) {
            m_searching = true;
        }
        if (!m_searching || !Counts(epoch)) {
            return std::nullopt;
        }
        const int64_t ttff = nowMs - *m_resetMs;
        m_resetMs.reset();
        return ttff;
    }

private:
    bool Counts(const ReceiverEpoch& epoch) const
    {
        if (!epoch.HasFix()) {
            return false;
        }
        switch (epoch.fix) {
        case FixMode::ThreeD:
        case FixMode::Dgps:
        case FixMode::RtkFixed:
        case FixMode::RtkFloat: return true;
        default: return m_wanted == Wanted::AnyFix;
        }
    }

    Wanted m_wanted;
    CReceiverState m_state;
    std::optional<int64_t> m_resetMs;
    bool m_searching = false;
};

}  // namespace kestrion::cli
