#include "views/MapRenderer.h"

#include <algorithm>
#include <utility>

#include <QImage>
#include <QRegion>

#include "views/PaintSurface.h"

namespace kestrion {
namespace {

constexpr Rgb kTruePositionRed{255, 0, 0};

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

QPoint InWindow(const CanvasPlacement& placement, CanvasPoint point)
{
    return {placement.left + point.x, placement.top + point.y};
}

QRect CanvasRect(const CanvasPlacement& placement, const QSize& size)
{
    return {QPoint(placement.left, placement.top), size};
}

void PaintRingLabels(QPainter& painter, const MapInk& ink, const CanvasFrame& frame,
                     const std::array<int, 3>& ringMetres)
{
    painter.setFont(SmallViewFont());
    const QFontMetrics metrics = painter.fontMetrics();
    for (const RingLabel& label : RingLabelsOf(frame, ringMetres, metrics.height())) {
        DrawOutlinedText(painter, QPointF(label.at.x, label.at.y - metrics.descent()),
                         QString::fromStdString(DistanceText(label.metres)), ink.lines, ink.background);
    }
}

}  // namespace

void PaintMapBackground(QPainter& painter, const MapInk& ink, const CanvasFrame& frame,
                        const std::array<int, 3>& ringMetres)
{
    const CanvasPoint origin = OriginPixel(frame);
    painter.fillRect(QRect(0, 0, frame.width, frame.height), ink.background);
    painter.setPen(ink.lines);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(OutlineBox(0, 0, frame.width, frame.height));
    // The far ends lie outside the canvas, so the lines cover it whole.
    painter.drawLine(-1, origin.y, frame.width, origin.y);
    painter.drawLine(origin.x, frame.height, origin.x, -1);
    const double reach = CanvasReach(frame);
    for (const int metres : ringMetres) {
        if (const int radius = RingRadiusPixels(metres, frame.pixelsPerMetre, reach); radius != 0) {
            painter.drawEllipse(CircleAround(origin, radius));
        }
    }
    PaintRingLabels(painter, ink, frame, ringMetres);
}

void PaintTrackPoint(QPainter& painter, CanvasPoint point, Rgb colour)
{
    painter.setBrush(Qt::NoBrush);
    painter.setPen(ToQColor(colour));
    painter.drawEllipse(CircleAround(point, 1));
}

void PaintRecentPoints(QPainter& painter, const CanvasFrame& frame, const CRecentPoints<GroundPoint>& points)
{
    for (int index = 0; index < points.Count(); ++index) {
        PaintTrackPoint(painter, CanvasPointOf(frame, points.At(index)), points.ColourAt(index));
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
    const QRect onCanvas = CanvasRect(placement, canvas.deviceIndependentSize().toSize());
    for (const QRect& outside : QRegion(client).subtracted(onCanvas)) {
        painter.fillRect(outside, background);
    }
    painter.drawImage(onCanvas.topLeft(), canvas);
}

void PaintCepCircles(QPainter& painter, const CanvasPlacement& placement, const CanvasFrame& frame,
                     const CepCircles& circles)
{
    painter.save();
    painter.setClipRect(CanvasRect(placement, QSize(frame.width, frame.height)));
    painter.setBrush(Qt::NoBrush);
    const QPoint origin = InWindow(placement, OriginPixel(frame));
    for (const auto& [radius, colour] :
         {std::pair{circles.cep50, kCep50Colour}, std::pair{circles.cep95, kCep95Colour}}) {
        if (radius > 0) {
            painter.setPen(QPen(ToQColor(colour), 1));
            painter.drawEllipse(origin, radius, radius);
        }
    }
    painter.restore();
}

void PaintCurrentPosition(QPainter& painter, const CanvasPlacement& placement, CanvasPoint point)
{
    constexpr int kRadius = 6;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(ToQColor(RecentColour(kRecentPoints - 1, kRecentPoints)), 2));
    // Centred on the dot, which covers the pixels from the point up and left by one.
    painter.drawEllipse(QPointF(InWindow(placement, point)), kRadius, kRadius);
    painter.restore();
}

void PaintScaleBar(QPainter& painter, const QRect& client, const ScaleBar& bar, const MapInk& ink)
{
    constexpr int kMargin = 8, kTick = 4, kPad = 3;
    if (bar.pixels <= 0) {
        return;
    }
    painter.save();
    painter.setFont(SmallViewFont());
    const QFontMetrics metrics = painter.fontMetrics();
    const QString text = QString::fromStdString(DistanceText(bar.metres));
    const int left = client.left() + kMargin;
    const int baseline = client.bottom() - kMargin;
    const int textWidth = metrics.horizontalAdvance(text);
    const QRect plate(left - kPad, baseline - kTick - metrics.height() - kPad,
                      std::max(bar.pixels, textWidth) + 2 * kPad + 1, metrics.height() + kTick + 2 * kPad + 1);
    painter.fillRect(plate, ink.background);
    painter.setPen(QPen(ink.lines, 1));
    painter.drawLine(left, baseline, left + bar.pixels, baseline);
    painter.drawLine(left, baseline, left, baseline - kTick);
    painter.drawLine(left + bar.pixels, baseline, left + bar.pixels, baseline - kTick);
    painter.drawText(QPoint(left + std::max(0, (bar.pixels - textWidth) / 2), baseline - kTick - metrics.descent() - 1),
                     text);
    painter.restore();
}

}  // namespace kestrion
