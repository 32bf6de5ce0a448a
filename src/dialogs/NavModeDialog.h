#pragma once
// "Navigation Mode Control": altitude hold, degraded modes, dead reckoning, coasting and track
// smoothing, sent as MID_SetNavMode.
#include "dialogs/CommandDialog.h"

namespace kestrion {

class CNavModeDialog : public CCommandDialog {
public:
    enum ControlId {
        kTrackSmoothing = 1,
        kAltitudeConstraint,
        kHoldMode,
        kAltitudeSource,
        kAltitude,
        kDegradedGroup,
        kDegradedMode,
        kDegradedTimeout,
        kDeadReckoningGroup,
        kDeadReckoning,
        kDeadReckoningTimeout,
        kCoastTimeout,
    };
    // Buttons of the radio groups.
    static constexpr int kHoldAutomatic = 0;
    static constexpr int kHoldAlways = 1;
    static constexpr int kHoldDisabled = 2;
    static constexpr int kSourceLastComputed = 0;
    static constexpr int kSourceFixed = 1;
    static constexpr int kDegradedDisabled = 4;

    CNavModeDialog(IUserInterface& ui, int generation, CCurrentValues current = {});

    std::vector<Payload> Payloads() const override;

protected:
    void OnClicked(int id) override;

private:
    void LoadDefaults(int generation);
    void LoadRecord(const CCurrentValues& current);
    void ApplyRules();

    bool m_firstGeneration;
};

}  // namespace kestrion
