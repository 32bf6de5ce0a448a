#include "evaluation/FixCollector.h"

#include <limits>

namespace kestrion {

void CFixCollector::OnRecord(const CMessageRecord& record)
{
    if (const ReceiverEpoch* epoch = m_state.Take(record)) {
        OnEpoch(*epoch);
    }
}

void CFixCollector::OnStreamEnd()
{
    if (const ReceiverEpoch* epoch = m_state.Finish()) {
        OnEpoch(*epoch);
    }
}

void CFixCollector::OnEpoch(const ReceiverEpoch& epoch)
{
    if (epoch.truth) {
        m_truth = FixFromEpoch(epoch);
        return;
    }
    if (const std::optional<CFix> fix = FixFromEpoch(epoch)) {
        m_fixes.push_back(*fix);
        m_measured.push_back(m_statistics.Add(*fix, m_truth ? &*m_truth : nullptr));
    }
    m_truth.reset();  // each truth record pairs with the navigation record after it only
}

void CFixCollector::Reset()
{
    m_statistics.Reset();
    m_fixes.clear();
    m_measured.clear();
    m_truth.reset();
    m_state.Reset();
}

void CFixCollector::Remeasure(AccuracyReference reference)
{
    m_statistics = CAccuracyStatistics(reference);
    if (reference.kind == ReferenceKind::Truth) {
        Reset();
        return;
    }
    for (size_t i = 0; i < m_fixes.size(); ++i) {
        m_measured[i] = m_statistics.Add(m_fixes[i], nullptr);
    }
}

std::vector<EnuError> CFixCollector::FixErrors() const
{
    constexpr float kNone = std::numeric_limits<float>::quiet_NaN();
    const std::vector<EnuError> measured = m_statistics.Errors();
    std::vector<EnuError> errors;
    errors.reserve(m_fixes.size());
    size_t next = 0;
    for (const bool kept : m_measured) {
        errors.push_back(kept ? measured[next++] : EnuError{kNone, kNone, kNone});
    }
    return errors;
}

}  // namespace kestrion
