#include "app/gui/ViewFactory.h"

#include <array>

#include "app/Engine.h"
#include "views/DGPSStatusView.h"
#include "views/DebugDataView.h"
#include "views/ErrorView.h"
#include "views/NavMsgView.h"
#include "views/QueryView.h"

namespace kestrion {
namespace {

template <typename View, typename... Args>
MadeView Make(Args&... args)
{
    auto view = std::make_unique<View>(args...);
    IDocumentView* documentView = view.get();
    return {std::move(view), documentView};
}

}  // namespace

MadeView MakeView(int slot, CEngine& engine, IUserInterface& ui)
{
    const ProtocolState& protocol = engine.Services().Protocol();
    switch (slot) {
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
    static constexpr std::array<const char*, kViewSlots> kSections = {
        "SignalView", "RadarView", "MapView", "NavMsgView", "DebugDataView", "QueryView", "ErrorView", "DGPSStatusView",
    };
    return slot >= 0 && slot < kViewSlots ? kSections[static_cast<size_t>(slot)] : "";
}

}  // namespace kestrion
