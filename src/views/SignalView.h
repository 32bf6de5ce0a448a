#pragma once
// "12-Channel Signal Level View": per tracking channel its satellite, state, azimuth,
// elevation and mean C/No, and a strip chart of its C/No samples over the last five cycles,
// coloured by the channel's role in the navigation fix.
#include <array>
#include <functional>

#include <QWidget>

#include "app/DocumentView.h"
#include "platform/Profile.h"
#include "protocol/MessageBlocks.h"
#include "views/SignalRenderer.h"

namespace kestrion {

class CSignalView : public QWidget, public IDocumentView {
public:
    static constexpr const char* kCaption = "12-Channel Signal Level View";

    // runPreferences opens the preferences dialog; setMinimumTrackWidth limits the frame's
    // width once the view is laid out. Either may be empty.
    CSignalView(const CProfile& profile, std::function<void()> runPreferences,
                std::function<void(int width)> setMinimumTrackWidth, QWidget* parent = nullptr);

    void OnUpdate(int hint, const CMessageRecord* record) override;

    const SignalRowPicture& Row(int channel) const { return m_rows[channel]; }
    const SignalChartStyle& ChartStyle() const { return m_style; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // Lays the rows out for the current size, each showing what it showed before.
    void Layout();
    void LayOutIfResized();
    void ShowNavigation(const NavBlock& nav);
    void ShowTracker(const TrackerBlock& tracker);
    void PlotChannel(int channel, Rgb colour);
    int ReadGraphType() const;

    const CProfile m_profile;
    std::function<void()> m_runPreferences;
    std::function<void(int)> m_setMinimumTrackWidth;

    std::array<SignalRowPicture, kSignalRows> m_rows;
    QSize m_laidOutSize;
    qreal m_laidOutRatio = 0;
    NavBlock m_fix{};
    TrackerBlock m_tracker{};
    SignalChartStyle m_style;
    bool m_trackerPending = false;
};

}  // namespace kestrion
