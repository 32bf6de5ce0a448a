#include "app/FixRecorder.h"

namespace kestrion {
namespace {

bool SameReference(const AccuracyReference& a, const AccuracyReference& b)
{
    return a.kind == b.kind && a.fixed.latitude == b.fixed.latitude && a.fixed.longitude == b.fixed.longitude &&
           a.fixed.height == b.fixed.height;
}

}  // namespace

CFixRecorder::CInterest::CInterest(CFixRecorder& recorder, unsigned needs) : m_recorder(recorder), m_needs(needs)
{
    m_recorder.Claim(m_needs, 1);
}

CFixRecorder::CInterest::~CInterest()
{
    m_recorder.Claim(m_needs, -1);
}

CFixRecorder::CFixRecorder(const CProfile& profile, IUserInterface& ui, std::function<bool()> truthInUse)
    : m_profile(profile), m_ui(ui), m_truthInUse(std::move(truthInUse))
{
}

unsigned CFixRecorder::Needs() const
{
    unsigned needs = 0;
    for (size_t bit = 0; bit < m_claims.size(); ++bit) {
        needs |= m_claims[bit] > 0 ? 1u << bit : 0u;
    }
    return needs;
}

void CFixRecorder::Claim(unsigned needs, int change)
{
    for (size_t bit = 0; bit < m_claims.size(); ++bit) {
        if ((needs & (1u << bit)) != 0) {
            m_claims[bit] += change;
        }
    }
    m_collector.SetNeeds(Needs());
}

void CFixRecorder::OnUpdate(UpdateHint hint, const CMessageRecord* record)
{
    switch (hint) {
    case UpdateHint::Record:
        if (record != nullptr) {
            m_collector.OnRecord(*record);
        }
        break;
    case UpdateHint::Opening:
        m_collector = CFixCollector(ReadReference(), Needs());
        break;
    case UpdateHint::SourceEnded:
        m_collector.OnStreamEnd();
        break;
    case UpdateHint::Seeking:
        m_collector.OnSeek();
        break;
    case UpdateHint::Restarted:
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
