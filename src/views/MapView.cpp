#include "views/MapView.h"

#include <algorithm>
#include <array>
#include <string_view>

#include <QScrollArea>
#include <QVBoxLayout>

#include "platform/Settings.h"
#include "protocol/MessageRecord.h"
#include "protocol/Mid.h"
#include "protocol/TextFormatter.h"
#include "app/DocumentView.h"

namespace kestrion {
namespace {

// The status bar as a bar docked in a frame: a narrower window cuts it off, it imposes no
// minimum width.
QWidget* Docked(QWidget* bar)
{
    auto* dock = new QScrollArea;
    dock->setFrameShape(QFrame::NoFrame);
    dock->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    dock->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    dock->setWidgetResizable(true);
    dock->setWidget(bar);
    dock->setFixedHeight(bar->sizeHint().height());
    return dock;
}

MapPreferences LoadPreferences(const CProfile& profile)
{
    CSettings settings;
    settings.LoadMapView(profile);
    MapPreferences preferences;
    preferences.scale = settings.mapScale;
    preferences.centreOnCurrent = settings.mapCenterFixed != 0;
    preferences.latitude = settings.mapLat;
    preferences.longitude = settings.mapLon;
    preferences.ringRadii = {settings.ring1, settings.ring2, settings.ring3};
    return preferences;
}

void SavePreferences(const CProfile& profile, const MapPreferences& preferences)
{
    CSettings settings;
    settings.mapScale = preferences.scale;
    settings.mapCenterFixed = preferences.centreOnCurrent ? 1 : 0;
    settings.mapLat = preferences.latitude;
    settings.mapLon = preferences.longitude;
    settings.ring1 = preferences.ringRadii[0];
    settings.ring2 = preferences.ringRadii[1];
    settings.ring3 = preferences.ringRadii[2];
    settings.SaveMapView(profile);
}

}  // namespace

CMapView::CMapView(const CProfile& profile, IUserInterface& ui, const ProtocolState& protocol, QWidget* parent)
    : QWidget(parent),
      m_profile(profile),
      m_ui(ui),
      m_protocol(protocol),
      m_status(new CMapStatusBar),
      m_canvas(new CMapCanvas)
{
    setWindowTitle(kCaption);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(Docked(m_status));
    layout->addWidget(m_canvas, 1);
    connect(m_status, &CMapStatusBar::clearRequested, m_canvas, &CMapCanvas::Clear);
    connect(m_canvas, &CMapCanvas::preferencesRequested, this, [this] { EditPreferences(); });
    Restart();
}

void CMapView::OnUpdate(int hint, const CMessageRecord* record)
{
    if (hint == kHintRestarted) {
        Restart();
    } else if (hint == kHintOpening) {
        m_canvas->Clear();
    } else if (hint == kHintRecord && record != nullptr) {
        switch (record->type) {
        case MID_MeasuredNavigation:
            m_status->ShowFix(FixTextsOf(record->nav, m_protocol.generation));
            m_canvas->AddMeasured(ShowPosition(record->nav));
            break;
        case MID_TrueNavigation: m_canvas->AddTrue(ShowPosition(record->nav)); break;
        case MID_SWVersion: {
            const std::string_view version(record->swVersion.version, sizeof record->swVersion.version);
            setWindowTitle(QString::fromLatin1(FormatText("Map View (SW Version: %s)", {version})));
            break;
        }
        default: break;
        }
    }
}

void CMapView::EditPreferences()
{
    CMapPreferencesDialog dialog(m_ui, m_preferences);
    if (m_ui.RunDialog(dialog)) {
        SavePreferences(m_profile, dialog.Preferences());
        OnUpdate(kHintRestarted, nullptr);
    }
}

void CMapView::Restart()
{
    m_preferences = LoadPreferences(m_profile);
    m_frame = {1.0 / m_preferences.scale, m_preferences.latitude, m_preferences.longitude};
    std::array<int, 3> ringRadii{};
    std::ranges::transform(m_preferences.ringRadii, ringRadii.begin(),
                           [this](int metres) { return RingRadiusPixels(metres, m_frame.pixelsPerMetre); });
    m_canvas->Reset(ringRadii, m_preferences.centreOnCurrent);
}

CanvasPoint CMapView::ShowPosition(const NavBlock& nav)
{
    const MapPosition position = MapPositionOf(nav);
    m_status->ShowPosition(PositionTextsOf(position));
    return CanvasPointOf(m_frame, position);
}

}  // namespace kestrion
