#include "dialogs/DopMaskDialog.h"

#include "protocol/CommandLayouts.h"

namespace kestrion {

namespace {

constexpr const CCommandLayout& kDopMode = CommandLayout(MID_SetDOPMode);

}  // namespace

CDopMaskDialog::CDopMaskDialog(IUserInterface& ui, int /*generation*/, CCurrentValues current)
    : CCommandDialog(ui, TitleWithValues("DOP Mask Control", current.Present()), "Send")
{
    AddRadio(kMode, "", {"&Auto PDOP/HDOP", "Use &PDOP only", "Use &HDOP only", "Use &GDOP only", "&Do not use"});
    AddIntEdit(kPdop, "PDOP threshold:", "", 1, 50);
    AddIntEdit(kHdop, "HDOP threshold:", "", 1, 50);
    AddIntEdit(kGdop, "GDOP threshold:", "", 1, 50);

    const bool present = current.Present();
    SetValue(kMode, present ? current.Get(kDopMode.Field("mode")) : kModeNone);
    SetInt(kGdop, present ? current.Get(kDopMode.Field("gdop")) : 10);
    SetInt(kPdop, present ? current.Get(kDopMode.Field("pdop")) : 10);
    SetInt(kHdop, present ? current.Get(kDopMode.Field("hdop")) : 10);
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
    return {kDopMode.Values()
                .Set(kDopMode.Field("mode"), Value(kMode))
                .Set(kDopMode.Field("gdop"), Int(kGdop))
                .Set(kDopMode.Field("pdop"), Int(kPdop))
                .Set(kDopMode.Field("hdop"), Int(kHdop))
                .Wire()};
}

}  // namespace kestrion
