#pragma once
// Gathers the fixes of a run from the records the document hands its views, through their
// epochs (binary or NMEA): each matched truth record comes just before its navigation record
// and is paired with it. It keeps only what its readers ask for: the figures, the scatter of
// horizontal errors, the track; asked for nothing it does nothing at all.
#include <optional>
#include <string>
#include <vector>

#include "epoch/ReceiverState.h"
#include "evaluation/AccuracyStatistics.h"
#include "evaluation/ErrorScatter.h"
#include "evaluation/Fix.h"
#include "evaluation/FixTrack.h"
#include "evaluation/TrackExport.h"
#include "protocol/MessageRecord.h"

namespace kestrion {

enum FixNeed : unsigned {
    kNeedFigures = 1,  // the accuracy figures
    kNeedScatter = 2,  // the horizontal errors for a scatter plot
    kNeedTrack = 4,    // every fix in order, for the track files
};
inline constexpr unsigned kNeedEverything = kNeedFigures | kNeedScatter | kNeedTrack;

class CFixCollector {
public:
    explicit CFixCollector(AccuracyReference reference, unsigned needs = kNeedEverything)
        : m_needs(needs), m_statistics(reference)
    {
    }

    // Truth records wait for the next navigation record; navigation records with a solution
    // are kept and measured.
    void OnRecord(const CMessageRecord& record);
    // The end of the stream: the epoch still being assembled counts.
    void OnStreamEnd();
    // The recording moves: the first fix after it drops the fixes of the track from its time
    // on, and the figures and the scatter are counted again from the rest, so that each
    // position of the recording counts once. Without a track they start afresh.
    void OnSeek();
    // Forgets the fixes and the figures.
    void Reset();
    // Measures the kept fixes against another reference. Truth records are not kept: against
    // a truth reference it starts afresh, as it does without a track.
    void Remeasure(AccuracyReference reference);
    // What is kept from the next fix on. A part newly asked for is counted from the track when
    // there is one; a part no longer asked for is let go.
    void SetNeeds(unsigned needs);
    unsigned Needs() const { return m_needs; }

    const CAccuracyStatistics& Statistics() const { return m_statistics; }
    AccuracyFigures Figures() const { return m_statistics.Figures(); }
    // The scatter's points about the figures' reference (the current mean for the running mean).
    std::vector<EnuError> ScatterPoints() const;
    size_t TrackSize() const { return m_track.Size(); }
    // Why the track misses fixes; empty while it holds them all.
    const std::string& TrackProblem() const { return m_track.Problem(); }
    // The track's fixes in order with their errors: against the running mean, the mean of the
    // track. Valid while the collector is.
    FixSequence Track();

private:
    void OnEpoch(const ReceiverEpoch& epoch);
    void DropFixesAfterSeek(const Fix& next);
    // Counts the track's fixes again into the parts named.
    void Recount(unsigned parts);
    void Count(unsigned parts, const std::optional<KeptError>& kept);

    unsigned m_needs;
    CAccuracyStatistics m_statistics;
    CErrorScatter m_scatter;
    CFixTrack m_track;
    std::optional<Fix> m_truth;
    CReceiverState m_state;
    bool m_seeking = false;
};

}  // namespace kestrion
