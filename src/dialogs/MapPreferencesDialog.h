#pragma once
// "Preferences" of the map view: its scale and centring, the origin, and three distance rings.
#include <array>

#include "platform/DialogForm.h"

namespace kestrion {

// What the dialog shows when the caller gives nothing else.
struct MapPreferences {
    double scale = 10.0;  // metres per pixel
    bool centreOnCurrent = false;
    double latitude = 0.0;  // degrees
    double longitude = 0.0;
    std::array<int, 3> ringRadii = {10, 20, 30};  // metres, 0 for none
};

class CMapPreferencesDialog : public CDialogForm {
public:
    enum ControlId { kViewGroup = 1, kScale, kCentre, kOriginGroup, kLatitude, kLongitude, kRingGroup, kRing1 };
    static constexpr int kRingCount = 3;  // kRing1 and the two ids after it

    CMapPreferencesDialog(IUserInterface& ui, const MapPreferences& preferences);

    // The fields' values, to take after OK.
    MapPreferences Preferences() const;
};

}  // namespace kestrion
