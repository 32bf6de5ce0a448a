#include "dialogs/DgpsModeDialog.h"

#include "protocol/CommandLayouts.h"

namespace kestrion {

namespace {

constexpr const CCommandLayout& kDgpsMode = CommandLayout(MID_SetDGPSMode);

}  // namespace

CDgpsModeDialog::CDgpsModeDialog(IUserInterface& ui, int /*generation*/, CCurrentValues current)
    : CCommandDialog(ui, TitleWithValues("DGPS Mode", current.Present()), "Send")
{
    AddRadio(kMode, "", {"&Automatic", "&Exclusive", "&Never use", "&Mixed"});
    ShowButton(kMode, kModeMixed, false);
    AddIntEdit(kTimeout, "Timeout:", "sec", 0, 255);

    const bool present = current.Present();
    SetValue(kMode, present ? current.Get(kDgpsMode.Field("mode")) : kModeAutomatic);
    SetInt(kTimeout, present ? current.Get(kDgpsMode.Field("timeout")) : 30);
    ApplyRules();
}

void CDgpsModeDialog::OnClicked(int /*id*/) { ApplyRules(); }

void CDgpsModeDialog::ApplyRules() { Enable(kTimeout, Value(kMode) != kModeNever); }

std::vector<Payload> CDgpsModeDialog::Payloads() const
{
    return {kDgpsMode.Values()
                .Set(kDgpsMode.Field("mode"), Value(kMode))
                .Set(kDgpsMode.Field("timeout"), Int(kTimeout))
                .Wire()};
}

}  // namespace kestrion
