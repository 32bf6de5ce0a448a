#pragma once
// The fixes seen since the data source opened and their running accuracy figures: a view of
// the document, kept by the engine across documents. It keeps only what its readers ask for
// while they hold an interest (the statistics view, the map's track and circles, stats and
// export), and nothing for a run that has none. The reference is read from the settings at
// every opening and after new settings; a reference the settings get wrong is reported once
// in a warning box and the running mean is used.
#include <array>
#include <functional>
#include <optional>
#include <string>

#include "app/DocumentView.h"
#include "evaluation/FixCollector.h"
#include "platform/Profile.h"
#include "platform/UserInterface.h"

namespace kestrion {

class CFixRecorder : public IDocumentView {
public:
    // A reader's claim on the parts it reads (FixNeed bits), for as long as it lives. A part
    // asked for during a run counts from the track when one is kept, else from then on.
    class CInterest {
    public:
        CInterest(CFixRecorder& recorder, unsigned needs);
        ~CInterest();
        CInterest(const CInterest&) = delete;
        CInterest& operator=(const CInterest&) = delete;

    private:
        CFixRecorder& m_recorder;
        unsigned m_needs;
    };

    // `truthInUse` tells whether the current document pairs its fixes with a truth feed.
    CFixRecorder(const CProfile& profile, IUserInterface& ui, std::function<bool()> truthInUse);

    // Opening: forgets the fixes and reads the reference. Record: keeps and measures a fix.
    // Restarted: reads the reference again and measures the kept fixes against a new one.
    // Seeking: the fixes from the new position on are not counted twice.
    void OnUpdate(UpdateHint hint, const CMessageRecord* record) override;
    // Forgets the fixes and the figures, keeping the reference.
    void Reset() { m_collector.Reset(); }
    // A fixed point that stands in for the settings' from the next opening on; the truth feed
    // still comes first.
    void SetFixedReference(std::optional<GeodeticPoint> point) { m_fixed = point; }

    // What the interests ask for together.
    unsigned Needs() const;
    const CFixCollector& Collector() const { return m_collector; }
    AccuracyFigures Figures() const { return m_collector.Figures(); }
    std::vector<EnuError> ScatterPoints() const { return m_collector.ScatterPoints(); }
    size_t TrackSize() const { return m_collector.TrackSize(); }
    FixSequence Track() { return m_collector.Track(); }

private:
    AccuracyReference ReadReference();
    void Claim(unsigned needs, int change);

    const CProfile& m_profile;
    IUserInterface& m_ui;
    std::function<bool()> m_truthInUse;
    std::optional<GeodeticPoint> m_fixed;
    CFixCollector m_collector{AccuracyReference{}, 0};
    std::array<int, 3> m_claims{};  // interests per FixNeed bit
    std::string m_reportedProblem;  // the last problem shown, not shown again
};

}  // namespace kestrion
