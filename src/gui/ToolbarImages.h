#pragma once
// The toolbar's pictures by image number (0 Data Source ... 7 Initialize Data Source, 8 the
// paused blink, 9 Close Data Source) and the program's icon, from the icon resources.
#include <QIcon>

namespace kestrion {

inline constexpr int kToolbarImages = 10;

// A null icon for a number outside 0..9.
QIcon ToolbarImage(int image);
QIcon ProgramIcon();

}  // namespace kestrion
