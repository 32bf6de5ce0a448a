#pragma once
// The view of each view slot, with its placement section.
#include <memory>
#include <string>

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

// The painted views of slots 0 to 2 (signal level, tracking, map) are not built yet: their
// commands stay disabled, and no view and no placeholder is made for them.
constexpr bool ViewBuilt(int slot) { return slot >= 3 && slot < kViewSlots; }

// The view of a slot, on the engine's program state; empty for a slot without a view.
MadeView MakeView(int slot, CEngine& engine, IUserInterface& ui);

// "SignalView" ... "DGPSStatusView".
std::string PlacementSection(int slot);

}  // namespace kestrion
