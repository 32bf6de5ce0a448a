#pragma once
// Paints the sky plot: the black square with its two green circles and, when there is a plot,
// the course arrow, the true-position mark, the "N" and the satellites.
#include <QFont>
#include <QPainter>

#include "views/RadarGeometry.h"

namespace kestrion {

// Arial, bold, lines 11 pixels high: one for the program.
const QFont& SatelliteLabelFont();

// Onto the painter's device at (0, 0); `plot` may be null for the empty plot.
void PaintRadar(QPainter& painter, const CRadarGeometry& geometry, const RadarPlot* plot);

}  // namespace kestrion
