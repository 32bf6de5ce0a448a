#pragma once
// Paints the sky plot: the black client area with the green elevation circles and their
// labels, the legend of the colours and, when there is a plot, the course arrow, the
// true-position mark, the compass letters and the satellites.
#include <QFont>
#include <QPainter>

#include "views/RadarGeometry.h"

namespace kestrion {

// Bold, lines 11 pixels high as the plot was made for, or the desktop's small font when that
// is larger; `scale` times that.
QFont SatelliteLabelFont(double scale = 1.0);
// What the labels measure in that font at scale 1.
SymbolText MeasureSymbolText();

// Onto the painter's device at (0, 0); `plot` may be null for the empty plot.
void PaintRadar(QPainter& painter, const CRadarGeometry& geometry, const RadarPlot* plot);

}  // namespace kestrion
