#pragma once
// A window's placement in the settings file: the eleven "Wpl..." keys of a section, with the
// meaning of the placement record they come from, and how a Qt window maps onto them.
#include <optional>
#include <string_view>

#include <QRect>

#include "platform/Profile.h"

namespace kestrion {

struct WindowPlacement {
    static constexpr int kLength = 44;
    static constexpr int kShowNormal = 1;
    static constexpr int kShowMinimized = 2;
    static constexpr int kShowMaximized = 3;

    int length = kLength;
    int flags = 0;
    int showCmd = kShowNormal;
    int minX = -1;
    int minY = -1;
    int maxX = -1;
    int maxY = -1;
    // The normal rectangle; right and bottom lie just outside it.
    int normalLeft = 0;
    int normalTop = 0;
    int normalRight = 0;
    int normalBottom = 0;
};

// The placement stored in the section, or none when "WplLength" is 0 or absent.
std::optional<WindowPlacement> LoadPlacement(const CProfile& profile, std::string_view section);
// Writes all eleven keys.
void SavePlacement(const CProfile& profile, std::string_view section, const WindowPlacement& placement);

// The placement of a window with this normal geometry and these states.
WindowPlacement PlacementOf(const QRect& normalGeometry, Qt::WindowStates states);
// The normal geometry to give a window; empty when the stored rectangle has no area.
QRect NormalGeometry(const WindowPlacement& placement);

}  // namespace kestrion
