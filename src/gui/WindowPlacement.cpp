#include "gui/WindowPlacement.h"

#include <array>
#include <cstdint>

#include <QWidget>

namespace kestrion {
namespace {

using Field = int WindowPlacement::*;

// The keys in the order they are written.
constexpr std::array<std::pair<const char*, Field>, 11> kKeys = {{
    {"WplLength", &WindowPlacement::length},
    {"WplFlags", &WindowPlacement::flags},
    {"WplShowCmd", &WindowPlacement::showCmd},
    {"WplMinX", &WindowPlacement::minX},
    {"WplMinY", &WindowPlacement::minY},
    {"WplMaxX", &WindowPlacement::maxX},
    {"WplMaxY", &WindowPlacement::maxY},
    {"WplNormalL", &WindowPlacement::normalLeft},
    {"WplNormalT", &WindowPlacement::normalTop},
    {"WplNormalR", &WindowPlacement::normalRight},
    {"WplNormalB", &WindowPlacement::normalBottom},
}};

}  // namespace

std::optional<WindowPlacement> LoadPlacement(const CProfile& profile, std::string_view section)
{
    WindowPlacement placement;
    for (const auto& [key, field] : kKeys) {
        placement.*field = profile.GetInt(section, key, 0);
    }
    if (placement.length == 0) {
        return std::nullopt;
    }
    return placement;
}

void SavePlacement(const CProfile& profile, std::string_view section, const WindowPlacement& placement)
{
    const CProfileSave save(profile);
    for (const auto& [key, field] : kKeys) {
        profile.WriteInt(section, key, placement.*field);
    }
}

WindowPlacement PlacementOf(const QRect& normalGeometry, Qt::WindowStates states)
{
    WindowPlacement placement;
    if (states.testFlag(Qt::WindowMinimized)) {
        placement.showCmd = WindowPlacement::kShowMinimized;
    } else if (states.testFlag(Qt::WindowMaximized)) {
        placement.showCmd = WindowPlacement::kShowMaximized;
    }
    placement.normalLeft = normalGeometry.left();
    placement.normalTop = normalGeometry.top();
    placement.normalRight = normalGeometry.left() + normalGeometry.width();
    placement.normalBottom = normalGeometry.top() + normalGeometry.height();
    return placement;
}

QRect NormalGeometry(const WindowPlacement& placement)
{
    // The file may hold anything: the size is worked out without overflow and kept within
    // what a widget can be.
    const int64_t width = int64_t{placement.normalRight} - placement.normalLeft;
    const int64_t height = int64_t{placement.normalBottom} - placement.normalTop;
    if (width <= 0 || height <= 0 || width > QWIDGETSIZE_MAX || height > QWIDGETSIZE_MAX) {
        return {};
    }
    return {placement.normalLeft, placement.normalTop, static_cast<int>(width), static_cast<int>(height)};
}

}  // namespace kestrion
