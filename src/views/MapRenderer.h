#pragma once
// Paints the map: the empty canvas with its outline, axes and labelled distance rings, the
// measured points, a true position; and in the window the canvas at its placement, the CEP
// circles, the mark of the current position and the scale bar.
#include <array>

#include <QColor>
#include <QPainter>

#include "views/MapGeometry.h"

namespace kestrion {

// The canvas background and the colour of its outline, axes and texts.
struct MapInk {
    QColor background;
    QColor lines;
};

// Rings of these radii in metres, 0 for none.
void PaintMapBackground(QPainter& painter, const MapInk& ink, const CanvasFrame& frame,
                        const std::array<int, 3>& ringMetres);

// A measured point as a small dot in its colour.
void PaintTrackPoint(QPainter& painter, CanvasPoint point, Rgb colour);
// Every stored point, oldest first, in its colour.
void PaintRecentPoints(QPainter& painter, const CanvasFrame& frame, const CRecentPoints<GroundPoint>& points);

// A small red circle, filled with the background.
void PaintTruePosition(QPainter& painter, CanvasPoint point, const QColor& background);

// The canvas image at its placement, the rest of the client area in the background colour.
void PaintMapWindow(QPainter& painter, const QRect& client, const QImage& canvas, const CanvasPlacement& placement,
                    const QColor& background);

// The CEP circles around the origin of the canvas placed in the window, clipped to it.
void PaintCepCircles(QPainter& painter, const CanvasPlacement& placement, const CanvasFrame& frame,
                     const CepCircles& circles);

// A ring around the newest measured point, so that it stands out of the track.
void PaintCurrentPosition(QPainter& painter, const CanvasPlacement& placement, CanvasPoint point);

// The bar with its length at the bottom left of the client, on a plate of the background.
void PaintScaleBar(QPainter& painter, const QRect& client, const ScaleBar& bar, const MapInk& ink);

}  // namespace kestrion
