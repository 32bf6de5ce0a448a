#include "dialogs/OperatingModeDialog.h"

#include "protocol/CommandLayouts.h"

namespace kestrion {

namespace {

// The receiver's code for each mode, in the order of the buttons.
constexpr const CCommandLayout& kSwitchOpMode = CommandLayout(MID_SwitchOpMode);
constexpr uint16_t kModeCodes[] = {0x0000, 0x1E51, 0x1E52, 0x1E53};

}  // namespace

COperatingModeDialog::COperatingModeDialog(IUserInterface& ui) : CCommandDialog(ui, TitleWithValues("Switch Operating Mode", false), "Send")
{
    AddRadio(kMode, "", {"&Normal", "Test &1", "Test &2", "Test &3"});
    EnableButton(kMode, kTest3, false);
    AddIntEdit(kPeriod, "Period:", "seconds", 1, 60000).isUnsigned = true;
    AddStatic(kSvText, "Use all 12 channels to track SV");
    AddIntEdit(kSvNumber, "number:", "", 1, 32).isUnsigned = true;
    SetInt(kSvNumber, 6);
    ApplyMode();
}

void COperatingModeDialog::ApplyMode()
{
    const int mode = Value(kMode);
    Enable(kPeriod, mode != kNormal && mode != kTest3);
    Enable(kSvText, mode != kNormal);
    Enable(kSvNumber, mode != kNormal);
    SetInt(kPeriod, 10);
}

void COperatingModeDialog::OnClicked(int id)
{
    if (id == kMode) {
        ApplyMode();
    }
}

std::vector<Payload> COperatingModeDialog::Payloads() const
{
    const int mode = Value(kMode);
    const uint16_t code = mode >= kNormal && mode <= kTest3 ? kModeCodes[mode] : 0;
    return {kSwitchOpMode.Values()
                .Set(kSwitchOpMode.Field("mode"), code)
                .Set(kSwitchOpMode.Field("svNumber"), Int(kSvNumber))
                .Set(kSwitchOpMode.Field("period"), Int(kPeriod))
                .Wire()};
}

}  // namespace kestrion
