#pragma once
// What the painted views share to draw: their colours in Qt, off-screen images at the
// widget's pixel ratio, painters set up so that at ratio 1 every line pixel stands exactly
// where the geometry puts it, and the smallest font they write in.
#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QString>

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

// The desktop's small font, no painted text is smaller: its size in points as the desktop
// gives it, set in the logical pixels that makes on this screen so that it can be scaled.
QFont SmallViewFont();
int SmallFontPixels();

// Text from a point of its baseline in the painter's font, in `fill` with a thin `outline`
// around every glyph, readable over any colour or line beneath.
void DrawOutlinedText(QPainter& painter, QPointF baseline, const QString& text, const QColor& fill,
                      const QColor& outline);
// Where the baseline starts for the text to be centred on a point.
QPointF CentredBaseline(const QFont& font, QPointF centre, const QString& text);

}  // namespace kestrion
