#pragma once
// The sizes a view's client area opens at, without a toolkit: the smallest at which its
// content can still be read, and the size it opens at when there is room. Views whose widgets
// have sizes of their own (forms, lists) may open larger; 0 leaves a size to the widget.
#include <array>

#include "app/ViewSlots.h"
#include "gui/LayoutBox.h"

namespace kestrion {

struct ViewSizes {
    Extent minimum;
    Extent opening;
};

inline constexpr std::array<ViewSizes, kViewSlots> kViewSizes = {{
    {{420, 240}, {520, 320}},  // signal: the channel texts and a chart of five cycles
    {{220, 220}, {300, 300}},  // tracking: the sky plot
    {{360, 240}, {480, 360}},  // map
    {{0, 0}, {0, 0}},          // navigation: its form
    {{300, 120}, {0, 0}},      // development
    {{300, 120}, {0, 0}},      // response
    {{300, 120}, {0, 0}},      // error
    {{0, 0}, {0, 0}},          // DGPS status: its form
    {{440, 260}, {620, 340}},  // statistics: the figures beside the scatter
}};

}  // namespace kestrion
