#include "views/MapCanvas.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

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

void CMapCanvas::Reset(const std::array<int, 3>& ringRadii, bool followNewest)
{
    m_followNewest = followNewest;
    m_plot.Reset(devicePixelRatioF(), {palette().color(QPalette::Base), palette().color(QPalette::Text)}, ringRadii);
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

void CMapCanvas::AddMeasured(CanvasPoint point)
{
    m_plot.AddMeasured(point);
    Relayout(viewport()->size());
}

void CMapCanvas::AddTrue(CanvasPoint point)
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
    return PlaceCanvas(client.width(), client.height(), horizontalScrollBar()->value(),
                       verticalScrollBar()->value(), Followed());
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
    const CanvasPlacement placement = Placement();
    PaintMapWindow(painter, viewport()->rect(), m_plot.Image(), placement, m_plot.Ink().background);
    PaintCepCircles(painter, placement, m_cep);
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

void CMapCanvas::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton) {
        emit preferencesRequested();
    }
}

void CMapCanvas::Relayout(QSize oldClient)
{
    const QSize client = viewport()->size();
    QScrollBar& across = *horizontalScrollBar();
    QScrollBar& down = *verticalScrollBar();
    const int keptX = KeptScroll(oldClient.width(), across.value(), across.maximum(), client.width());
    const int keptY = KeptScroll(oldClient.height(), down.value(), down.maximum(), client.height());
    const CanvasPlacement placement = PlaceCanvas(client.width(), client.height(), keptX, keptY, Followed());
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
    if (!m_plot.Image().isNull() && m_plot.Image().devicePixelRatio() != devicePixelRatioF()) {
        m_plot.ChangeRatio(devicePixelRatioF());
        viewport()->update();
    }
}

}  // namespace kestrion
