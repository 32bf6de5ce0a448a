#include "dialogs/NavModeDialog.h"

#include "protocol/CommandLayouts.h"

namespace kestrion {

namespace {

constexpr const CCommandLayout& kNavMode = CommandLayout(MID_SetNavMode);

}  // namespace

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
    SetChecked(kAltitudeConstraint, current.Get(kNavMode.Field("altitudeConstraint")) != 0);
    SetValue(kDegradedMode, current.Get(kNavMode.Field("degradedMode")));
    SetChecked(kDeadReckoning, current.Get(kNavMode.Field("deadReckoning")) != 0);
    SetInt(kAltitude, current.Get(kNavMode.Field("altitude")));
    SetValue(kHoldMode, current.Get(kNavMode.Field("holdMode")));
    SetValue(kAltitudeSource, current.Get(kNavMode.Field("altitudeSource")));
    SetInt(kCoastTimeout, current.Get(kNavMode.Field("coastTimeout")));
    SetInt(kDegradedTimeout, current.Get(kNavMode.Field("degradedTimeout")));
    SetInt(kDeadReckoningTimeout, current.Get(kNavMode.Field("deadReckoningTimeout")));
    SetChecked(kTrackSmoothing, current.Get(kNavMode.Field("trackSmoothing")) != 0);
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
    return {kNavMode.Values()
                .Set(kNavMode.Field("altitudeConstraint"), Checked(kAltitudeConstraint))
                .Set(kNavMode.Field("degradedMode"), Value(kDegradedMode))
                .Set(kNavMode.Field("deadReckoning"), deadReckoning)
                .Set(kNavMode.Field("altitude"), Int(kAltitude))
                .Set(kNavMode.Field("holdMode"), Value(kHoldMode))
                .Set(kNavMode.Field("altitudeSource"), Value(kAltitudeSource))
                .Set(kNavMode.Field("coastTimeout"), Int(kCoastTimeout))
                .Set(kNavMode.Field("degradedTimeout"), Int(kDegradedTimeout))
                .Set(kNavMode.Field("deadReckoningTimeout"), deadReckoning ? Int(kDeadReckoningTimeout) : 0)
                .Set(kNavMode.Field("trackSmoothing"), Checked(kTrackSmoothing))
                .Wire()};
}

}  // namespace kestrion
