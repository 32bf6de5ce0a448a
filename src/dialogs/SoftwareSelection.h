#pragma once
// "Selection of Target Receiver Software": the receiver software generation and whether the
// program may detect it from the receiver's version reply.
#include "platform/DialogForm.h"
#include "protocol/ProtocolState.h"

namespace kestrion {

class CSoftwareSelection : public CDialogForm {
public:
    enum ControlId { kVersionGroup = 1, kFamily, kRevision, kAutoDetection };
    static constexpr int kFamilyOne = 0;   // "&Kestrion I"
    static constexpr int kFamilyTwo = 1;   // "K&estrion II"
    static constexpr int kRevision20 = 0;  // "2.&0.x"
    static constexpr int kRevision21 = 1;  // "2.&1.x or higher"

    // Opens the dialog on the program's state, marking it open.
    CSoftwareSelection(IUserInterface& ui, ProtocolState& state);

protected:
    void OnClicked(int id) override;
    // Sets the generation and the detection flag, and closes.
    bool OnOk() override;
    // Closes without changes, unless the generation is still unknown.
    bool OnCancel() override;

private:
    // The revision buttons apply to the second family only.
    void EnableRevision() { Enable(kRevision, Value(kFamily) == kFamilyTwo); }

    ProtocolState& m_state;
};

}  // namespace kestrion
