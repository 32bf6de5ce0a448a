#pragma once
// The fixes seen since the data source opened and their running accuracy figures: a view of
// the document, kept by the engine across documents. The reference is read from the settings
// at every opening and after new settings; a reference the settings get wrong is reported once
// in a warning box and the running mean is used.
#include <functional>
#include <string>

#include "app/DocumentView.h"
#include "evaluation/FixCollector.h"
#include "platform/Profile.h"
#include "platform/UserInterface.h"

namespace kestrion {

class CFixRecorder : public IDocumentView {
public:
    // `truthInUse` tells whether the current document pairs its fixes with a truth feed.
    CFixRecorder(const CProfile& profile, IUserInterface& ui, std::function<bool()> truthInUse);

    // Opening: forgets the fixes and reads the reference. Record: keeps and measures a fix.
    // Restarted: reads the reference again and measures the kept fixes against a new one.
    void OnUpdate(int hint, const CMessageRecord* record) override;
    // Forgets the fixes and the figures, keeping the reference.
    void Reset() { m_collector.Reset(); }

    const CFixCollector& Collector() const { return m_collector; }
    const std::vector<CFix>& Fixes() const { return m_collector.Fixes(); }
    AccuracyFigures Figures() const { return m_collector.Statistics().Figures(); }

private:
    AccuracyReference ReadReference();

    const CProfile& m_profile;
    IUserInterface& m_ui;
    std::function<bool()> m_truthInUse;
    CFixCollector m_collector{AccuracyReference{}};
    std::string m_reportedProblem;  // the last problem shown, not shown again
};

}  // namespace kestrion
