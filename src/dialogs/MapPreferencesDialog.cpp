#include "dialogs/MapPreferencesDialog.h"

namespace kestrion {
namespace {

constexpr int kLargestRing = 100000;  // metres

}  // namespace

CMapPreferencesDialog::CMapPreferencesDialog(IUserInterface& ui, const MapPreferences& preferences)
    : CDialogForm(ui, "Preferences", "OK")
{
    AddGroup(kViewGroup, "View");
    AddDecimalEdit(kScale, "", "meters / pixel", 0.25, 10000, kViewGroup);
    AddCheck(kCentre, "&Center Current", kViewGroup);
    AddGroup(kOriginGroup, "Origin");
    AddDecimalEdit(kLatitude, "Lat:", "", -90, 90, kOriginGroup);
    AddDecimalEdit(kLongitude, "Lon:", "", -180, 180, kOriginGroup);
    AddGroup(kRingGroup, "Ring Radii");
    for (int ring = 0; ring < kRingCount; ++ring) {
        AddIntEdit(kRing1 + ring, "", "m", 0, kLargestRing, kRingGroup);
        SetInt(kRing1 + ring, preferences.ringRadii[static_cast<size_t>(ring)]);
    }

    SetDecimal(kScale, preferences.scale);
    SetChecked(kCentre, preferences.centreOnCurrent);
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
    return preferences;
}

}  // namespace kestrion
