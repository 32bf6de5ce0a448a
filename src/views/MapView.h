#pragma once
// "Map View": the receiver's positions plotted around an origin from the settings, with
// distance rings and axes, the last eight measured points fading from red to blue, true
// positions as small red circles, and the latest solution in a status bar above.
#include <QWidget>

#include "app/DocumentView.h"
#include "dialogs/MapPreferencesDialog.h"
#include "platform/Profile.h"
#include "platform/UserInterface.h"
#include "protocol/ProtocolState.h"
#include "views/MapCanvas.h"
#include "views/MapStatusBar.h"

namespace kestrion {

struct NavBlock;

class CMapView : public QWidget, public IDocumentView {
public:
    static constexpr const char* kCaption = "Map View";

    // The protocol state gives the receiver software generation, which names the fix modes.
    CMapView(const CProfile& profile, IUserInterface& ui, const ProtocolState& protocol, QWidget* parent = nullptr);

    void OnUpdate(int hint, const CMessageRecord* record) override;

    // The map "Preferences"; on OK they are stored and the map starts again with them.
    void EditPreferences();

    const CMapStatusBar& StatusBar() const { return *m_status; }
    const CMapCanvas& Canvas() const { return *m_canvas; }

private:
    // The "Map View" settings read again, the picture made anew and empty.
    void Restart();
    // The position fields; the canvas point of the position.
    CanvasPoint ShowPosition(const NavBlock& nav);

    CProfile m_profile;  // a copy: the caller's may be a temporary
    IUserInterface& m_ui;
    const ProtocolState& m_protocol;
    MapPreferences m_preferences;  // as in the "Map View" settings
    MapFrame m_frame;
    CMapStatusBar* m_status;
    CMapCanvas* m_canvas;
};

}  // namespace kestrion
