#pragma once
// "Static Navigation": whether the receiver pins its position while stationary, sent as
// MID_SetStaticNavigation.
#include "dialogs/CommandDialog.h"

namespace kestrion {

class CStaticNavDialog : public CCommandDialog {
public:
    enum ControlId { kMode = 1 };
    static constexpr int kDisable = 0;
    static constexpr int kEnable = 1;

    CStaticNavDialog(IUserInterface& ui, int generation, CCurrentValues current = {});

    std::vector<Payload> Payloads() const override;
};

}  // namespace kestrion
