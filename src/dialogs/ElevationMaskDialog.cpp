#include "dialogs/ElevationMaskDialog.h"

#include <cmath>

#include "protocol/CommandLayouts.h"

namespace kestrion {

namespace {

constexpr const CCommandLayout& kElevMask = CommandLayout(MID_SetElevMask);

// Degrees to the signed 16-bit tenths on the wire, truncated toward zero.
int16_t Tenths(double degrees) { return static_cast<int16_t>(std::trunc(degrees * 10)); }

}  // namespace

CElevationMaskDialog::CElevationMaskDialog(IUserInterface& ui, int /*generation*/, CCurrentValues current)
    : CCommandDialog(ui, TitleWithValues("Elevation Mask", current.Present()), "Send")
{
    AddStatic(kPrompt, "Set minimum satellite elevation");
    AddStatic(kPromptEnd, "angle to be required for:");
    AddDecimalEdit(kTracking, "Tracking", "degrees", -20, 90).enabled = false;
    AddDecimalEdit(kNavigation, "Navigation", "degrees", -20, 90);

    SetDecimal(kTracking, 5.0);
    SetDecimal(kNavigation, current.Present() ? current.Get(kElevMask.Field("navigation")) / 10.0 : 7.5);
}

std::vector<Payload> CElevationMaskDialog::Payloads() const
{
    return {kElevMask.Values()
                .Set(kElevMask.Field("tracking"), Tenths(Decimal(kTracking)))
                .Set(kElevMask.Field("navigation"), Tenths(Decimal(kNavigation)))
                .Wire()};
}

}  // namespace kestrion
