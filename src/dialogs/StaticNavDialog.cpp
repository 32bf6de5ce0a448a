#include "dialogs/StaticNavDialog.h"

#include "protocol/CommandPayload.h"
#include "protocol/Mid.h"

namespace kestrion {

CStaticNavDialog::CStaticNavDialog(IUserInterface& ui, int /*generation*/, CCurrentValues current)
    : CCommandDialog(ui, TitleWithValues("Static Navigation", current.Present()), "Send")
{
    AddRadio(kMode, "", {"&Disable", "&Enable"});
    SetValue(kMode, current.Present() ? current.Field<uint8_t>(1) : kDisable);
}

std::vector<Payload> CStaticNavDialog::Payloads() const
{
    return {CPayload(MID_SetStaticNavigation).U8(Value(kMode)).Bytes()};
}

}  // namespace kestrion
