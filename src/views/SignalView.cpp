#include "views/SignalView.h"

#include <algorithm>

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QRegion>
#include <QScrollBar>

#include "platform/Settings.h"
#include "protocol/MessageTable.h"
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
    m_rows.resize(kSignalRows);
    m_scroll = new QScrollBar(Qt::Vertical, this);
    m_scroll->hide();
    connect(m_scroll, &QScrollBar::valueChanged, this, qOverload<>(&QWidget::update));
    Settings settings;
    settings.LoadDataSources(profile);
    m_style.scale = MakeSignalScale(SignalScaleMode(settings));
    m_style.graphType = ReadGraphType();
}

void CSignalView::OnUpdate(UpdateHint hint, const CMessageRecord* record)
{
    if (hint == UpdateHint::Record && record != nullptr) {
        if (const ReceiverEpoch* epoch = m_state.Take(*record)) {
            ShowEpoch(*epoch);
        }
        // Record by record: a channel may ask to be plotted before its epoch closes.
        const MessageKind* kind = FindMessage(record->type);
        if (kind != nullptr && kind->block == RecordBlock::Tracker) {
            ShowTracker(record->tracker);
        }
    } else if (hint == UpdateHint::Restarted) {
        m_style.graphType = ReadGraphType();  // older cells keep the style they were drawn in
    } else if (hint == UpdateHint::SourceEnded) {
        if (const ReceiverEpoch* epoch = m_state.Finish()) {
            ShowEpoch(*epoch);
        }
    } else if (hint == UpdateHint::Opening) {
        m_state.Reset();
        m_trackerPending = false;
        m_nmeaRows = false;
        m_keys.clear();
        m_rows.assign(kSignalRows, {});
        Layout();
        update();
    }
}

void CSignalView::ShowEpoch(const ReceiverEpoch& epoch)
{
    if (epoch.source == ReceiverEpoch::Source::Binary) {
        ShowBinary(epoch);
    } else if (!epoch.truth) {
        ShowNmea(epoch);
    }
}

// Every navigation record after tracker data plots the channels, a truth one too.
void CSignalView::ShowBinary(const ReceiverEpoch& epoch)
{
    UseRows(false);
    if (!m_trackerPending || !epoch.binaryNav || !epoch.binaryTracker) {
        return;
    }
    m_trackerPending = false;
    m_tracker = *epoch.binaryTracker;
    for (int channel = 0; channel < kSignalRows; ++channel) {
        PlotChannel(channel, SignalRoleColour(*epoch.binaryNav, m_tracker.channels[channel]));
    }
}

void CSignalView::ShowNmea(const ReceiverEpoch& epoch)
{
    UseRows(true);
    std::vector<SignalKey> keys = m_keys;
    for (SignalKey& key : keys) {
        ++key.unseen;
    }
    for (const SatelliteView& satellite : epoch.satellites) {
        for (const SignalObservation& signal : satellite.observations) {
            const SignalKey key{satellite.id, signal.id};
            const auto at = std::ranges::lower_bound(keys, key);
            if (at != keys.end() && *at == key) {
                at->unseen = 0;
            } else {
                keys.insert(at, key);
            }
        }
    }
    std::erase_if(keys, [](const SignalKey& key) { return key.unseen > kForgetAfterEpochs; });

    // The rows follow the keys, each keeping its history.
    std::vector<SignalRowPicture> rows;
    rows.reserve(keys.size());
    size_t old = 0;
    for (const SignalKey& key : keys) {
        while (old < m_keys.size() && m_keys[old] < key) {
            ++old;
        }
        rows.push_back(old < m_keys.size() && m_keys[old] == key ? std::move(m_rows[old]) : SignalRowPicture{});
    }
    const bool changed = keys.size() != m_keys.size() || !std::ranges::equal(keys, m_keys);
    m_keys = std::move(keys);
    m_rows = std::move(rows);
    if (changed) {
        Layout();
    } else {
        LayOutIfResized();
    }

    for (const SatelliteView& satellite : epoch.satellites) {
        for (const SignalObservation& signal : satellite.observations) {
            const auto at = std::ranges::lower_bound(m_keys, SignalKey{satellite.id, signal.id});
            SignalRowPicture& row = m_rows[at - m_keys.begin()];
            PlotSignalRow(row, m_style, SignalRowTexts(satellite, signal), signal.samples,
                          SignalRoleColour(epoch, satellite, signal));
        }
    }
    // Gone from view: blank, as an empty channel is.
    for (size_t row = 0; row < m_keys.size(); ++row) {
        if (m_keys[row].unseen == 1) {
            ClearSignalChannel(m_rows[row], m_style);
        }
    }
    update();
}

void CSignalView::UseRows(bool nmea)
{
    if (m_nmeaRows == nmea) {
        return;
    }
    m_nmeaRows = nmea;
    m_keys.clear();
    m_rows.assign(nmea ? 0 : kSignalRows, {});
    Layout();
    update();
}

void CSignalView::ShowTracker(const TrackerBlock& tracker)
{
    UseRows(false);
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
    Settings settings;
    settings.LoadSignalView(m_profile);
    return settings.signalGraphType;
}

void CSignalView::Layout()
{
    m_laidOutSize = size();
    m_laidOutRatio = devicePixelRatioF();
    m_laidOutRows = RowCount();
    const int rowHeight = SignalRowHeight(RowCount(), height());
    const int content = SignalContentHeight(RowCount(), rowHeight);
    const bool scrolls = RowCount() > kSignalRows && content > height();
    const int barWidth = m_scroll->sizeHint().width();
    m_scroll->setVisible(scrolls);
    if (scrolls) {
        m_scroll->setGeometry(width() - barWidth, 0, barWidth, height());
        m_scroll->setRange(0, content - height());
        m_scroll->setPageStep(height());
        m_scroll->setSingleStep(rowHeight);
    } else {
        m_scroll->setValue(0);
    }
    const int rowsWidth = scrolls ? width() - barWidth : width();
    const int scaleRoom = SignalScaleRoomFor(rowHeight, m_style.scale);
    const QColor background = palette().color(QPalette::Base);
    for (int row = 0; row < RowCount(); ++row) {
        const SignalRow geometry = LayoutSignalRowAt(row, rowHeight, rowsWidth, scaleRoom);
        m_rows[row] = RelayoutSignalRow(m_rows[row], geometry, m_laidOutRatio, background, m_style.scale);
    }
    if (m_setMinimumTrackWidth) {
        m_setMinimumTrackWidth(SignalMinimumTrackWidth());
    }
}

void CSignalView::LayOutIfResized()
{
    if (size() != m_laidOutSize || devicePixelRatioF() != m_laidOutRatio || RowCount() != m_laidOutRows) {
        Layout();
    }
}

void CSignalView::paintEvent(QPaintEvent* /*event*/)
{
    LayOutIfResized();
    QPainter painter(this);
    const int offset = m_scroll->isVisible() ? m_scroll->value() : 0;
    painter.translate(0, -offset);
    // The charts cover their own part.
    QRegion background(rect().translated(0, offset));
    for (const SignalRowPicture& row : m_rows) {
        background -= QRect(QPoint(kSignalGraphLeft, row.row.top), row.chart.deviceIndependentSize().toSize());
    }
    for (const QRect& part : background) {
        painter.fillRect(part, palette().color(QPalette::Base));
    }
    PaintSignalView(painter, m_rows, m_style.scale, palette().color(QPalette::Text), offset, offset + height());
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

void CSignalView::wheelEvent(QWheelEvent* event)
{
    if (m_scroll->isVisible()) {
        QApplication::sendEvent(m_scroll, event);
    } else {
        QWidget::wheelEvent(event);
    }
}

void CSignalView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton && m_runPreferences) {
        m_runPreferences();
    }
}

}  // namespace kestrion
