#pragma once
// Gathers the fixes of a run from the records the document hands its views, through their
// epochs (binary or NMEA): each matched truth record comes just before its navigation record
// and is paired with it.
#include <optional>
#include <vector>

#include "evaluation/AccuracyStatistics.h"
#include "epoch/ReceiverState.h"
#include "evaluation/Fix.h"
#include "protocol/MessageRecord.h"

namespace kestrion {

class CFixCollector {
public:
    explicit CFixCollector(AccuracyReference reference) : m_statistics(reference) {}

    // Truth records wait for the next navigation record; navigation records with a solution
    // are kept and measured.
    void OnRecord(const CMessageRecord& record);
    // The end of the stream: the epoch still being assembled counts.
    void OnStreamEnd();
    // Forgets the fixes and the figures.
    void Reset();
    // Measures the kept fixes against another reference. Truth records are not kept: against
    // a truth reference it starts afresh.
    void Remeasure(AccuracyReference reference);

    // Every measured fix since the start or the last reset, in order.
    const std::vector<CFix>& Fixes() const { return m_fixes; }
    // The errors of Fixes(), index for index; not a number for a fix that had no truth.
    std::vector<EnuError> FixErrors() const;
    const CAccuracyStatistics& Statistics() const { return m_statistics; }

private:
    CAccuracyStatistics m_statistics;
    std::vector<CFix> m_fixes;
    std::vector<bool> m_measured;  // per fix: its error is in the statistics
    std::optional<CFix> m_truth;
    CReceiverState m_state;

    void OnEpoch(const ReceiverEpoch& epoch);
};

}  // namespace kestrion
