#include "views/MapCanvas.h"

#include <utility>

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include "views/PaintSurface.h"

namespace kestrion {
namespace {

void SetScrollRange(QScrollBar& bar, int maximum, int page, int value)
{
    bar.setRange(0, maximum);
    bar.setPageStep(page);
    bar.setValue(value);
}

}  // namespace

CMapCanvas::CMapCanvas(QWidget* parent) : QAbstractScrollArea(parent)
{
    setFrameShape(QFrame::NoFrame);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);  // the paint covers it whole
}

void CMapCanvas::Reset(double pixelsPerMetre, const std::array<int, 3>& ringMetres, bool followNewest)
{
    m_followNewest = followNewest;
    CanvasFrame frame = SizedFrame(CanvasFrame{}, viewport()->width(), viewport()->height());
    frame.pixelsPerMetre = pixelsPerMetre;
    m_plot.Reset(devicePixelRatioF(), {palette().color(QPalette::Base), palette().color(QPalette::Text)}, ringMetres,
                 frame);
    // Scrolling starts again with the origin in the middle.
    horizontalScrollBar()->setRange(0, 0);
    verticalScrollBar()->setRange(0, 0);
    Relayout(viewport()->size());
}

void CMapCanvas::Clear()
{
    m_plot.Clear();
    Relayout(viewport()->size());
}

void CMapCanvas::AddMeasured(GroundPoint point)
{
    m_plot.AddMeasured(point);
    Relayout(viewport()->size());
}

void CMapCanvas::AddTrue(GroundPoint point)
{
    m_plot.AddTrue(point);
    viewport()->update();
}

void CMapCanvas::SetCepCircles(CepCircles circles)
{
    if (circles != m_cep) {
        m_cep = circles;
        viewport()->update();
    }
}

CanvasPlacement CMapCanvas::Placement() const
{
    const QSize client = viewport()->size();
    const CanvasFrame& frame = m_plot.Frame();
    return PlaceCanvas(client.width(), client.height(), horizontalScrollBar()->value(),
                       verticalScrollBar()->value(), Followed(), frame.width, frame.height);
}

bool CMapCanvas::event(QEvent* event)
{
    if (event->type() == QEvent::ScreenChangeInternal) {
        MatchPixelRatio();
    }
    return QAbstractScrollArea::event(event);
}

void CMapCanvas::showEvent(QShowEvent* event)
{
    MatchPixelRatio();
    QAbstractScrollArea::showEvent(event);
}

void CMapCanvas::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(viewport());
    SetUpPainter(painter);
    const CanvasPlacement placement = Placement();
    const CanvasFrame& frame = m_plot.Frame();
    PaintMapWindow(painter, viewport()->rect(), m_plot.Image(), placement, m_plot.Ink().background);
    PaintCepCircles(painter, placement, frame, m_cep);
    if (const std::optional<CanvasPoint> newest = m_plot.Newest()) {
        PaintCurrentPosition(painter, placement, *newest);
    }
    PaintScaleBar(painter, viewport()->rect(), ScaleBarOf(frame.pixelsPerMetre, viewport()->width()), m_plot.Ink());
}

void CMapCanvas::resizeEvent(QResizeEvent* event)
{
    Relayout(event->oldSize().isValid() ? event->oldSize() : event->size());
}

void CMapCanvas::scrollContentsBy(int /*dx*/, int /*dy*/)
{
    viewport()->update();
}

void CMapCanvas::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        emit preferencesRequested();
    }
}

void CMapCanvas::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        m_dragFrom = event->position().toPoint();
        m_dragging = false;
    }
}

// While following, the newest point is the middle: there is nothing to move.
void CMapCanvas::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_dragFrom || !(event->buttons() & Qt::LeftButton) || m_followNewest) {
        return;
    }
    const QPoint now = event->position().toPoint();
    const QPoint moved = now - *m_dragFrom;
    if (!m_dragging && moved.manhattanLength() < QApplication::startDragDistance()) {
        return;
    }
    if (!m_dragging) {
        m_dragging = true;
        viewport()->setCursor(Qt::ClosedHandCursor);
    }
    CanvasFrame frame = m_plot.Frame();
    frame.centre = PannedCentre(frame, moved.x(), moved.y());
    m_plot.SetFrame(frame);
    m_dragFrom = now;
    viewport()->update();
}

void CMapCanvas::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        m_dragFrom.reset();
        if (std::exchange(m_dragging, false)) {
            viewport()->unsetCursor();
        }
    } else if (event->button() == Qt::RightButton) {
        emit preferencesRequested();
    }
}

void CMapCanvas::wheelEvent(QWheelEvent* event)
{
    m_wheel += event->angleDelta().y();
    const int steps = m_wheel / QWheelEvent::DefaultDeltasPerStep;
    m_wheel -= steps * QWheelEvent::DefaultDeltasPerStep;
    if (steps != 0) {
        Zoom(steps, event->position());
    }
    event->accept();
}

void CMapCanvas::Zoom(int steps, QPointF at)
{
    CanvasFrame frame = m_plot.Frame();
    const double scale = ZoomedScale(1.0 / frame.pixelsPerMetre, steps);
    if (1.0 / scale == frame.pixelsPerMetre) {
        return;
    }
    // While following, about the newest point, which stays the middle.
    const CanvasPlacement placement = Placement();
    const std::optional<CanvasPoint> followed = Followed();
    const QPointF onCanvas = followed ? QPointF(followed->x, followed->y) : at - QPointF(placement.left, placement.top);
    frame.centre = ZoomedCentre(frame, 1.0 / scale, onCanvas.x(), onCanvas.y());
    frame.pixelsPerMetre = 1.0 / scale;
    m_plot.SetFrame(frame);
    Relayout(viewport()->size());
    emit scaleChanged(scale);
}

void CMapCanvas::Relayout(QSize oldClient)
{
    const QSize client = viewport()->size();
    const std::optional<GroundPoint> newest = m_plot.NewestGround();
    m_plot.SetFrame(m_followNewest && newest
                        ? FollowingFrame(m_plot.Frame(), client.width(), client.height(), *newest)
                        : SizedFrame(m_plot.Frame(), client.width(), client.height()));
    const CanvasFrame& frame = m_plot.Frame();
    QScrollBar& across = *horizontalScrollBar();
    QScrollBar& down = *verticalScrollBar();
    const int keptX = KeptScroll(oldClient.width(), across.value(), across.maximum(), client.width());
    const int keptY = KeptScroll(oldClient.height(), down.value(), down.maximum(), client.height());
    const CanvasPlacement placement =
        PlaceCanvas(client.width(), client.height(), keptX, keptY, Followed(), frame.width, frame.height);
    SetScrollRange(across, placement.scrollWidth, client.width(), keptX);
    SetScrollRange(down, placement.scrollHeight, client.height(), keptY);
    viewport()->update();
}

std::optional<CanvasPoint> CMapCanvas::Followed() const
{
    return m_followNewest ? m_plot.Newest() : std::nullopt;
}

void CMapCanvas::MatchPixelRatio()
{
    m_plot.ChangeRatio(devicePixelRatioF());
    viewport()->update();
}

}  // namespace kestrion
