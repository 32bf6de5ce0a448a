#include "evaluation/FixCollector.h"

#include <limits>

namespace kestrion {

void CFixCollector::OnRecord(const CMessageRecord& record)
{
    if (record.type == 1) {
        m_truth = FixFromRecord(record);
        return;
    }
    if (record.type != 2) {
        return;
    }
    if (const std::optional<CFix> fix = FixFromRecord(record)) {
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
