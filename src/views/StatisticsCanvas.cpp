#include "views/StatisticsCanvas.h"

#include <QPainter>

#include "evaluation/AccuracyText.h"
#include "views/StatisticsRenderer.h"

namespace kestrion {

CStatisticsCanvas::CStatisticsCanvas(std::function<StatisticsData()> fetch, QWidget* parent)
    : QWidget(parent), m_fetch(std::move(fetch))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(200, 150);
    m_throttle.setSingleShot(true);
    m_throttle.setInterval(kRefreshMs);
    connect(&m_throttle, &QTimer::timeout, this, [this] { update(); });
}

void CStatisticsCanvas::MarkStale()
{
    m_stale = true;
    if (!m_throttle.isActive()) {
        m_throttle.start();
    }
}

void CStatisticsCanvas::Refresh()
{
    m_stale = true;
    m_throttle.stop();
    update();
}

void CStatisticsCanvas::Fetch()
{
    m_data = m_fetch();
    m_text = AccuracyText(m_data.figures) + OwnEstimateText(m_data.estimates);
    m_stale = false;
    m_picture = {};
    ++m_fetches;
}

void CStatisticsCanvas::paintEvent(QPaintEvent* /*event*/)
{
    // A paint that the throttle did not ask for may come first: it fetches too, and the
    // throttle's paint then finds nothing new.
    if (m_stale) {
        Fetch();
    }
    if (m_picture.isNull() || m_picture.size() != size() * devicePixelRatioF()) {
        const StatisticsInk ink{palette().color(QPalette::Base), palette().color(QPalette::Text)};
        m_picture = RenderStatistics(size(), devicePixelRatioF(), ink, {m_text, m_data.figures, m_data.errors});
    }
    QPainter painter(this);
    painter.drawImage(0, 0, m_picture);
}

void CStatisticsCanvas::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_picture = {};
}

}  // namespace kestrion
