#include "dialogs/DgpsModeDialog.h"

#include "protocol/CommandPayload.h"
#include "protocol/Mid.h"

namespace kestrion {

CDgpsModeDialog::CDgpsModeDialog(IUserInterface& ui, int /*generation*/, CCurrentValues current)
    : CCommandDialog(ui, TitleWithValues("DGPS Mode", current.Present()), "Send")
{
    AddRadio(kMode, "", {"&Automatic", "&Exclusive", "&Never use", "&Mixed"});
    ShowButton(kMode, kModeMixed, false);
    AddIntEdit(kTimeout, "Timeout:", "sec", 0, 255);

    const bool present = current.Present();
    SetValue(kMode, present ? current.Field<uint8_t>(1) : kModeAutomatic);
    SetInt(kTimeout, present ? current.Field<uint8_t>(2) : 30);
    ApplyRules();
}

void CDgpsModeDialog::OnClicked(int /*id*/) { ApplyRules(); }

void CDgpsModeDialog::ApplyRules() { Enable(kTimeout, Value(kMode) != kModeNever); }

std::vector<Payload> CDgpsModeDialog::Payloads() const
{
    return {CPayload(MID_SetDGPSMode).U8(Value(kMode)).U8(Int(kTimeout)).Bytes()};
}

}  // namespace kestrion
