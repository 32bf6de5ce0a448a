#include "views/MapPlot.h"

#include <QPainter>

#include "views/PaintSurface.h"

namespace kestrion {

void CMapPlot::Reset(qreal ratio, const MapInk& ink, const std::array<int, 3>& ringMetres, const CanvasFrame& frame)
{
    m_ratio = ratio;
    m_ink = ink;
    m_ringMetres = ringMetres;
    m_frame = frame;
    Clear();
}

void CMapPlot::Clear()
{
    m_marks.clear();
    m_measured = 0;
    m_recent.Clear();
    m_stale = true;
}

void CMapPlot::AddMeasured(GroundPoint point)
{
    Keep({point, true});
    m_recent.Add(point);
    if (!m_stale) {
        QPainter painter(&m_image);
        SetUpPainter(painter);
        PaintRecentPoints(painter, m_frame, m_recent);
    }
}

void CMapPlot::AddTrue(GroundPoint point)
{
    Keep({point, false});
    if (!m_stale) {
        QPainter painter(&m_image);
        SetUpPainter(painter);
        PaintTruePosition(painter, CanvasPointOf(m_frame, point), m_ink.background);
    }
}

void CMapPlot::SetFrame(const CanvasFrame& frame)
{
    if (frame != m_frame) {
        m_frame = frame;
        m_stale = true;
    }
}

void CMapPlot::ChangeRatio(qreal ratio)
{
    if (ratio != m_ratio) {
        m_ratio = ratio;
        m_stale = true;
    }
}

const QImage& CMapPlot::Image() const
{
    if (m_stale) {
        Render();
    }
    return m_image;
}

std::optional<CanvasPoint> CMapPlot::Newest() const
{
    const std::optional<GroundPoint> newest = m_recent.Newest();
    return newest ? std::optional(CanvasPointOf(m_frame, *newest)) : std::nullopt;
}

void CMapPlot::Keep(Mark mark)
{
    m_marks.push_back(mark);
    m_measured += mark.measured ? 1 : 0;
    if (m_marks.size() > kKeptPoints) {
        m_measured -= m_marks.front().measured ? 1 : 0;
        m_marks.pop_front();
    }
}

void CMapPlot::Render() const
{
    m_image = MakeSurface(QSize(m_frame.width, m_frame.height), m_ratio, m_ink.background);
    QPainter painter(&m_image);
    SetUpPainter(painter);
    PaintMapBackground(painter, m_ink, m_frame, m_ringMetres);
    // Each point was last drawn when it left the recent points, in blue, or at the newest
    // measured point with the recent ones; what came between covers what it covered.
    CRecentPoints<GroundPoint> recent;
    std::optional<CanvasPoint> lastOld;  // a run of points on one pixel is drawn once
    int measured = 0;
    for (const Mark& mark : m_marks) {
        if (!mark.measured) {
            PaintTruePosition(painter, CanvasPointOf(m_frame, mark.at), m_ink.background);
            lastOld.reset();
            continue;
        }
        recent.Add(mark.at);
        if (++measured == m_measured) {
            PaintRecentPoints(painter, m_frame, recent);
        } else if (recent.Count() == kRecentPoints) {
            const CanvasPoint leaving = CanvasPointOf(m_frame, recent.At(0));
            if (leaving != lastOld) {
                PaintTrackPoint(painter, leaving, kOldPointColour);
                lastOld = leaving;
            }
        }
    }
    m_stale = false;
}

}  // namespace kestrion
