#include "views/SignalView.h"

#include <QMouseEvent>
#include <QPainter>
#include <QRegion>

#include "platform/Settings.h"
#include "protocol/MessageRecord.h"
#include "protocol/Mid.h"
#include "app/DocumentView.h"

namespace kestrion {
namespace {

constexpr uint16_t kPlotAtOnce = 0x100;  // tracker state bit 8

}  // namespace

CSignalView::CSignalView(const CProfile& profile, std::function<void()> runPreferences,
                         std::function<void(int width)> setMinimumTrackWidth, QWidget* parent)
    : QWidget(parent),
      m_profile(profile),
      m_runPreferences(std::move(runPreferences)),
      m_setMinimumTrackWidth(std::move(setMinimumTrackWidth))
{
    setWindowTitle(kCaption);
    setAttribute(Qt::WA_OpaquePaintEvent);
    CSettings settings;
    settings.LoadDataSources(profile);
    m_style.scale = MakeSignalScale(SignalScaleMode(settings));
    m_style.graphType = ReadGraphType();
}

void CSignalView::OnUpdate(int hint, const CMessageRecord* record)
{
    if (hint == kHintRecord && record != nullptr) {
        switch (record->type) {
        case MID_TrueNavigation:
        case MID_MeasuredNavigation: ShowNavigation(record->nav); break;
        case MID_TrueTracker:
        case MID_MeasuredTracker:
        case kMidTrackerSummary: ShowTracker(record->tracker); break;
        default: break;
        }
    } else if (hint == kHintRestarted) {
        m_style.graphType = ReadGraphType();  // older cells keep the style they were drawn in
    } else if (hint == kHintOpening) {
        m_rows = {};
        Layout();
        update();
    }
}

void CSignalView::ShowNavigation(const NavBlock& nav)
{
    m_fix = nav;
    if (!m_trackerPending) {
        return;
    }
    m_trackerPending = false;
    for (int channel = 0; channel < kSignalRows; ++channel) {
        PlotChannel(channel, SignalRoleColour(m_fix, m_tracker.channels[channel]));
    }
}

void CSignalView::ShowTracker(const TrackerBlock& tracker)
{
    m_tracker = tracker;
    m_trackerPending = true;
    for (int channel = 0; channel < kSignalRows; ++channel) {
        if ((m_tracker.channels[channel].state & kPlotAtOnce) != 0) {
            PlotChannel(channel, kUnlockedRed);
        }
    }
}

// A channel without a satellite is blanked instead.
void CSignalView::PlotChannel(int channel, Rgb colour)
{
    LayOutIfResized();
    const TrackerChannel& entry = m_tracker.channels[channel];
    if (entry.svId == 0) {
        ClearSignalChannel(m_rows[channel], m_style);
    } else {
        PlotSignalChannel(m_rows[channel], m_style, entry, colour);
    }
    update();
}

int CSignalView::ReadGraphType() const
{
    CSettings settings;
    settings.LoadSignalView(m_profile);
    return settings.signalGraphType;
}

void CSignalView::Layout()
{
    m_laidOutSize = size();
    m_laidOutRatio = devicePixelRatioF();
    const QColor background = palette().color(QPalette::Base);
    for (int row = 0; row < kSignalRows; ++row) {
        const SignalRow geometry = LayoutSignalRow(row, width(), height());
        m_rows[row] = RelayoutSignalRow(m_rows[row], geometry, m_laidOutRatio, background, m_style.scale);
    }
    if (m_setMinimumTrackWidth) {
        m_setMinimumTrackWidth(SignalMinimumTrackWidth());
    }
}

void CSignalView::LayOutIfResized()
{
    if (size() != m_laidOutSize || devicePixelRatioF() != m_laidOutRatio) {
        Layout();
    }
}

void CSignalView::paintEvent(QPaintEvent* /*event*/)
{
    LayOutIfResized();
    QPainter painter(this);
    // The charts cover their own part.
    QRegion background(rect());
    for (const SignalRowPicture& row : m_rows) {
        background -= QRect(QPoint(kSignalGraphLeft, row.row.top), row.chart.deviceIndependentSize().toSize());
    }
    for (const QRect& part : background) {
        painter.fillRect(part, palette().color(QPalette::Base));
    }
    PaintSignalView(painter, m_rows, m_style.scale, palette().color(QPalette::Text));
}

void CSignalView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    LayOutIfResized();
}

void CSignalView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && m_runPreferences) {
        m_runPreferences();
    }
}

void CSignalView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton && m_runPreferences) {
        m_runPreferences();
    }
}

}  // namespace kestrion
