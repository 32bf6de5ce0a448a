#include "gui/ViewFactory.h"

#include <array>

#include "app/Engine.h"
#include "views/DGPSStatusView.h"
#include "views/DebugDataView.h"
#include "views/ErrorView.h"
#include "views/MapView.h"
#include "views/NavMsgView.h"
#include "views/QueryView.h"
#include "views/RadarView.h"
#include "views/SignalView.h"

namespace kestrion {
namespace {

struct SlotNames {
    const char* section;
    const char* name;
};

constexpr std::array<SlotNames, kViewSlots> kSlots = {{
    {"SignalView", "signal"},
    {"RadarView", "tracking"},
    {"MapView", "map"},
    {"NavMsgView", "navigation"},
    {"DebugDataView", "development"},
    {"QueryView", "response"},
    {"ErrorView", "error"},
    {"DGPSStatusView", "dgps"},
}};

template <typename View, typename... Args>
MadeView Make(Args&&... args)
{
    auto view = std::make_unique<View>(std::forward<Args>(args)...);
    IDocumentView* documentView = view.get();
    return {std::move(view), documentView};
}

}  // namespace

MadeView MakeView(int slot, CEngine& engine, IUserInterface& ui, const ViewHooks& hooks)
{
    const ProtocolState& protocol = engine.Services().Protocol();
    const CProfile& profile = engine.Services().Profile();
    switch (slot) {
    case 0: return Make<CSignalView>(profile, hooks.runPreferences, hooks.setMinimumTrackWidth);
    case 1: return Make<CRadarView>(profile, ui);
    case 2: return Make<CMapView>(profile, ui, protocol);
    case 3: return Make<CNavMsgView>(protocol);
    case 4: return Make<CDebugDataView>();
    case 5: return Make<CQueryView>(protocol);
    case 6: return Make<CErrorView>(ui);
    case 7: return Make<CDGPSStatusView>();
    default: return {};
    }
}

std::string PlacementSection(int slot)
{
    return slot >= 0 && slot < kViewSlots ? kSlots[static_cast<size_t>(slot)].section : "";
}

std::string_view ViewName(int slot)
{
    return slot >= 0 && slot < kViewSlots ? kSlots[static_cast<size_t>(slot)].name : "";
}

int SlotOfViewName(std::string_view name)
{
    for (int slot = 0; slot < kViewSlots; ++slot) {
        if (ViewName(slot) == name) {
            return slot;
        }
    }
    return -1;
}

}  // namespace kestrion
