#include "views/RadarView.h"

#include <QMouseEvent>
#include <QPainter>

#include "dialogs/TrackingViewConfiguration.h"
#include "platform/UserInterface.h"
#include "protocol/MessageRecord.h"
#include "protocol/Mid.h"
#include "app/DocumentView.h"
#include "views/PaintSurface.h"
#include "views/RadarRenderer.h"

namespace kestrion {

CRadarView::CRadarView(const CProfile& profile, IUserInterface& ui, QWidget* parent)
    : QWidget(parent), m_profile(profile), m_ui(ui)
{
    setWindowTitle(kCaption);
    setAttribute(Qt::WA_OpaquePaintEvent);
    CSettings sources;
    sources.LoadDataSources(profile);
    m_truthMode = sources.useTrue != 0 && sources.dataSource == 1;
    ReadSettings();
}

void CRadarView::OnUpdate(int hint, const CMessageRecord* record)
{
    if (hint == kHintRecord && record != nullptr) {
        TakeRecord(*record);
    } else if (hint == kHintRestarted) {
        ReadSettings();
        update();
    } else if (hint == kHintOpening) {
        m_trackerPending = false;
        m_truth.reset();
        m_plotted.reset();
        update();
    }
}

void CRadarView::TakeRecord(const CMessageRecord& record)
{
    switch (record.type) {
    case MID_TrueNavigation:
        m_truth = record.nav;
        break;
    case MID_TrueTracker:
    case MID_MeasuredTracker:
        m_tracker = record.tracker;
        m_trackerPending = true;
        break;
    case MID_MeasuredNavigation:
        if (m_trackerPending) {
            m_trackerPending = false;
            m_plotted = RadarScene{record.nav, m_tracker, m_truthMode ? m_truth : std::nullopt};
            update();
        }
        break;
    default:
        break;
    }
}

void CRadarView::ReadSettings()
{
    m_settings.LoadRadarView(m_profile);
}

void CRadarView::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    SetUpPainter(painter);
    const CRadarGeometry geometry(width(), height());
    // Beside and below the square; the plot fills the square itself.
    const int side = geometry.Side();
    painter.fillRect(side, 0, width() - side, height(), Qt::black);
    painter.fillRect(0, side, side, height() - side, Qt::black);
    if (m_plotted) {
        const RadarPlot plot = PlotOf(geometry, *m_plotted, m_settings);
        PaintRadar(painter, geometry, &plot);
    } else {
        PaintRadar(painter, geometry, nullptr);
    }
}

void CRadarView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        Configure();
    }
}

void CRadarView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton) {
        Configure();
    }
}

void CRadarView::Configure()
{
    CTrackingViewConfiguration dialog(m_ui, m_settings);
    if (!m_ui.RunDialog(dialog)) {
        return;
    }
    dialog.ReadInto(m_settings);
    m_settings.SaveRadarView(m_profile);
    OnUpdate(kHintRestarted, nullptr);
}

}  // namespace kestrion
