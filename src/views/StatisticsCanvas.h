#pragma once
// The statistics picture on screen. New fixes only mark it stale: the figures are fetched and
// the picture painted again at most a few times a second, and a repaint or a resize paints
// from what was fetched last.
#include <functional>
#include <string>
#include <vector>

#include <QImage>
#include <QTimer>
#include <QWidget>

#include "epoch/ReceiverEpoch.h"
#include "evaluation/AccuracyStatistics.h"

namespace kestrion {

// What the picture shows, as fetched.
struct StatisticsData {
    AccuracyFigures figures;
    std::vector<EnuError> errors;  // the scatter's points, a bounded number (CErrorScatter)
    ErrorEstimates estimates;  // the receiver's own, of its latest epoch
};

class CStatisticsCanvas : public QWidget {
public:
    static constexpr int kRefreshMs = 250;

    explicit CStatisticsCanvas(std::function<StatisticsData()> fetch, QWidget* parent = nullptr);

    // New fixes: fetched and shown within kRefreshMs.
    void MarkStale();
    // Fetched and shown at the next paint.
    void Refresh();

    const StatisticsData& Shown() const { return m_data; }
    const std::string& Text() const { return m_text; }
    int Fetches() const { return m_fetches; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void Fetch();

    std::function<StatisticsData()> m_fetch;
    StatisticsData m_data;
    std::string m_text;
    QImage m_picture;  // of the last fetch at the current size; null to paint again
    QTimer m_throttle;
    bool m_stale = true;
    int m_fetches = 0;
};

}  // namespace kestrion
