#pragma once
// Where a view that has no place of its own opens beside the views already shown, without a
// toolkit.
#include <vector>

#include "gui/LayoutBox.h"

namespace kestrion {

// The box of this size inside the area that covers the others least, the highest and then
// leftmost of equals. A size beyond the area starts at its top left corner.
Box FindFreeSpot(Extent size, Extent area, const std::vector<Box>& others);

}  // namespace kestrion
