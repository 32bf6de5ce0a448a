#include "dialogs/MapPreferencesDialog.h"

#include "protocol/TextFormatter.h"

namespace kestrion {
namespace {

constexpr int kLargestRing = 100000;  // metres

}  // namespace

CMapPreferencesDialog::CMapPreferencesDialog(IUserInterface& ui, const MapPreferences& preferences,
                                             std::optional<FixPosition> newestFix)
    : CDialogForm(ui, "Preferences", "OK"), m_newestFix(newestFix)
{
    AddGroup(kViewGroup, "View");
    AddDecimalEdit(kScale, "", "meters / pixel", 0.25, 10000, kViewGroup);
    AddCheck(kCentre, "&Center Current", kViewGroup);
    AddCheck(kCepCircles, "CEP C&ircles", kViewGroup);
    AddGroup(kOriginGroup, "Origin");
    AddDecimalEdit(kLatitude, "Lat:", "", -90, 90, kOriginGroup);
    AddDecimalEdit(kLongitude, "Lon:", "", -180, 180, kOriginGroup);
    AddButton(kUseCurrent, "&Use Current Position", kOriginGroup).enabled = newestFix.has_value();
    AddStatic(kReference, "", kOriginGroup).visible = false;
    AddGroup(kRingGroup, "Ring Radii");
    for (int ring = 0; ring < kRingCount; ++ring) {
        AddIntEdit(kRing1 + ring, "", "m", 0, kLargestRing, kRingGroup);
        SetInt(kRing1 + ring, preferences.ringRadii[static_cast<size_t>(ring)]);
    }

    SetDecimal(kScale, preferences.scale);
    SetChecked(kCentre, preferences.centreOnCurrent);
    SetChecked(kCepCircles, preferences.cepCircles);
    SetDecimal(kLatitude, preferences.latitude);
    SetDecimal(kLongitude, preferences.longitude);
}

MapPreferences CMapPreferencesDialog::Preferences() const
{
    MapPreferences preferences;
    preferences.scale = Decimal(kScale);
    preferences.centreOnCurrent = Checked(kCentre);
    preferences.latitude = Decimal(kLatitude);
    preferences.longitude = Decimal(kLongitude);
    for (int ring = 0; ring < kRingCount; ++ring) {
        preferences.ringRadii[static_cast<size_t>(ring)] = static_cast<int>(Int(kRing1 + ring));
    }
    preferences.cepCircles = Checked(kCepCircles);
    return preferences;
}

void CMapPreferencesDialog::OnClicked(int id)
{
    if (id != kUseCurrent || !m_newestFix) {
        return;
    }
    m_reference = m_newestFix;
    SetText(kLatitude, FormatText("%.6f", {m_reference->latitude}));
    SetText(kLongitude, FormatText("%.6f", {m_reference->longitude}));
    SetText(kReference, FormatText("Statistics reference: %.6f, %.6f, %.1f m",
                                   {m_reference->latitude, m_reference->longitude, m_reference->height}));
    Show(kReference, true);
}

}  // namespace kestrion
