#pragma once
// The map's kept picture: every point plotted since the last clear, in metres from the origin,
// and the canvas image they are drawn on for the current frame. A new point is drawn onto the
// image; another size, scale, middle or pixel ratio draws them all again, so that repaints,
// zooming and panning keep the track.
#include <array>
#include <cstddef>
#include <deque>
#include <optional>

#include <QImage>

#include "views/MapGeometry.h"
#include "views/MapRenderer.h"

namespace kestrion {

class CMapPlot {
public:
    // The oldest points go beyond this many.
    static constexpr size_t kKeptPoints = 250000;

    // Starts afresh on the frame, with rings of these radii in metres (0 for none).
    void Reset(qreal ratio, const MapInk& ink, const std::array<int, 3>& ringMetres, const CanvasFrame& frame);
    // The empty canvas again, every point forgotten.
    void Clear();

    // A measured point joins the recent points, which are all drawn again in their colours.
    void AddMeasured(GroundPoint point);
    void AddTrue(GroundPoint point);

    // Everything plotted drawn again for another frame or pixel ratio.
    void SetFrame(const CanvasFrame& frame);
    void ChangeRatio(qreal ratio);

    const CanvasFrame& Frame() const { return m_frame; }
    const QImage& Image() const;
    const MapInk& Ink() const { return m_ink; }
    // The newest measured point on the canvas, and where it is.
    std::optional<CanvasPoint> Newest() const;
    std::optional<GroundPoint> NewestGround() const { return m_recent.Newest(); }

private:
    struct Mark {
        GroundPoint at;
        bool measured;
    };

    void Keep(Mark mark);
    // The image anew from the marks, as drawing them one by one would have left it.
    void Render() const;

    MapInk m_ink;
    std::array<int, 3> m_ringMetres{};
    CanvasFrame m_frame;
    qreal m_ratio = 1.0;
    std::deque<Mark> m_marks;  // oldest first
    int m_measured = 0;        // of the marks
    CRecentPoints<GroundPoint> m_recent;
    mutable QImage m_image;
    mutable bool m_stale = true;  // the image is not the marks' on this frame
};

}  // namespace kestrion
