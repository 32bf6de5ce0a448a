#include "views/RadarRenderer.h"

#include <cstdlib>

#include <QFontMetrics>

#include "views/PaintSurface.h"

namespace kestrion {
namespace {

QPoint ToQPoint(PlotPoint point)
{
    return {point.x, point.y};
}

// The rectangle's right column and bottom row are outside the figure; a one-pixel pen covers
// x .. x + width of a QRect.
QRect Outline(const PlotRect& rect)
{
    return {rect.left, rect.top, rect.right - rect.left - 1, rect.bottom - rect.top - 1};
}

// Without its end pixel: the end's column (or row, for a steep line) is clipped away. A line
// that starts where it ends draws nothing.
void DrawLine(QPainter& painter, PlotLine line)
{
    constexpr int kFar = 1 << 22;
    const QPoint from = ToQPoint(line.from), to = ToQPoint(line.to);
    const QPoint delta = to - from;
    if (delta.isNull()) {
        return;
    }
    QRect kept(-kFar, -kFar, 2 * kFar, 2 * kFar);
    if (std::abs(delta.x()) >= std::abs(delta.y())) {
        delta.x() > 0 ? kept.setRight(to.x() - 1) : kept.setLeft(to.x() + 1);
    } else {
        delta.y() > 0 ? kept.setBottom(to.y() - 1) : kept.setTop(to.y() + 1);
    }
    painter.setClipRect(kept);
    painter.drawLine(from, to);
    painter.setClipping(false);
}

void DrawPolyline(QPainter& painter, const std::vector<PlotPoint>& points)
{
    for (size_t next = 1; next < points.size(); ++next) {
        DrawLine(painter, {points[next - 1], points[next]});
    }
}

void DrawSatellite(QPainter& painter, const SatelliteSymbol& symbol)
{
    const QColor colour = ToQColor(symbol.colour);
    painter.setPen(colour);
    painter.setBrush(colour);
    painter.drawEllipse(Outline(symbol.body));
    for (const PlotLine& arm : symbol.arms) {
        DrawLine(painter, arm);
    }
    for (const std::vector<PlotPoint>& panel : symbol.panels) {
        DrawPolyline(painter, panel);
    }
    if (!symbol.label.empty()) {
        painter.setPen(Qt::black);
        painter.drawText(QRect(ToQPoint(symbol.labelAt), QSize(40, 20)),
                         Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, QString::fromStdString(symbol.label));
    }
}

void DrawNorth(QPainter& painter, PlotPoint at)
{
    constexpr int kBox = 40;
    painter.setPen(ToQColor(kFixGreen));
    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.setBackground(Qt::black);
    painter.drawText(QRect(at.x - kBox / 2, at.y - kBox / 2, kBox, kBox), Qt::AlignCenter, "N");
    painter.setBackgroundMode(Qt::TransparentMode);
}

void DrawPlot(QPainter& painter, const RadarPlot& plot)
{
    painter.setPen(ToQColor(kUnlockedRed));
    for (const PlotLine& line : plot.arrow) {
        DrawLine(painter, line);
    }
    if (plot.trueMark) {
        for (const PlotLine& line : *plot.trueMark) {
            DrawLine(painter, line);
        }
    }
    DrawNorth(painter, plot.north);
    painter.setFont(SatelliteLabelFont());
    for (const SatelliteSymbol& symbol : plot.satellites) {
        DrawSatellite(painter, symbol);
    }
}

}  // namespace

const QFont& SatelliteLabelFont()
{
    // 11 pixels is the height of the whole text line, ascent and descent, which the label
    // positions inside the symbol's body are made for.
    static const QFont font = [] {
        constexpr int kLineHeight = 11;
        QFont arial("Arial");
        arial.setBold(true);
        int pixels = kLineHeight;
        do {
            arial.setPixelSize(pixels--);
        } while (QFontMetrics(arial).height() > kLineHeight && pixels > 1);
        return arial;
    }();
    return font;
}

void PaintRadar(QPainter& painter, const CRadarGeometry& geometry, const RadarPlot* plot)
{
    painter.save();
    painter.fillRect(0, 0, geometry.Side(), geometry.Side(), Qt::black);
    painter.setPen(ToQColor(kFixGreen));
    painter.setBrush(Qt::NoBrush);  // filled black: the square already is
    painter.drawEllipse(Outline(geometry.OuterCircle()));
    painter.drawEllipse(Outline(geometry.InnerCircle()));
    if (plot != nullptr) {
        DrawPlot(painter, *plot);
    }
    painter.restore();
}

}  // namespace kestrion
