#pragma once
// "Elevation Mask": the lowest satellite elevation used for navigation, sent as
// MID_SetElevMask in tenths of a degree. The tracking mask is fixed at 5 degrees.
#include "dialogs/CommandDialog.h"

namespace kestrion {

class CElevationMaskDialog : public CCommandDialog {
public:
    enum ControlId { kPrompt = 1, kPromptEnd, kTracking, kNavigation };

    CElevationMaskDialog(IUserInterface& ui, int generation, CCurrentValues current = {});

    std::vector<Payload> Payloads() const override;
};

}  // namespace kestrion
