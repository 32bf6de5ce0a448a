#include "views/MapRenderer.h"

#include <utility>

#include <QImage>
#include <QRegion>

#include "views/PaintSurface.h"

namespace kestrion {
namespace {

constexpr Rgb kTruePositionRed{255, 0, 0};
// The reach of the axes beyond the origin, both ways.
constexpr int kAxisReach = 2 * kOriginPixel;

// A drawing box as its outline: from left, top up to but not including right, bottom. A
// 1-pixel outline of QRect(x, y, w, h) covers x..x+w.
QRect OutlineBox(int left, int top, int right, int bottom)
{
    return {left, top, right - left - 1, bottom - top - 1};
}

// A circle in the box from (x - reach, y - reach) up to (x + reach, y + reach).
QRect CircleAround(CanvasPoint point, int reach)
{
    return OutlineBox(point.x - reach, point.y - reach, point.x + reach, point.y + reach);
}

}  // namespace

void PaintMapBackground(QPainter& painter, const MapInk& ink, const std::array<int, 3>& ringRadii)
{
    painter.fillRect(QRect(0, 0, kCanvasSize, kCanvasSize), ink.background);
    painter.setPen(ink.lines);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(OutlineBox(0, 0, kCanvasSize, kCanvasSize));
    // The far ends lie outside the canvas, so the lines cover it whole.
    painter.drawLine(kOriginPixel - kAxisReach, kOriginPixel, kOriginPixel + kAxisReach, kOriginPixel);
    painter.drawLine(kOriginPixel, kOriginPixel + kAxisReach, kOriginPixel, kOriginPixel - kAxisReach);
    for (const int radius : ringRadii) {
        if (radius != 0) {
            painter.drawEllipse(CircleAround({kOriginPixel, kOriginPixel}, radius));
        }
    }
}

void PaintRecentPoints(QPainter& painter, const CRecentPoints& points)
{
    painter.setBrush(Qt::NoBrush);
    for (int index = 0; index < points.Count(); ++index) {
        painter.setPen(ToQColor(points.ColourAt(index)));
        painter.drawEllipse(CircleAround(points.At(index), 1));
    }
}

void PaintTruePosition(QPainter& painter, CanvasPoint point, const QColor& background)
{
    painter.setPen(ToQColor(kTruePositionRed));
    painter.setBrush(background);
    painter.drawEllipse(CircleAround(point, 2));
}

void PaintMapWindow(QPainter& painter, const QRect& client, const QImage& canvas, const CanvasPlacement& placement,
                    const QColor& background)
{
    const QRect onCanvas(placement.left, placement.top, kCanvasSize, kCanvasSize);
    for (const QRect& outside : QRegion(client).subtracted(onCanvas)) {
        painter.fillRect(outside, background);
    }
    painter.drawImage(onCanvas.topLeft(), canvas);
}

void PaintCepCircles(QPainter& painter, const CanvasPlacement& placement, const CepCircles& circles)
{
    painter.save();
    painter.setClipRect(QRect(placement.left, placement.top, kCanvasSize, kCanvasSize));
    painter.setBrush(Qt::NoBrush);
    const QPoint origin(placement.left + kOriginPixel, placement.top + kOriginPixel);
    for (const auto& [radius, colour] :
         {std::pair{circles.cep50, kCep50Colour}, std::pair{circles.cep95, kCep95Colour}}) {
        if (radius > 0) {
            painter.setPen(QPen(ToQColor(colour), 1));
            painter.drawEllipse(origin, radius, radius);
        }
    }
    painter.restore();
}

}  // namespace kestrion
