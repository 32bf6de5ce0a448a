#pragma once
// "Tracking View": the sky plot. Every satellite in view at its azimuth and elevation, coloured
// by its state, with the course arrow, north and, in truth mode, the true position. It is
// plotted for each binary epoch with fresh tracker data and for every NMEA epoch, and kept
// until the next one.
#include <optional>

#include <QWidget>

#include "app/DocumentView.h"
#include "epoch/ReceiverState.h"
#include "platform/Profile.h"
#include "platform/Settings.h"
#include "views/RadarGeometry.h"

namespace kestrion {

class IUserInterface;

class CRadarView : public QWidget, public IDocumentView {
public:
    static constexpr const char* kCaption = "Tracking View";

    CRadarView(const CProfile& profile, IUserInterface& ui, QWidget* parent = nullptr);

    void OnUpdate(UpdateHint hint, const CMessageRecord* record) override;
    // An epoch as if the records had closed it.
    void ShowEpoch(const ReceiverEpoch& epoch);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void ReadSettings();
    void Configure();

    CProfile m_profile;
    IUserInterface& m_ui;
    bool m_truthMode = false;
    Settings m_settings;  // the "Radar View" fields
    CReceiverState m_state;
    std::optional<ReceiverEpoch> m_truth;
    std::optional<RadarEpochScene> m_plotted;  // what the picture shows; none for the empty plot
};

}  // namespace kestrion
