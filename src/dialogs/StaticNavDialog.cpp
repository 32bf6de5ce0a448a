#include "dialogs/StaticNavDialog.h"

#include "protocol/CommandLayouts.h"

namespace kestrion {

namespace {

constexpr const CCommandLayout& kStaticNav = CommandLayout(MID_SetStaticNavigation);

}  // namespace

CStaticNavDialog::CStaticNavDialog(IUserInterface& ui, int /*generation*/, CCurrentValues current)
    : CCommandDialog(ui, TitleWithValues("Static Navigation", current.Present()), "Send")
{
    AddRadio(kMode, "", {"&Disable", "&Enable"});
    SetValue(kMode, current.Present() ? current.Get(kStaticNav.Field("mode")) : kDisable);
}

std::vector<Payload> CStaticNavDialog::Payloads() const
{
    return {kStaticNav.Values().Set(kStaticNav.Field("mode"), Value(kMode)).Wire()};
}

}  // namespace kestrion
