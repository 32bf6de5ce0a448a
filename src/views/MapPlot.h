#pragma once
// The map's kept picture: the canvas image with the track drawn so far, the empty canvas it
// is cleared to, and the recent measured points. Repaints only show it; clearing, a reset or
// a new pixel ratio change it.
#include <array>
#include <optional>

#include <QImage>

#include "views/MapGeometry.h"
#include "views/MapRenderer.h"

namespace kestrion {

class CMapPlot {
public:
    // Both images made anew at the ratio, with rings of these radii in pixels (0 for none);
    // the recent points are forgotten.
    void Reset(qreal ratio, const MapInk& ink, const std::array<int, 3>& ringRadii);
    // The empty canvas again, the recent points forgotten.
    void Clear();

    // A measured point joins the recent points, which are all drawn again in their colours.
    void AddMeasured(CanvasPoint point);
    void AddTrue(CanvasPoint point);

    // Both images remade at another pixel ratio: the empty canvas drawn afresh, everything
    // drawn on it so far scaled over, the recent points drawn again sharp.
    void ChangeRatio(qreal ratio);

    const QImage& Image() const { return m_plot; }
    const MapInk& Ink() const { return m_ink; }
    std::optional<CanvasPoint> Newest() const { return m_recent.Newest(); }

private:
    QImage EmptyCanvas(qreal ratio) const;

    MapInk m_ink;
    std::array<int, 3> m_ringRadii{};
    QImage m_plot;
    QImage m_background;
    CRecentPoints m_recent;
};

}  // namespace kestrion
