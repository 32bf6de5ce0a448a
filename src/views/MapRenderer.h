#pragma once
// Paints the map: the empty canvas with its outline, axes and distance rings, the recent
// measured points, a true position, and the canvas placed in the window.
#include <array>

#include <QColor>
#include <QPainter>

#include "views/MapGeometry.h"

namespace kestrion {

// The canvas background and the colour of its outline and axes.
struct MapInk {
    QColor background;
    QColor lines;
};

// Ring radii in pixels, 0 for none.
void PaintMapBackground(QPainter& painter, const MapInk& ink, const std::array<int, 3>& ringRadii);

// Every stored point, oldest first, as a small dot in its colour.
void PaintRecentPoints(QPainter& painter, const CRecentPoints& points);

// A small red circle, filled with the background.
void PaintTruePosition(QPainter& painter, CanvasPoint point, const QColor& background);

// The CEP circles around the origin pixel of the canvas placed in the window, clipped to it.
void PaintCepCircles(QPainter& painter, const CanvasPlacement& placement, const CepCircles& circles);

// The canvas image at its placement, the rest of the client area in the background colour.
void PaintMapWindow(QPainter& painter, const QRect& client, const QImage& canvas, const CanvasPlacement& placement,
                    const QColor& background);

}  // namespace kestrion
