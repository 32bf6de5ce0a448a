#pragma once
// "Low Power Parameters": the receiver's power mode (MID_LowPower) and, after Kestrion I, the
// acquisition limits that go with it (MID_LPAcqParams). Lullcycle combinations the receiver
// cannot run are refused unless the user has switched on the expert override with a
// right-button double-click.
#include <cstdint>
#include <optional>
#include <vector>

#include "dialogs/CommandDialog.h"
#include "protocol/ProtocolState.h"

namespace kestrion {

class CLowPowerDialog : public CCommandDialog {
public:
    enum Mode { kContinuous = 0, kLullcycle = 1, kWakeToSync = 2 };
    enum ControlId {
        kMode = 1,
        kUpdateRate,
        kOnTime,
        kMaxOffTime,
        kMaxSearchTime,
        kPeriod,
        kInvalidGroup,
        kInvalidFirst,
        kInvalidSecond,
    };

    // lowPower has the MID_LowPower layout, acquisition the MID_LPAcqParams layout; both are
    // needed for the dialog to open on the receiver's values. OK may clear the state's
    // version detection flag.
    CLowPowerDialog(IUserInterface& ui, ProtocolState& state, CCurrentValues lowPower = {},
                    CCurrentValues acquisition = {});

    std::vector<Payload> Payloads() const override;

    bool ExpertOverride() const { return m_expertOverride; }

protected:
    void OnClicked(int id) override;
    void OnRightDoubleClick() override;
    bool OnOk() override;

private:
    void OpenOn(CCurrentValues lowPower, CCurrentValues acquisition);
    void ApplyRules();
    // The checks after the field checks; true when the values may be sent.
    bool CheckLullcycle(uint32_t onTime, int64_t updateRate);

    // Lullcycle without the override: only the listed update rates and on times will do.
    bool ListsOnly() const;
    int64_t UpdateRate() const;
    // The on time as sent, none when the text is not a 32-bit count.
    std::optional<uint32_t> OnTime() const;
    // Tenths of a percent; 0 for a Lullcycle without a usable update rate.
    int64_t DutyCycle() const;

    ProtocolState& m_state;
    int m_generation;
    bool m_expertOverride = false;
};

}  // namespace kestrion
