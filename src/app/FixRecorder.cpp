#include "app/FixRecorder.h"

namespace kestrion {
namespace {

bool SameReference(const AccuracyReference& a, const AccuracyReference& b)
{
    return a.kind == b.kind && a.fixed.latitude == b.fixed.latitude && a.fixed.longitude == b.fixed.longitude &&
           a.fixed.height == b.fixed.height;
}

}  // namespace

CFixRecorder::CFixRecorder(const CProfile& profile, IUserInterface& ui, std::function<bool()> truthInUse)
    : m_profile(profile), m_ui(ui), m_truthInUse(std::move(truthInUse))
{
}

void CFixRecorder::OnUpdate(int hint, const CMessageRecord* record)
{
    switch (hint) {
    case kHintRecord:
        if (record != nullptr) {
            m_collector.OnRecord(*record);
        }
        break;
    case kHintOpening:
        m_collector = CFixCollector(ReadReference());
        break;
    case kHintSourceEnded:
        m_collector.OnStreamEnd();
        break;
    case kHintRestarted:
        if (const AccuracyReference reference = ReadReference();
            !SameReference(reference, m_collector.Statistics().Reference())) {
            m_collector.Remeasure(reference);
        }
        break;
    default:
        break;
    }
}

AccuracyReference CFixRecorder::ReadReference()
{
    if (m_fixed && !m_truthInUse()) {
        return {ReferenceKind::Fixed, *m_fixed};
    }
    std::string problem;
    const AccuracyReference reference = LoadAccuracyReference(m_profile, m_truthInUse(), problem);
    if (!problem.empty() && problem != m_reportedProblem) {
        m_ui.MessageBox("The accuracy figures use the running mean of the fixes.\n" + problem, BoxButtons::Ok,
                        BoxIcon::Warning);
    }
    m_reportedProblem = problem;
    return reference;
}

}  // namespace kestrion
