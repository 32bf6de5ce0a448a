#pragma once
// "12-Channel Signal Level View": per tracking channel its satellite, state, azimuth,
// elevation and mean C/No, and a strip chart of its C/No samples over the last five cycles,
// coloured by the channel's role in the navigation fix. An NMEA receiver gets one row per
// satellite signal instead, as many as it reports, scrolled when they do not fit.
#include <functional>
#include <tuple>
#include <vector>

#include <QWidget>

#include "app/DocumentView.h"
#include "epoch/ReceiverState.h"
#include "platform/Profile.h"
#include "protocol/MessageBlocks.h"
#include "views/SignalRenderer.h"

class QScrollBar;

namespace kestrion {

class CSignalView : public QWidget, public IDocumentView {
public:
    static constexpr const char* kCaption = "12-Channel Signal Level View";

    // runPreferences opens the preferences dialog; setMinimumTrackWidth limits the frame's
    // width once the view is laid out. Either may be empty.
    CSignalView(const CProfile& profile, std::function<void()> runPreferences,
                std::function<void(int width)> setMinimumTrackWidth, QWidget* parent = nullptr);

    void OnUpdate(UpdateHint hint, const CMessageRecord* record) override;
    // An epoch as if the records had closed it.
    void ShowEpoch(const ReceiverEpoch& epoch);

    // An NMEA row that has not been seen for this many epochs goes away.
    static constexpr int kForgetAfterEpochs = 10;

    int RowCount() const { return static_cast<int>(m_rows.size()); }
    const SignalRowPicture& Row(int channel) const { return m_rows[channel]; }
    // The scroll bar, visible while the rows do not fit.
    const QScrollBar& ScrollBar() const { return *m_scroll; }
    const SignalChartStyle& ChartStyle() const { return m_style; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    // Lays the rows out for the current size, each showing what it showed before.
    void Layout();
    void LayOutIfResized();
    void ShowBinary(const ReceiverEpoch& epoch);
    void ShowNmea(const ReceiverEpoch& epoch);
    void UseRows(bool nmea);
    void ShowTracker(const TrackerBlock& tracker);
    void PlotChannel(int channel, Rgb colour);
    int ReadGraphType() const;

    const CProfile m_profile;
    std::function<void()> m_runPreferences;
    std::function<void(int)> m_setMinimumTrackWidth;

    // A satellite signal's row while the rows are an NMEA receiver's.
    struct SignalKey {
        SatelliteId id;
        char signal = 0;
        int unseen = 0;  // epochs since it was last reported
        auto operator<=>(const SignalKey& other) const
        {
            return std::tie(id, signal) <=> std::tie(other.id, other.signal);
        }
        bool operator==(const SignalKey& other) const { return id == other.id && signal == other.signal; }
    };

    CReceiverState m_state;
    bool m_nmeaRows = false;
    std::vector<SignalRowPicture> m_rows;  // the twelve channels, or the NMEA rows of m_keys
    std::vector<SignalKey> m_keys;         // ordered by satellite and signal
    QScrollBar* m_scroll = nullptr;
    QSize m_laidOutSize;
    qreal m_laidOutRatio = 0;
    int m_laidOutRows = -1;
    TrackerBlock m_tracker{};
    SignalChartStyle m_style;
    bool m_trackerPending = false;
};

}  // namespace kestrion
