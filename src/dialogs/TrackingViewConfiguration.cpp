#include "dialogs/TrackingViewConfiguration.h"

#include <algorithm>

namespace kestrion {
namespace {

constexpr int kMinPosition = 2;
constexpr int kMaxPosition = 2000;

}  // namespace

CTrackingViewConfiguration::CTrackingViewConfiguration(IUserInterface& ui, const Settings& opening)
    : CDialogForm(ui, "Tracking View Configuration", "OK")
{
    AddDecimalEdit(kVelocity, "Outer circle velocity:", "m/s", 0.01, 2000);
    AddIntEdit(kPosition, "Outer circle position:", "m", kMinPosition, kMaxPosition).enabled = false;
    AddRadio(kOrientation, "Orientation", {"&North Up", "&Heading Up"});
    AddGroup(kColours, "Satellite Colours");
    AddStatic(kColourText,
              "Green: used in the navigation fix\nBlue: tracked\nRed: not locked\n"
              "Cyan: SBAS (SV id above 99) with DGPS on",
              kColours);
    AddGroup(kCircles, "Circles");
    AddStatic(kCircleText,
              "Outer circle: the horizon (elevation 0 degrees).\n"
              "The course arrow reaches it at the outer\ncircle velocity, the true position mark\n"
              "at the outer circle position.\n"
              "Inner circle: elevation 45 degrees.",
              kCircles);

    SetDecimal(kVelocity, opening.radarVelocityRadius);
    // The position is checked but cannot be edited: a stored one out of range would refuse
    // every OK, so it opens as the nearest bound.
    SetInt(kPosition, std::clamp(opening.radarPositionRadius, kMinPosition, kMaxPosition));
    SetValue(kOrientation, opening.radarOrientation);
}

void CTrackingViewConfiguration::ReadInto(Settings& settings) const
{
    settings.radarVelocityRadius = Decimal(kVelocity);
    settings.radarPositionRadius = static_cast<int>(Int(kPosition));
    settings.radarOrientation = Value(kOrientation);
}

}  // namespace kestrion
