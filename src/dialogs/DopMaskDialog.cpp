#include "dialogs/DopMaskDialog.h"

#include "protocol/CommandPayload.h"
#include "protocol/Mid.h"

namespace kestrion {

CDopMaskDialog::CDopMaskDialog(IUserInterface& ui, int /*generation*/, CCurrentValues current)
    : CCommandDialog(ui, TitleWithValues("DOP Mask Control", current.Present()), "Send")
{
    AddRadio(kMode, "", {"&Auto PDOP/HDOP", "Use &PDOP only", "Use &HDOP only", "Use &GDOP only", "&Do not use"});
    AddIntEdit(kPdop, "PDOP threshold:", "", 1, 50);
    AddIntEdit(kHdop, "HDOP threshold:", "", 1, 50);
    AddIntEdit(kGdop, "GDOP threshold:", "", 1, 50);

    const bool present = current.Present();
    SetValue(kMode, present ? current.Field<uint8_t>(1) : kModeNone);
    SetInt(kGdop, present ? current.Field<uint8_t>(2) : 10);
    SetInt(kPdop, present ? current.Field<uint8_t>(3) : 10);
    SetInt(kHdop, present ? current.Field<uint8_t>(4) : 10);
    ApplyRules();
}

void CDopMaskDialog::OnClicked(int /*id*/) { ApplyRules(); }

void CDopMaskDialog::ApplyRules()
{
    const int mode = Value(kMode);
    Enable(kPdop, mode == kModeAuto || mode == kModePdop);
    Enable(kHdop, mode == kModeAuto || mode == kModeHdop);
    Enable(kGdop, mode == kModeGdop);
}

std::vector<Payload> CDopMaskDialog::Payloads() const
{
    return {CPayload(MID_SetDOPMode).U8(Value(kMode)).U8(Int(kGdop)).U8(Int(kPdop)).U8(Int(kHdop)).Bytes()};
}

}  // namespace kestrion
