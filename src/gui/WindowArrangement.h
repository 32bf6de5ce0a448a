#pragma once
// Where "Tile" and "Cascade" put the views inside the work area, without a toolkit. Tiling
// never leaves the area: the views go in rows, each at least at its minimum, the rows filling
// the area and showing the views in their order (left to right, the rows by their first view).
// Views whose minimums do not fit beside the others become icons along the bottom.
#include <cstddef>
#include <vector>

#include "gui/LayoutBox.h"

namespace kestrion {

struct TiledWindow {
    Extent minimum;    // never smaller
    Extent preferred;  // the size its content has room at
};

struct Tiling {
    // One box per window: its place, or for a window that became an icon, the icon's place.
    std::vector<Box> boxes;
    // How many windows, from the first, are tiled; the rest are icons.
    size_t tiled = 0;
};

// The rows that best give every window its preferred size (none too small, none much out of
// shape) among those where all minimums fit: the windows in their order or tallest first, cut
// into rows every way. When they do not all fit, the last windows become icons of the given
// size, as few as can be.
Tiling TileWindows(const std::vector<TiledWindow>& windows, Extent area, Extent icon);

// Each window at its size, one step down and right from the one before.
std::vector<Box> CascadeBoxes(const std::vector<Extent>& sizes, int step);

}  // namespace kestrion
