#include "views/RadarRenderer.h"

#include <algorithm>
#include <cstdlib>

#include <QFontMetrics>

#include "views/PaintSurface.h"

namespace kestrion {
namespace {

QFont Scaled(QFont font, double scale)
{
    font.setPixelSize(std::max(1, static_cast<int>(font.pixelSize() * scale)));
    return font;
}

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

// Moved aside to make room: a thin line back to where the satellite is, and a dot there.
void DrawLeader(QPainter& painter, const SatelliteSymbol& symbol)
{
    constexpr int kDot = 2;
    DrawLine(painter, {symbol.at, symbol.centre});
    painter.drawEllipse(QPoint(symbol.at.x, symbol.at.y), kDot, kDot);
}

void DrawSatellite(QPainter& painter, const SatelliteSymbol& symbol)
{
    const QColor colour = ToQColor(symbol.colour);
    painter.setPen(colour);
    painter.setBrush(colour);
    if (symbol.centre != symbol.at) {
        DrawLeader(painter, symbol);
    }
    painter.drawEllipse(Outline(symbol.body));
    for (const PlotLine& arm : symbol.arms) {
        DrawLine(painter, arm);
    }
    for (const std::vector<PlotPoint>& panel : symbol.panels) {
        DrawPolyline(painter, panel);
    }
    // "%2d" pads with a blank, which would push a centred label aside.
    const QString label = QString::fromStdString(symbol.label).trimmed();
    if (!label.isEmpty()) {
        const QPointF centre(symbol.centre.x, symbol.centre.y);
        DrawOutlinedText(painter, CentredBaseline(painter.font(), centre, label), label, Qt::white, Qt::black);
    }
}

// A compass letter in green on black, centred on the outer circle.
void DrawCompassLetter(QPainter& painter, PlotPoint at, const QString& letter)
{
    const QRect box = painter.fontMetrics().boundingRect(letter);
    painter.setPen(ToQColor(kFixGreen));
    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.setBackground(Qt::black);
    painter.drawText(QRect(at.x - box.width(), at.y - box.height(), 2 * box.width(), 2 * box.height()),
                     Qt::AlignCenter, letter);
    painter.setBackgroundMode(Qt::TransparentMode);
}

// The "N" covers the arrow, the other letters lie under it.
void DrawPlot(QPainter& painter, const CRadarGeometry& geometry, const RadarPlot& plot)
{
    QFont compass = Scaled(SmallViewFont(), geometry.TextScale());
    compass.setBold(true);
    painter.setFont(compass);
    const char* const letters[] = {"E", "S", "W"};
    for (size_t letter = 0; letter < plot.eastSouthWest.size(); ++letter) {
        DrawCompassLetter(painter, plot.eastSouthWest[letter], letters[letter]);
    }
    painter.setPen(ToQColor(kUnlockedRed));
    for (const PlotLine& line : plot.arrow) {
        DrawLine(painter, line);
    }
    if (plot.trueMark) {
        for (const PlotLine& line : *plot.trueMark) {
            DrawLine(painter, line);
        }
    }
    DrawCompassLetter(painter, plot.north, "N");
    painter.setFont(SatelliteLabelFont(geometry.TextScale()));
    for (const SatelliteSymbol& symbol : plot.satellites) {
        DrawSatellite(painter, symbol);
    }
}

void DrawElevationRings(QPainter& painter, const CRadarGeometry& geometry)
{
    painter.setPen(ToQColor(kFixGreen));
    painter.setBrush(Qt::NoBrush);  // filled black: the area already is
    painter.setFont(Scaled(SmallViewFont(), geometry.TextScale()));
    const int descent = painter.fontMetrics().descent();
    for (const ElevationRing& ring : geometry.ElevationRings()) {
        painter.drawEllipse(Outline(ring.circle));
        painter.drawText(QPoint(ring.labelAt.x, ring.labelAt.y - descent), QString("%1\u00B0").arg(ring.degrees));
    }
}

// On black, so that no circle runs through its texts; satellites are drawn over it.
void DrawLegend(QPainter& painter, const CRadarGeometry& geometry)
{
    const QColor kLegendText(200, 200, 200);
    painter.setFont(SmallViewFont());
    const QFontMetrics metrics = painter.fontMetrics();
    const std::vector<LegendEntry> legend = RadarLegend(geometry, metrics.height());
    QRect plate;
    for (const LegendEntry& entry : legend) {
        plate |= QRect(entry.swatch.left, entry.textAt.y - metrics.height() / 2,
                       entry.textAt.x - entry.swatch.left + metrics.horizontalAdvance(entry.text), metrics.height());
    }
    painter.fillRect(plate.adjusted(-2, -2, 2, 2), Qt::black);
    for (const LegendEntry& entry : legend) {
        painter.setPen(ToQColor(entry.colour));
        painter.setBrush(ToQColor(entry.colour));
        painter.drawEllipse(Outline(entry.swatch));
        painter.setPen(kLegendText);
        painter.drawText(QPoint(entry.textAt.x, entry.textAt.y + (metrics.ascent() - metrics.descent()) / 2),
                         entry.text);
    }
}

QFont BaseLabelFont()
{
    // 11 pixels is the height of the whole text line, ascent and descent, that the symbol's
    // body was made for.
    constexpr int kLineHeight = 11;
    QFont arial("Arial");
    arial.setBold(true);
    int pixels = kLineHeight;
    do {
        arial.setPixelSize(pixels--);
    } while (QFontMetrics(arial).height() > kLineHeight && pixels > 1);
    QFont small = SmallViewFont();
    small.setBold(true);
    return small.pixelSize() > arial.pixelSize() ? small : arial;
}

}  // namespace

QFont SatelliteLabelFont(double scale)
{
    static const QFont base = BaseLabelFont();
    return Scaled(base, scale);
}

SymbolText MeasureSymbolText()
{
    static const SymbolText text = [] {
        const QFontMetrics metrics(SatelliteLabelFont());
        return SymbolText{metrics.horizontalAdvance("88"), metrics.horizontalAdvance("G88")};
    }();
    return text;
}

void PaintRadar(QPainter& painter, const CRadarGeometry& geometry, const RadarPlot* plot)
{
    painter.save();
    painter.fillRect(0, 0, geometry.Width(), geometry.Height(), Qt::black);
    DrawElevationRings(painter, geometry);
    DrawLegend(painter, geometry);
    if (plot != nullptr) {
        DrawPlot(painter, geometry, *plot);
    }
    painter.restore();
}

}  // namespace kestrion
