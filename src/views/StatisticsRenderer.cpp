#include "views/StatisticsRenderer.h"

#include <algorithm>
#include <tuple>

#include <QPainter>
#include <QPolygon>

#include "protocol/TextFormatter.h"
#include "views/PaintSurface.h"
#include "views/ScatterGeometry.h"

namespace kestrion {
namespace {

constexpr int kTextMargin = 8;
constexpr int kDotSize = 3;

void PaintText(QPainter& painter, const StatisticsInk& ink, int width, int height, const std::string& text)
{
    painter.setPen(ink.text);
    painter.drawText(QRect(kTextMargin, kTextMargin, width - 2 * kTextMargin, height - 2 * kTextMargin),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, QString::fromStdString(text));
}

void PaintAxes(QPainter& painter, const StatisticsInk& ink, const CScatterGeometry& geometry)
{
    const auto [left, top, right, bottom] = geometry.Square();
    const ScatterPixel centre = geometry.Centre();
    painter.setPen(ink.text);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(left, top, right - left, bottom - top);
    painter.setPen(QPen(ink.text, 1, Qt::DotLine));
    painter.drawLine(left, centre.y, right, centre.y);
    painter.drawLine(centre.x, top, centre.x, bottom);
    painter.setPen(ink.text);
    const QFontMetrics metrics(painter.font());
    const int t = CScatterGeometry::kTickLength;
    for (const ScatterTick& tick : geometry.Ticks()) {
        if (tick.at.y == centre.y) {
            painter.drawLine(tick.at.x, centre.y - t, tick.at.x, centre.y + t);
        } else {
            painter.drawLine(centre.x - t, tick.at.y, centre.x + t, tick.at.y);
        }
    }
    // The scale under the ticks east of the centre.
    for (const ScatterTick& tick : geometry.Ticks()) {
        if (tick.at.y == centre.y && tick.at.x > centre.x) {
            const QString label = QString::fromStdString(tick.label);
            const int width = metrics.horizontalAdvance(label);
            painter.drawText(std::min(tick.at.x - width / 2, right - width - 1), centre.y + 2 * t + metrics.ascent(),
                             label);
        }
    }
    painter.drawText(right + 3, centre.y - 3, "E");
    painter.drawText(centre.x + 3, top + metrics.ascent(), "N");
}

void PaintCircle(QPainter& painter, const ScatterCircle& circle, Rgb colour)
{
    if (circle.radius <= 0) {
        return;
    }
    painter.setPen(QPen(ToQColor(colour), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QPoint(circle.centre.x, circle.centre.y), circle.radius, circle.radius);
}

void PaintLegend(QPainter& painter, const CScatterGeometry& geometry, const AccuracyFigures& figures)
{
    const auto [left, top, right, bottom] = geometry.Square();
    const QFontMetrics metrics(painter.font());
    int x = left;
    for (const auto& [name, radius, colour] : {std::tuple{"CEP50", figures.cep50, kCep50Colour},
                                                std::tuple{"CEP95", figures.cep95, kCep95Colour}}) {
        const QString text = QString::fromStdString(FormatText("%s %.2f m", {name, radius}));
        painter.setPen(ToQColor(colour));
        painter.drawText(x, top - 4, text);
        x += metrics.horizontalAdvance(text) + 12;
    }
}

}  // namespace

std::string OwnEstimateText(const ErrorEstimates& estimates)
{
    std::string sigmas;
    for (const auto& [name, value] : {std::pair{"lat", estimates.sigmaLatitude},
                                      std::pair{"lon", estimates.sigmaLongitude},
                                      std::pair{"alt", estimates.sigmaAltitude}}) {
        if (value) {
            AppendFormat(sigmas, sigmas.empty() ? "%s %.2f m" : ", %s %.2f m", {name, *value});
        }
    }
    if (sigmas.empty() && !estimates.rms) {
        return {};
    }
    // On a line of their own: the figures pane is narrow, and wraps inside a long line.
    std::string text = "\nReceiver's own 1-sigma:\n" + sigmas;
    if (estimates.rms) {
        AppendFormat(text, sigmas.empty() ? "RMS %.2f m" : " (RMS %.2f m)", {*estimates.rms});
    }
    return text + '\n';
}

QImage RenderStatistics(QSize size, qreal ratio, const StatisticsInk& ink, const StatisticsScene& scene)
{
    QImage image = MakeSurface(size, ratio, ink.background);
    QPainter painter(&image);
    SetUpPainter(painter);
    const StatisticsPanes panes = SplitStatistics(size.width());
    PaintText(painter, ink, panes.textWidth, size.height(), scene.text);

    const CScatterGeometry geometry(panes.scatterLeft, 0, panes.scatterWidth, size.height(),
                                    ScatterHold(scene.figures));
    PaintAxes(painter, ink, geometry);
    QPolygon dots;
    for (const ScatterPixel& pixel : geometry.PixelsOf(scene.errors)) {
        dots << QPoint(pixel.x, pixel.y);
    }
    painter.setPen(QPen(ToQColor(kErrorColour), kDotSize, Qt::SolidLine, Qt::SquareCap));
    painter.drawPoints(dots);
    PaintCircle(painter, geometry.CircleOf(scene.figures.cep50), kCep50Colour);
    PaintCircle(painter, geometry.CircleOf(scene.figures.cep95), kCep95Colour);
    PaintLegend(painter, geometry, scene.figures);
    return image;
}

}  // namespace kestrion
