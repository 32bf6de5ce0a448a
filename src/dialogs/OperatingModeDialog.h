#pragma once
// "Switch Operating Mode": normal navigation or one of the receiver's test modes
// (MID_SwitchOpMode), with the satellite all channels track and the test period.
#include <vector>

#include "dialogs/CommandDialog.h"

namespace kestrion {

class COperatingModeDialog : public CCommandDialog {
public:
    enum Mode { kNormal = 0, kTest1, kTest2, kTest3 };
    enum ControlId { kMode = 1, kPeriod, kSvText, kSvNumber };

    explicit COperatingModeDialog(IUserInterface& ui);

    std::vector<Payload> Payloads() const override;

protected:
    void OnClicked(int id) override;

private:
    // The rules of a mode just chosen; the period starts again at 10 seconds.
    void ApplyMode();
};

}  // namespace kestrion
