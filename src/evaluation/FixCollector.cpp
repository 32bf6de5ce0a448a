#include "evaluation/FixCollector.h"

#include <algorithm>
#include <limits>

namespace kestrion {

void CFixCollector::OnRecord(const CMessageRecord& record)
{
    if (m_needs == 0) {
        return;
    }
    if (const ReceiverEpoch* epoch = m_state.Take(record)) {
        OnEpoch(*epoch);
    }
}

void CFixCollector::OnStreamEnd()
{
    if (m_needs == 0) {
        return;
    }
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
    if (const std::optional<Fix> fix = FixFromEpoch(epoch)) {
        if (m_seeking) {
            DropFixesAfterSeek(*fix);
        }
        const std::optional<KeptError> kept = m_statistics.Measure(*fix, m_truth ? &*m_truth : nullptr);
        Count(m_needs, kept);
        if ((m_needs & kNeedTrack) != 0) {
            m_track.Append({*fix, kept.value_or(KeptError{}), kept.has_value()});
        }
    }
    m_truth.reset();  // each truth record pairs with the navigation record after it only
}

void CFixCollector::Count(unsigned parts, const std::optional<KeptError>& kept)
{
    if ((parts & kNeedFigures) != 0) {
        if (kept) {
            m_statistics.Add(*kept);
        } else {
            m_statistics.AddUnmatched();
        }
    }
    if ((parts & kNeedScatter) != 0 && kept) {
        const EnuError error = m_statistics.EnuOf(*kept);
        m_scatter.Add(error.east, error.north);
    }
}

void CFixCollector::OnSeek()
{
    // The epoch being assembled belongs to the old position.
    m_state.Reset();
    m_truth.reset();
    if ((m_needs & kNeedTrack) != 0) {
        m_seeking = true;
        return;
    }
    m_statistics.Reset();
    m_scatter.Clear();
}

void CFixCollector::DropFixesAfterSeek(const Fix& next)
{
    m_seeking = false;
    const size_t before = m_track.CountBefore(next);
    if (before == m_track.Size()) {
        return;  // forward: nothing was seen twice
    }
    m_track.Truncate(before);
    if (before == 0) {
        m_statistics.Reset();
        m_scatter.Clear();
        return;
    }
    Recount(m_needs & (kNeedFigures | kNeedScatter));
}

void CFixCollector::Recount(unsigned parts)
{
    if ((parts & kNeedFigures) != 0) {
        m_statistics.ClearFigures();
    }
    if ((parts & kNeedScatter) != 0) {
        m_scatter.Clear();
    }
    if (parts == 0 || m_track.Empty()) {
        return;
    }
    m_track.ForEach([&](const TrackEntry& entry) {
        Count(parts, entry.measured ? std::optional(entry.kept) : std::nullopt);
    });
}

void CFixCollector::Reset()
{
    m_statistics.Reset();
    m_scatter.Clear();
    m_track.Truncate(0);
    m_truth.reset();
    m_state.Reset();
    m_seeking = false;
}

void CFixCollector::Remeasure(AccuracyReference reference)
{
    m_statistics = CAccuracyStatistics(reference);
    m_scatter.Clear();
    if (reference.kind == ReferenceKind::Truth || (m_needs & kNeedTrack) == 0) {
        Reset();
        return;
    }
    CFixTrack remeasured;
    const bool read = m_track.ForEach([&](const TrackEntry& entry) {
        const std::optional<KeptError> kept = m_statistics.Measure(entry.fix, nullptr);
        Count(m_needs, kept);
        remeasured.Append({entry.fix, *kept, true});
    });
    if (read) {
        m_track = std::move(remeasured);
    }
}

void CFixCollector::SetNeeds(unsigned needs)
{
    if (m_needs == 0 && needs != 0) {
        // The records were not followed: start with the next epoch.
        m_state.Reset();
        m_truth.reset();
    }
    const unsigned added = needs & ~m_needs;
    const unsigned dropped = m_needs & ~needs;
    if ((m_needs & kNeedTrack) != 0) {
        Recount(added & (kNeedFigures | kNeedScatter));
    }
    if ((dropped & kNeedTrack) != 0) {
        m_track = CFixTrack();
        m_seeking = false;
    }
    if ((dropped & kNeedFigures) != 0) {
        m_statistics.ClearFigures();
    }
    if ((dropped & kNeedScatter) != 0) {
        m_scatter.Clear();
    }
    m_needs = needs;
}

std::vector<EnuError> CFixCollector::ScatterPoints() const
{
    const std::array<double, 3> centre = m_statistics.Centre();
    return m_scatter.Points(centre[0], centre[1]);
}

FixSequence CFixCollector::Track()
{
    return [this](const FixVisit& visit) -> std::string {
        if (!m_track.Problem().empty()) {
            return m_track.Problem();
        }
        const bool runningMean = m_statistics.Reference().kind == ReferenceKind::RunningMean;
        double sum[3] = {};
        size_t measured = 0;
        if (runningMean) {
            m_track.ForEach([&](const TrackEntry& entry) {
                for (int axis = 0; axis < 3; ++axis) {
                    sum[axis] += entry.kept[axis];
                }
                ++measured;
            });
        }
        const double n = static_cast<double>(std::max<size_t>(measured, 1));
        const EcefVector mean{sum[0] / n, sum[1] / n, sum[2] / n};
        const GeodeticPosition at = m_statistics.MeanPosition(mean);
        constexpr float kNone = std::numeric_limits<float>::quiet_NaN();
        m_track.ForEach([&](const TrackEntry& entry) {
            const KeptError& kept = entry.kept;
            const EnuError error = !entry.measured ? EnuError{kNone, kNone, kNone}
                                   : runningMean
                                       ? CAccuracyStatistics::ErrorAt(at, kept[0] - mean.x, kept[1] - mean.y, kept[2] - mean.z)
                                       : EnuError{kept[0], kept[1], kept[2]};
            visit(entry.fix, error);
        });
        return m_track.Problem();
    };
}

}  // namespace kestrion
