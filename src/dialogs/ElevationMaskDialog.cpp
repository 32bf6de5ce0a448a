#include "dialogs/ElevationMaskDialog.h"

#include <cmath>

#include "protocol/CommandPayload.h"
#include "protocol/Mid.h"

namespace kestrion {

namespace {

// Degrees to the signed 16-bit tenths on the wire, truncated toward zero.
uint32_t Tenths(double degrees) { return static_cast<uint16_t>(static_cast<int16_t>(std::trunc(degrees * 10))); }

}  // namespace

CElevationMaskDialog::CElevationMaskDialog(IUserInterface& ui, int /*generation*/, CCurrentValues current)
    : CCommandDialog(ui, TitleWithValues("Elevation Mask", current.Present()), "Send")
{
    AddStatic(kPrompt, "Set minimum satellite elevation");
    AddStatic(kPromptEnd, "angle to be required for:");
    AddDecimalEdit(kTracking, "Tracking", "degrees", -20, 90).enabled = false;
    AddDecimalEdit(kNavigation, "Navigation", "degrees", -20, 90);

    SetDecimal(kTracking, 5.0);
    SetDecimal(kNavigation, current.Present() ? current.Field<int16_t>(3) / 10.0 : 7.5);
}

std::vector<Payload> CElevationMaskDialog::Payloads() const
{
    return {CPayload(MID_SetElevMask).U16(Tenths(Decimal(kTracking))).U16(Tenths(Decimal(kNavigation))).Bytes()};
}

}  // namespace kestrion
