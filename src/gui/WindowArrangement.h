#pragma once
// Where "Tile" and "Cascade" put the views inside the work area as it is: the area never
// grows, and no view is made smaller than it can be; what does not fit is reached with the
// area's scroll bars.
#include <vector>

#include <QRect>
#include <QSize>

namespace kestrion {

struct TiledWindow {
    QSize minimum;  // never smaller
    QSize natural;  // the size its content has room at
};

// A grid of about as many columns as rows filling the area. A column is at least as wide as
// its widest minimum, and as its widest natural width up to an equal share of the area; rows
// likewise; what is left is shared out evenly.
std::vector<QRect> TileRects(const std::vector<TiledWindow>& windows, QSize area);

// Each window at its size, one step down and right from the one before.
std::vector<QRect> CascadeRects(const std::vector<QSize>& sizes, int step);

}  // namespace kestrion
