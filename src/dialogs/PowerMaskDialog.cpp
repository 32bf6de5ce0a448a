#include "dialogs/PowerMaskDialog.h"

#include "protocol/CommandLayouts.h"

namespace kestrion {

namespace {

constexpr const CCommandLayout& kPowerMask = CommandLayout(MID_SetPowerMask);

}  // namespace

CPowerMaskDialog::CPowerMaskDialog(IUserInterface& ui, int /*generation*/, CCurrentValues current)
    : CCommandDialog(ui, TitleWithValues("Power Mask", current.Present()), "Send")
{
    AddStatic(kPrompt, "Set minimum satellite signal");
    AddStatic(kPromptEnd, "power to be required for:");
    AddIntEdit(kTracking, "Tracking", "dBHz", 20, 50).enabled = false;
    AddIntEdit(kNavigation, "Navigation", "dBHz", 20, 50);

    SetInt(kTracking, 28);
    SetInt(kNavigation, current.Present() ? current.Get(kPowerMask.Field("navigation")) : 28);
}

std::vector<Payload> CPowerMaskDialog::Payloads() const
{
    return {kPowerMask.Values()
                .Set(kPowerMask.Field("tracking"), Int(kTracking))
                .Set(kPowerMask.Field("navigation"), Int(kNavigation))
                .Wire()};
}

}  // namespace kestrion
