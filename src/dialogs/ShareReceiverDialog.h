#pragma once
// "Share Receiver": where other programs connect to get the receiver's bytes, and whether
// what they send goes to the receiver. A port number or localhost listens on this computer
// only; another address must be named.
#include <functional>
#include <string>

#include "platform/DialogForm.h"

namespace kestrion {

class CShareReceiverDialog : public CDialogForm {
public:
    enum ControlId { kAddress = 1, kExplanation, kAllowCommands };

    // `check` gives the problem of an address ("tcp://...: no port"), empty when it can be listened on.
    using AddressCheck = std::function<std::string(const std::string& address)>;

    CShareReceiverDialog(IUserInterface& ui, const std::string& address, bool allowCommands, AddressCheck check);

    // The address as typed, without surrounding blanks.
    std::string Address() const { return TrimmedText(kAddress); }
    bool AllowCommands() const { return Checked(kAllowCommands); }

protected:
    bool OnOk() override;

private:
    AddressCheck m_check;
};

}  // namespace kestrion
