#pragma once
// The view slots: each view's place in the frame, the settings section of its window
// placement, its name on the command line and the View-menu command that shows it.
#include <array>
#include <string_view>

#include "app/CommandTable.h"

namespace kestrion {

enum ViewSlot : int {
    kSignalSlot,
    kTrackingSlot,
    kMapSlot,
    kNavigationSlot,
    kDevelopmentSlot,
    kResponseSlot,
    kErrorSlot,
    kDgpsSlot,
    kStatisticsSlot,
    kViewSlots
};

struct ViewSlotInfo {
    std::string_view placementSection;
    std::string_view name;
    int commandId;
};

inline constexpr std::array<ViewSlotInfo, kViewSlots> kViewSlotTable = {{
    {"SignalView", "signal", ID_VIEW_SIGNAL},
    {"RadarView", "tracking", ID_VIEW_TRACKING},
    {"MapView", "map", ID_VIEW_MAP},
    {"NavMsgView", "navigation", ID_VIEW_NAVIGATION},
    {"DebugDataView", "development", ID_VIEW_DEVELOPMENT},
    {"QueryView", "response", ID_VIEW_RESPONSE},
    {"ErrorView", "error", ID_VIEW_ERROR},
    {"DGPSStatusView", "dgps", ID_VIEW_DGPS_STATUS},
    {"StatisticsView", "statistics", ID_VIEW_STATISTICS},
}};
static_assert(kViewSlots == kViewSlotCount);

// The slot a View-menu command shows, or -1.
constexpr int SlotOfViewCommand(int commandId)
{
    for (int slot = 0; slot < kViewSlots; ++slot) {
        if (kViewSlotTable[static_cast<size_t>(slot)].commandId == commandId) {
            return slot;
        }
    }
    return -1;
}

// The slot of a command-line view name, or -1.
constexpr int SlotOfViewName(std::string_view name)
{
    for (int slot = 0; slot < kViewSlots; ++slot) {
        if (kViewSlotTable[static_cast<size_t>(slot)].name == name) {
            return slot;
        }
    }
    return -1;
}

}  // namespace kestrion
