#pragma once
// The view of each view slot.
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include <QWidget>

#include "app/DocumentView.h"
#include "app/ViewSlots.h"
#include "gui/ViewSizes.h"

namespace kestrion {

class CEngine;
class IUserInterface;

struct MadeView {
    std::unique_ptr<QWidget> widget;
    IDocumentView* view = nullptr;  // the same object as the widget
    ViewSizes sizes;                // of its client area
};

// What a view asks of the window around it; either may be empty.
struct ViewHooks {
    std::function<void()> runPreferences;  // Setup > "&Preferences..."
    std::function<void(int width)> setMinimumTrackWidth;
};

// The view of a slot, on the engine's program state, with the sizes it opens at.
MadeView MakeView(int slot, CEngine& engine, IUserInterface& ui, const ViewHooks& hooks);

}  // namespace kestrion
