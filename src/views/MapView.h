#pragma once
// "Map View": the receiver's positions plotted around an origin from the settings, with
// labelled distance rings, axes and a scale bar, the last eight measured points fading from
// red to blue and the newest ringed, true positions as small red circles, and the latest
// solution in a status bar above. The wheel zooms and stores the scale; a drag pans. With "CEP
// Circles" set, the CEP50 and CEP95 circles of the accuracy figures surround the origin when
// it is their reference. "Export Track..." writes the fixes seen since the data source opened.
#include <optional>

#include <QTimer>
#include <QWidget>

#include "app/DocumentView.h"
#include "app/FixRecorder.h"
#include "dialogs/MapPreferencesDialog.h"
#include "epoch/ReceiverState.h"
#include "platform/Profile.h"
#include "platform/UserInterface.h"
#include "protocol/ProtocolState.h"
#include "views/MapCanvas.h"
#include "views/MapStatusBar.h"

namespace kestrion {

class CMapView : public QWidget, public IDocumentView {
public:
    static constexpr const char* kCaption = "Map View";

    static constexpr int kCepRefreshMs = 250;

    // The protocol state gives the receiver software generation, which names the fix modes;
    // the recorder, a view of the same document updated first, the fixes and their figures.
    CMapView(const CProfile& profile, IUserInterface& ui, const ProtocolState& protocol, CFixRecorder& recorder,
             QWidget* parent = nullptr);

    void OnUpdate(UpdateHint hint, const CMessageRecord* record) override;
    // A measured epoch fills the fix fields and adds a track point, a truth epoch a circle;
    // either shows its position.
    void ShowEpoch(const ReceiverEpoch& epoch);

    // The map "Preferences"; on OK they are stored and the map starts again with them.
    void EditPreferences();
    // Asks for a file and writes the track to it; a failure is said in a warning box.
    void ExportTrack();
    QAction* ExportAction() const { return m_export; }

    const CMapStatusBar& StatusBar() const { return *m_status; }
    const CMapCanvas& Canvas() const { return *m_canvas; }

private:
    // The "Map View" settings read again, the picture made anew and empty.
    void Restart();
    // The position fields; where the position is from the origin.
    GroundPoint ShowPosition(const ReceiverEpoch& epoch);
    // The wheel's scale, kept as the Preferences keep it.
    void StoreScale(double metresPerPixel);
    // The circles of the figures now, when they are wanted and the origin is their reference.
    void UpdateCepCircles();

    CProfile m_profile;  // a copy: the caller's may be a temporary
    IUserInterface& m_ui;
    const ProtocolState& m_protocol;
    CFixRecorder& m_recorder;
    CFixRecorder::CInterest m_fixInterest{m_recorder, kNeedTrack | kNeedFigures};  // Export Track, the CEP circles
    CReceiverState m_receiver;
    MapPreferences m_preferences;  // as in the "Map View" settings
    MapFrame m_frame;
    CMapStatusBar* m_status;
    CMapCanvas* m_canvas;
    QAction* m_export;
    QTimer m_cepRefresh;  // the figures at most a few times a second
    std::optional<FixPosition> m_newestFix;
};

}  // namespace kestrion
