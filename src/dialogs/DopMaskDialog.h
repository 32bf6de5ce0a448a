#pragma once
// "DOP Mask Control": which dilution of precision limits the fix, and the limits, sent as
// MID_SetDOPMode.
#include "dialogs/CommandDialog.h"

namespace kestrion {

class CDopMaskDialog : public CCommandDialog {
public:
    enum ControlId { kMode = 1, kPdop, kHdop, kGdop };
    static constexpr int kModeAuto = 0;
    static constexpr int kModePdop = 1;
    static constexpr int kModeHdop = 2;
    static constexpr int kModeGdop = 3;
    static constexpr int kModeNone = 4;

    CDopMaskDialog(IUserInterface& ui, int generation, CCurrentValues current = {});

    std::vector<Payload> Payloads() const override;

protected:
    void OnClicked(int id) override;

private:
    void ApplyRules();
};

}  // namespace kestrion
