#include "dialogs/ShareReceiverDialog.h"

namespace kestrion {

namespace {

constexpr char kExplanationText[] =
    "Other programs that connect here receive every byte the receiver sends.\n"
    "A port number or localhost listens on this computer only; name an\n"
    "address (tcp://0.0.0.0:5000) to share the receiver on the network.";

}  // namespace

CShareReceiverDialog::CShareReceiverDialog(IUserInterface& ui, const std::string& address, bool allowCommands,
                                           AddressCheck check)
    : CDialogForm(ui, "Share Receiver", "Share"), m_check(std::move(check))
{
    AddComboEdit(kAddress, "Listen on:", {"5000", "tcp://localhost:5000", "tcp://0.0.0.0:5000"});
    AddStatic(kExplanation, kExplanationText);
    AddCheck(kAllowCommands, "Let clients send commands");
    SetText(kAddress, address.empty() ? "5000" : address);
    SetChecked(kAllowCommands, allowCommands);
}

bool CShareReceiverDialog::OnOk()
{
    if (!ReadControls()) {
        return false;
    }
    if (Address().empty()) {
        return Refuse(kAddress, "Enter a port number or an address such as tcp://localhost:5000.");
    }
    if (const std::string problem = m_check ? m_check(Address()) : std::string(); !problem.empty()) {
        return Refuse(kAddress, problem);
    }
    return true;
}

}  // namespace kestrion
