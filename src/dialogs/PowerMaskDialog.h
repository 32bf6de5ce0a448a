#pragma once
// "Power Mask": the weakest satellite signal used for navigation, sent as MID_SetPowerMask.
// The tracking mask is fixed at 28 dB-Hz.
#include "dialogs/CommandDialog.h"

namespace kestrion {

class CPowerMaskDialog : public CCommandDialog {
public:
    enum ControlId { kPrompt = 1, kPromptEnd, kTracking, kNavigation };

    CPowerMaskDialog(IUserInterface& ui, int generation, CCurrentValues current = {});

    std::vector<Payload> Payloads() const override;
};

}  // namespace kestrion
