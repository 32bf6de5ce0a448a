#pragma once
// "DGPS Mode": when differential corrections are used and how long they stay valid, sent as
// MID_SetDGPSMode.
#include "dialogs/CommandDialog.h"

namespace kestrion {

class CDgpsModeDialog : public CCommandDialog {
public:
    enum ControlId { kMode = 1, kTimeout };
    static constexpr int kModeAutomatic = 0;
    static constexpr int kModeExclusive = 1;
    static constexpr int kModeNever = 2;
    static constexpr int kModeMixed = 3;

    CDgpsModeDialog(IUserInterface& ui, int generation, CCurrentValues current = {});

    std::vector<Payload> Payloads() const override;

protected:
    void OnClicked(int id) override;

private:
    void ApplyRules();
};

}  // namespace kestrion
