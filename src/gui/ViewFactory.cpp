#include "gui/ViewFactory.h"

#include <algorithm>

#include "app/Engine.h"
#include "views/DGPSStatusView.h"
#include "views/DebugDataView.h"
#include "views/ErrorView.h"
#include "views/MapStatusBar.h"
#include "views/MapView.h"
#include "views/NavMsgView.h"
#include "views/QueryView.h"
#include "views/RadarView.h"
#include "views/SignalView.h"
#include "views/StatisticsView.h"

namespace kestrion {
namespace {

template <typename View, typename... Args>
MadeView Make(Args&&... args)
{
    auto view = std::make_unique<View>(std::forward<Args>(args)...);
    IDocumentView* documentView = view.get();
    return {std::move(view), documentView, {}};
}

MadeView MakeSlotView(int slot, CEngine& engine, IUserInterface& ui, const ViewHooks& hooks)
{
    const ProtocolState& protocol = engine.Services().Protocol();
    const CProfile& profile = engine.Services().Profile();
    switch (slot) {
    case kSignalSlot: return Make<CSignalView>(profile, hooks.runPreferences, hooks.setMinimumTrackWidth);
    case kTrackingSlot: return Make<CRadarView>(profile, ui);
    case kMapSlot: return Make<CMapView>(profile, ui, protocol, engine.FixRecorder());
    case kNavigationSlot: return Make<CNavMsgView>(protocol);
    case kDevelopmentSlot: return Make<CDebugDataView>();
    case kResponseSlot: return Make<CQueryView>(protocol);
    case kErrorSlot: return Make<CErrorView>(ui);
    case kDgpsSlot: return Make<CDGPSStatusView>();
    case kStatisticsSlot: return Make<CStatisticsView>(engine.FixRecorder());
    default: return {};
    }
}

}  // namespace

MadeView MakeView(int slot, CEngine& engine, IUserInterface& ui, const ViewHooks& hooks)
{
    MadeView made = MakeSlotView(slot, engine, ui, hooks);
    if (made.widget == nullptr) {
        return made;
    }
    made.sizes = kViewSizes[static_cast<size_t>(slot)];
    // The map is never narrower than its status fields, which its bar does not demand.
    if (const auto* status = made.widget->findChild<const CMapStatusBar*>()) {
        made.sizes.minimum.width = std::max(made.sizes.minimum.width, status->sizeHint().width());
        made.sizes.opening.width = std::max(made.sizes.opening.width, made.sizes.minimum.width);
    }
    return made;
}

}  // namespace kestrion
