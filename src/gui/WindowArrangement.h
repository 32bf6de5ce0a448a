#pragma once
// Where "Tile" and "Cascade" put the views inside the work area as it is: the area never
// grows, and no view is made smaller than it can be; what does not fit is reached with the
// area's scroll bars.
#include <vector>

#include <QRect>
#include <QSize>

namespace kestrion {

// A grid of about as many columns as rows filling the area; a column is at least as wide as
// its widest minimum, a row at least as tall as its tallest, and the others share the rest.
std::vector<QRect> TileRects(const std::vector<QSize>& minimums, QSize area);

// Each window at its size, one step down and right from the one before.
std::vector<QRect> CascadeRects(const std::vector<QSize>& sizes, int step);

}  // namespace kestrion
