#include "dialogs/PowerMaskDialog.h"

#include "protocol/CommandPayload.h"
#include "protocol/Mid.h"

namespace kestrion {

CPowerMaskDialog::CPowerMaskDialog(IUserInterface& ui, int /*generation*/, CCurrentValues current)
    : CCommandDialog(ui, TitleWithValues("Power Mask", current.Present()), "Send")
{
    AddStatic(kPrompt, "Set minimum satellite signal");
    AddStatic(kPromptEnd, "power to be required for:");
    AddIntEdit(kTracking, "Tracking", "dBHz", 20, 50).enabled = false;
    AddIntEdit(kNavigation, "Navigation", "dBHz", 20, 50);

    SetInt(kTracking, 28);
    SetInt(kNavigation, current.Present() ? current.Field<uint8_t>(2) : 28);
}

std::vector<Payload> CPowerMaskDialog::Payloads() const
{
    return {CPayload(MID_SetPowerMask).U8(Int(kTracking)).U8(Int(kNavigation)).Bytes()};
}

}  // namespace kestrion
