#pragma once
// The layouts' sizes and rectangles to and from Qt's.
#include <QRect>
#include <QSize>

#include "gui/LayoutBox.h"

namespace kestrion {

inline Extent ToExtent(QSize size) { return {size.width(), size.height()}; }
inline Box ToBox(const QRect& rect) { return {rect.x(), rect.y(), rect.width(), rect.height()}; }
inline QRect ToQRect(const Box& box) { return {box.left, box.top, box.width, box.height}; }

}  // namespace kestrion
