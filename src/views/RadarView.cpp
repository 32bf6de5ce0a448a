#include "views/RadarView.h"

#include <QMouseEvent>
#include <QPainter>

#include "dialogs/TrackingViewConfiguration.h"
#include "platform/UserInterface.h"
#include "protocol/MessageRecord.h"
#include "app/DocumentView.h"
#include "views/PaintSurface.h"
#include "views/RadarRenderer.h"

namespace kestrion {

CRadarView::CRadarView(const CProfile& profile, IUserInterface& ui, QWidget* parent)
    : QWidget(parent), m_profile(profile), m_ui(ui)
{
    setWindowTitle(kCaption);
    setAttribute(Qt::WA_OpaquePaintEvent);
    Settings sources;
    sources.LoadDataSources(profile);
    m_truthMode = sources.useTrue != 0 && sources.dataSource == 1;
    ReadSettings();
}

void CRadarView::OnUpdate(UpdateHint hint, const CMessageRecord* record)
{
    if (hint == UpdateHint::Record && record != nullptr) {
        if (const ReceiverEpoch* epoch = m_state.Take(*record)) {
            ShowEpoch(*epoch);
        }
    } else if (hint == UpdateHint::Restarted) {
        ReadSettings();
        update();
    } else if (hint == UpdateHint::SourceEnded) {
        if (const ReceiverEpoch* epoch = m_state.Finish()) {
            ShowEpoch(*epoch);
        }
    } else if (hint == UpdateHint::Opening) {
        m_state.Reset();
        m_truth.reset();
        m_plotted.reset();
        update();
    }
}

void CRadarView::ShowEpoch(const ReceiverEpoch& epoch)
{
    if (epoch.truth) {
        m_truth = epoch;
        return;
    }
    // A binary navigation record without tracker data before it keeps the last plot.
    if (epoch.source == ReceiverEpoch::Source::Binary && !epoch.satellitesFresh) {
        return;
    }
    m_plotted = RadarEpochScene{epoch, m_truthMode ? m_truth : std::nullopt};
    update();
}

void CRadarView::ReadSettings()
{
    m_settings.LoadRadarView(m_profile);
}

void CRadarView::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    SetUpPainter(painter);
    const CRadarGeometry geometry(width(), height(), MeasureSymbolText());
    if (m_plotted) {
        RadarPlot plot = PlotOf(geometry, *m_plotted, m_settings);
        SpreadSymbols(plot.satellites, geometry.SymbolScale());
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
    OnUpdate(UpdateHint::Restarted, nullptr);
}

}  // namespace kestrion
