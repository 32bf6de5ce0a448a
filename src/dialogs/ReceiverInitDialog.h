#pragma once
// "Receiver Initialization": the reset mode with the optional position, clock, GPS time and
// channel count, the two message switches and the periodic reset period. Its fields live in
// the "ReceiverInit" settings; after OK the caller changes the baud rate where needed and
// sends the initialisation built from the saved settings.
#include "platform/DialogForm.h"
#include "platform/Profile.h"
#include "platform/Settings.h"

namespace kestrion {

class CReceiverInitDialog : public CDialogForm {
public:
    enum ControlId {
        kX = 1,
        kY,
        kZ,
        kClock,
        kUseDosTime,
        kWeek,
        kTow,
        kChannels,
        kResetMode,
        kRawTrack,
        kDebug,
        kPeriodGroup,
        kPeriod,
        kLoad,
    };
    // Buttons of kResetMode.
    enum Mode { kHotStart, kWarmNoInit, kWarmInit, kColdStart, kFactoryReset };

    CReceiverInitDialog(IUserInterface& ui, int generation, const CProfile& profile);

    // After OK: the periodic reset period in seconds (0 = off), the reset mode, and whether
    // either message group was asked for.
    int Period() const { return m_period; }
    int ResetMode() const { return Value(kResetMode); }
    bool MessagesRequested() const { return Checked(kRawTrack) || Checked(kDebug); }

protected:
    void OnClicked(int id) override;
    bool OnOk() override;

private:
    void ApplyRules();
    void LoadPositionFile();
    void SaveFields();

    CProfile m_profile;  // a copy: the caller's may be a temporary
    Settings m_settings;
    int m_period = 0;
};

}  // namespace kestrion
