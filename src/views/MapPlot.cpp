#include "views/MapPlot.h"

#include <QPainter>

#include "views/PaintSurface.h"

namespace kestrion {
namespace {

// What was drawn over the empty canvas; the rest transparent.
QImage Drawings(const QImage& plot, const QImage& empty)
{
    QImage drawings = plot.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < drawings.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(drawings.scanLine(y));
        const auto* emptyLine = reinterpret_cast<const QRgb*>(empty.constScanLine(y));
        for (int x = 0; x < drawings.width(); ++x) {
            if (line[x] == emptyLine[x]) {
                line[x] = 0;
            }
        }
    }
    return drawings;
}

}  // namespace

void CMapPlot::Reset(qreal ratio, const MapInk& ink, const std::array<int, 3>& ringRadii)
{
    m_ink = ink;
    m_ringRadii = ringRadii;
    m_background = EmptyCanvas(ratio);
    Clear();
}

void CMapPlot::Clear()
{
    m_plot = m_background;
    m_recent.Clear();
}

void CMapPlot::AddMeasured(CanvasPoint point)
{
    m_recent.Add(point);
    QPainter painter(&m_plot);
    SetUpPainter(painter);
    PaintRecentPoints(painter, m_recent);
}

void CMapPlot::AddTrue(CanvasPoint point)
{
    QPainter painter(&m_plot);
    SetUpPainter(painter);
    PaintTruePosition(painter, point, m_ink.background);
}

void CMapPlot::ChangeRatio(qreal ratio)
{
    const QImage drawings = Drawings(m_plot, m_background);
    m_background = EmptyCanvas(ratio);
    m_plot = m_background;
    QPainter painter(&m_plot);
    SetUpPainter(painter);
    painter.drawImage(QRect(0, 0, kCanvasSize, kCanvasSize), drawings);
    PaintRecentPoints(painter, m_recent);
}

QImage CMapPlot::EmptyCanvas(qreal ratio) const
{
    QImage canvas = MakeSurface(QSize(kCanvasSize, kCanvasSize), ratio, m_ink.background);
    QPainter painter(&canvas);
    SetUpPainter(painter);
    PaintMapBackground(painter, m_ink, m_ringRadii);
    return canvas;
}

}  // namespace kestrion
