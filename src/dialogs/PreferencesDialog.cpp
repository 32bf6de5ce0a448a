#include "dialogs/PreferencesDialog.h"

#include <algorithm>

namespace kestrion {
namespace {

constexpr int kMinTimerDelay = 200;
constexpr int kMaxTimerDelay = 30000;

}  // namespace

CPreferencesDialog::CPreferencesDialog(IUserInterface& ui, const CProfile& profile)
    : CDialogForm(ui, "Preferences", "Save"), m_profile(profile)
{
    m_settings.LoadSignalView(profile);
    m_settings.LoadRadarView(profile);
    m_settings.LoadMapView(profile);
    m_settings.LoadTimerDelay(profile);
    m_settings.LoadExternalTimer(profile);

    AddRadio(kGraphType, "Signal Graph Type", {"&Bar", "&Line"});
    AddRadio(kOrientation, "Tracking Orientation", {"&North Up", "&Heading Up"});
    AddGroup(kMapGroup, "Map View");
    AddDecimalEdit(kScale, "", "meters per pixel", 0.25, 10000, kMapGroup);
    AddCheck(kCentered, "&Centered Position", kMapGroup);
    AddIntEdit(kTimerDelay, "&Timer Delay:", "ms", kMinTimerDelay, kMaxTimerDelay).visible = false;
    AddCheck(kFileTimer, "&Use this timer for files").visible = false;

    SetValue(kGraphType, m_settings.signalGraphType);
    SetValue(kOrientation, m_settings.radarOrientation);
    SetDecimal(kScale, m_settings.mapScale);
    SetChecked(kCentered, m_settings.mapCenterFixed != 0);
    // The delay is checked but not shown: a stored one out of range would refuse every Save
    // with no field to correct, so it opens as the nearest bound.
    SetInt(kTimerDelay, std::clamp(m_settings.timerDelay, kMinTimerDelay, kMaxTimerDelay));
    SetChecked(kFileTimer, m_settings.externalTimer != 0);
}

bool CPreferencesDialog::OnOk()
{
    if (!ReadControls()) {
        return false;
    }
    m_settings.signalGraphType = Value(kGraphType);
    m_settings.radarOrientation = Value(kOrientation);
    m_settings.mapScale = Decimal(kScale);
    m_settings.mapCenterFixed = Checked(kCentered) ? 1 : 0;
    m_settings.timerDelay = static_cast<int>(Int(kTimerDelay));
    m_settings.externalTimer = Checked(kFileTimer) ? 1 : 0;
    const CProfileSave save(m_profile);
    m_settings.SaveSignalView(m_profile);
    m_settings.SaveRadarView(m_profile);
    m_settings.SaveMapView(m_profile);
    m_settings.SaveTimerDelay(m_profile);
    m_settings.SaveExternalTimer(m_profile);
    return true;
}

}  // namespace kestrion
