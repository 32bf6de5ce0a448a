#pragma once
// What the painted views share to draw: their colours in Qt, off-screen images at the
// widget's pixel ratio, and painters set up so that at ratio 1 every line pixel stands exactly
// where the geometry puts it.
#include <QColor>
#include <QImage>
#include <QPainter>

#include "views/ViewColours.h"

namespace kestrion {

inline QColor ToQColor(Rgb colour)
{
    return {colour.red, colour.green, colour.blue};
}

// An image of `size` logical pixels at `ratio` device pixels each, filled with `fill`.
QImage MakeSurface(QSize size, qreal ratio, const QColor& fill);

// Lines are antialiased only above ratio 1; a pen of width 1 is one logical pixel.
void SetUpPainter(QPainter& painter);

}  // namespace kestrion
