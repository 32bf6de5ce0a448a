#pragma once
// "Set Message Rate": how often the receiver sends one of its output messages
// (MID_SetMsgRate), or that it sends it once now.
#include <optional>
#include <vector>

#include "dialogs/CommandDialog.h"

namespace kestrion {

class CMessageRateDialog : public CCommandDialog {
public:
    enum ControlId { kMessage = 1, kRate, kSendNow };

    explicit CMessageRateDialog(IUserInterface& ui);

    std::vector<Payload> Payloads() const override;

protected:
    void OnClicked(int id) override;
    void OnChosen(int id) override;
    bool OnOk() override;

private:
    // The MID of the chosen message, none when no item is chosen.
    std::optional<uint8_t> ChosenMid() const;
};

}  // namespace kestrion
