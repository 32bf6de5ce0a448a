#pragma once
// The view of each view slot, with its placement section and its name on the command line.
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include <QWidget>

#include "app/DocumentView.h"

namespace kestrion {

class CEngine;
class IUserInterface;

inline constexpr int kViewSlots = 8;

struct MadeView {
    std::unique_ptr<QWidget> widget;
    IDocumentView* view = nullptr;  // the same object as the widget
};

// What a view asks of the window around it; either may be empty.
struct ViewHooks {
    std::function<void()> runPreferences;  // Setup > "&Preferences..."
    std::function<void(int width)> setMinimumTrackWidth;
};

// The view of a slot, on the engine's program state.
MadeView MakeView(int slot, CEngine& engine, IUserInterface& ui, const ViewHooks& hooks);

// "SignalView" ... "DGPSStatusView".
std::string PlacementSection(int slot);

// "signal", "tracking", "map", "navigation", "development", "response", "error", "dgps" by
// slot: the names of the views on the command line.
std::string_view ViewName(int slot);
// The slot of a view name; -1 when there is none.
int SlotOfViewName(std::string_view name);

}  // namespace kestrion
