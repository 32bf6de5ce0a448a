#pragma once
// "Preferences" of the map view: its scale and centring, the origin, and three distance rings.
// "Use Current Position" makes the newest fix the origin and the accuracy figures' reference.
#include <array>
#include <optional>

#include "platform/DialogForm.h"

namespace kestrion {

// What the dialog shows when the caller gives nothing else.
struct MapPreferences {
    double scale = 10.0;  // metres per pixel
    bool centreOnCurrent = false;
    double latitude = 0.0;  // degrees
    double longitude = 0.0;
    std::array<int, 3> ringRadii = {10, 20, 30};  // metres, 0 for none
    bool cepCircles = false;  // the CEP50 and CEP95 circles around the origin when it is the reference
};

// A fix's position: degrees, metres above the ellipsoid.
struct FixPosition {
    double latitude = 0.0;
    double longitude = 0.0;
    double height = 0.0;
};

class CMapPreferencesDialog : public CDialogForm {
public:
    enum ControlId { kViewGroup = 1, kScale, kCentre, kOriginGroup, kLatitude, kLongitude, kRingGroup, kRing1 };
    static constexpr int kRingCount = 3;  // kRing1 and the two ids after it
    enum MoreControlId { kCepCircles = kRing1 + kRingCount, kUseCurrent, kReference };

    // Without a fix "Use Current Position" is disabled.
    CMapPreferencesDialog(IUserInterface& ui, const MapPreferences& preferences,
                          std::optional<FixPosition> newestFix = std::nullopt);

    // The fields' values, to take after OK.
    MapPreferences Preferences() const;
    // The position "Use Current Position" took, to store as the accuracy reference after OK.
    const std::optional<FixPosition>& Reference() const { return m_reference; }

private:
    void OnClicked(int id) override;

    std::optional<FixPosition> m_newestFix;
    std::optional<FixPosition> m_reference;
};

}  // namespace kestrion
