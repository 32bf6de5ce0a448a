#pragma once
// "Tracking View Configuration": the speed and the distance the tracking view's outer circle
// stands for, and whether the plot is drawn north up or heading up. The caller gives the
// opening values and takes them back after OK; the distance is shown but cannot be edited.
#include "platform/DialogForm.h"
#include "platform/Settings.h"

namespace kestrion {

class CTrackingViewConfiguration : public CDialogForm {
public:
    enum ControlId { kVelocity = 1, kPosition, kOrientation, kColours, kColourText, kCircles, kCircleText };

    // Opens on the "Radar View" fields of `opening`.
    CTrackingViewConfiguration(IUserInterface& ui, const Settings& opening);

    // The values after OK, into the "Radar View" fields of `settings`.
    void ReadInto(Settings& settings) const;
};

}  // namespace kestrion
