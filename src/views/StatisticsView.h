#pragma once
// "Statistics View": the accuracy figures of the fixes seen since the data source opened, as
// text, with the scatter of their horizontal errors and the CEP50 and CEP95 circles, and a
// "Reset" button that starts the figures afresh. While it is open the recorder keeps the
// figures, the scatter and the track (so that a seek back drops what comes after). When the receiver gives its own error
// estimates (NMEA GST), the latest are shown after the figures.
#include <QWidget>

#include "app/DocumentView.h"
#include "app/FixRecorder.h"
#include "epoch/ReceiverState.h"
#include "views/StatisticsCanvas.h"

class QPushButton;

namespace kestrion {

class CStatisticsView : public QWidget, public IDocumentView {
public:
    static constexpr const char* kCaption = "Statistics View";

    // The recorder is a view of the same document, updated before this one.
    explicit CStatisticsView(CFixRecorder& recorder, QWidget* parent = nullptr);

    void OnUpdate(UpdateHint hint, const CMessageRecord* record) override;
    // A measured epoch: its estimates and the recorder's new figures are shown shortly.
    void ShowEpoch(const ReceiverEpoch& epoch);

    const CStatisticsCanvas& Canvas() const { return *m_canvas; }
    QPushButton* ResetButton() const { return m_reset; }

private:
    CFixRecorder& m_recorder;
    CFixRecorder::CInterest m_interest;
    CReceiverState m_receiver;
    ErrorEstimates m_estimates;
    CStatisticsCanvas* m_canvas;
    QPushButton* m_reset;
};

}  // namespace kestrion
