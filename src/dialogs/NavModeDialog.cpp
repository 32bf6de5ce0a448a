#include "dialogs/NavModeDialog.h"

#include "protocol/CommandPayload.h"
#include "protocol/Mid.h"

namespace kestrion {

CNavModeDialog::CNavModeDialog(IUserInterface& ui, int generation, CCurrentValues current)
    : CCommandDialog(ui, TitleWithValues("Navigation Mode Control", current.Present()), "Send"),
      m_firstGeneration(generation == 1)
{
    AddCheck(kTrackSmoothing, "Enable &Track Smoothing");
    AddCheck(kAltitudeConstraint, "Enable &Altitude Constraint");
    AddRadio(kHoldMode, "Altitude Hold Mode:", {"Aut&omatic", "Al&ways", "Disable Altitude &Hold"});
    AddRadio(kAltitudeSource, "", {"&Last Computed Altitude", "&Fixed to"});
    AddIntEdit(kAltitude, "", "m", -1000, 10000);
    AddGroup(kDegradedGroup, "Degraded Modes:");
    AddRadio(kDegradedMode, "",
             {"&Use Direction then Clock Hold", "U&se Clock then Direction Hold", "&Direction (Curb) Hold Only",
              "&Clock (Time) Hold Only", "D&isable Degraded Modes"},
             kDegradedGroup);
    AddIntEdit(kDegradedTimeout, "Timeout:", "sec", 0, 120, kDegradedGroup);
    AddGroup(kDeadReckoningGroup, "Dead Reckoning:");
    AddCheck(kDeadReckoning, "Enable DR &Mode ", kDeadReckoningGroup);
    AddIntEdit(kDeadReckoningTimeout, "Timeout:", "sec", 0, 120, kDeadReckoningGroup);
    AddIntEdit(kCoastTimeout, "Coast Timeout:", "sec", 0, 120);

    if (!m_firstGeneration) {
        Show(kAltitudeConstraint, false);
        Show(kCoastTimeout, false);
        // Hidden, the coast time-out cannot be corrected: whatever byte the receiver reported
        // goes back unchanged instead of refusing OK on a field nobody sees.
        Edit(kCoastTimeout).high = 255;
    }
    if (current.Present()) {
        LoadRecord(current);
    } else {
        LoadDefaults(generation);
    }
    ApplyRules();
}

void CNavModeDialog::LoadDefaults(int generation)
{
    SetChecked(kAltitudeConstraint, true);
    SetValue(kDegradedMode, 1);
    SetChecked(kDeadReckoning, true);
    SetInt(kAltitude, 0);
    SetValue(kHoldMode, kHoldAutomatic);
    SetValue(kAltitudeSource, kSourceLastComputed);
    SetInt(kCoastTimeout, 0);
    SetInt(kDegradedTimeout, m_firstGeneration ? 60 : 30);
    SetInt(kDeadReckoningTimeout, m_firstGeneration ? 30 : 15);
    SetChecked(kTrackSmoothing, generation > 2);
}

void CNavModeDialog::LoadRecord(const CCurrentValues& current)
{
    SetChecked(kAltitudeConstraint, current.Field<uint8_t>(2) != 0);
    SetValue(kDegradedMode, current.Field<uint8_t>(3));
    SetChecked(kDeadReckoning, current.Field<uint8_t>(5) != 0);
    SetInt(kAltitude, current.Field<int16_t>(6));
    SetValue(kHoldMode, current.Field<uint8_t>(8));
    SetValue(kAltitudeSource, current.Field<uint8_t>(9));
    SetInt(kCoastTimeout, current.Field<uint8_t>(10));
    SetInt(kDegradedTimeout, current.Field<uint8_t>(11));
    SetInt(kDeadReckoningTimeout, current.Field<uint8_t>(12));
    SetChecked(kTrackSmoothing, current.Field<uint8_t>(13) != 0);
}

void CNavModeDialog::OnClicked(int /*id*/) { ApplyRules(); }

void CNavModeDialog::ApplyRules()
{
    const int hold = Value(kHoldMode);
    Enable(kAltitudeSource, hold != kHoldDisabled);
    Enable(kAltitude, hold != kHoldDisabled);
    // Later receivers hold the altitude always only at a fixed value.
    const bool fixedOnly = !m_firstGeneration && hold == kHoldAlways;
    EnableButton(kAltitudeSource, kSourceLastComputed, !fixedOnly);
    if (fixedOnly) {
        SetValue(kAltitudeSource, kSourceFixed);
    }
    Enable(kDegradedTimeout, Value(kDegradedMode) != kDegradedDisabled);
    Enable(kDeadReckoningTimeout, Checked(kDeadReckoning));
}

std::vector<Payload> CNavModeDialog::Payloads() const
{
    const bool deadReckoning = Checked(kDeadReckoning);
    return {CPayload(MID_SetNavMode)
                .U8(0)
                .U8(Checked(kAltitudeConstraint))
                .U8(Value(kDegradedMode))
                .U8(0)
                .U8(deadReckoning)
                .U16(static_cast<uint32_t>(Int(kAltitude)))
                .U8(Value(kHoldMode))
                .U8(Value(kAltitudeSource))
                .U8(Int(kCoastTimeout))
                .U8(Int(kDegradedTimeout))
                .U8(deadReckoning ? Int(kDeadReckoningTimeout) : 0)
                .U8(Checked(kTrackSmoothing))
                .Bytes()};
}

}  // namespace kestrion
