#include "views/MapView.h"

#include <algorithm>
#include <array>
#include <string_view>

#include <QAction>
#include <QScrollArea>
#include <QVBoxLayout>

#include "app/ExportTrack.h"
#include "evaluation/AccuracyReference.h"

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
    Settings settings;
    settings.LoadMapView(profile);
    MapPreferences preferences;
    preferences.scale = settings.mapScale;
    preferences.centreOnCurrent = settings.mapCenterFixed != 0;
    preferences.latitude = settings.mapLat;
    preferences.longitude = settings.mapLon;
    preferences.ringRadii = {settings.ring1, settings.ring2, settings.ring3};
    preferences.cepCircles = settings.mapCepCircles != 0;
    return preferences;
}

void SavePreferences(const CProfile& profile, const MapPreferences& preferences)
{
    Settings settings;
    settings.mapScale = preferences.scale;
    settings.mapCenterFixed = preferences.centreOnCurrent ? 1 : 0;
    settings.mapLat = preferences.latitude;
    settings.mapLon = preferences.longitude;
    settings.ring1 = preferences.ringRadii[0];
    settings.ring2 = preferences.ringRadii[1];
    settings.ring3 = preferences.ringRadii[2];
    settings.mapCepCircles = preferences.cepCircles ? 1 : 0;
    settings.SaveMapView(profile);
}

}  // namespace

CMapView::CMapView(const CProfile& profile, IUserInterface& ui, const ProtocolState& protocol, CFixRecorder& recorder,
                   QWidget* parent)
    : QWidget(parent),
      m_profile(profile),
      m_ui(ui),
      m_protocol(protocol),
      m_recorder(recorder),
      m_status(new CMapStatusBar),
      m_canvas(new CMapCanvas),
      m_export(new QAction("Export Track...", this))
{
    setWindowTitle(kCaption);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(Docked(m_status));
    layout->addWidget(m_canvas, 1);
    connect(m_status, &CMapStatusBar::clearRequested, m_canvas, &CMapCanvas::Clear);
    connect(m_canvas, &CMapCanvas::preferencesRequested, this, [this] { EditPreferences(); });
    connect(m_canvas, &CMapCanvas::scaleChanged, this, [this](double scale) { StoreScale(scale); });
    // The view frame offers the view's actions in its window menu.
    addAction(m_export);
    connect(m_export, &QAction::triggered, this, [this] { ExportTrack(); });
    m_cepRefresh.setSingleShot(true);
    m_cepRefresh.setInterval(kCepRefreshMs);
    connect(&m_cepRefresh, &QTimer::timeout, this, [this] { UpdateCepCircles(); });
    Restart();
}

void CMapView::OnUpdate(UpdateHint hint, const CMessageRecord* record)
{
    if (hint == UpdateHint::Restarted) {
        Restart();
    } else if (hint == UpdateHint::SourceEnded) {
        if (const ReceiverEpoch* epoch = m_receiver.Finish()) {
            ShowEpoch(*epoch);
        }
    } else if (hint == UpdateHint::Opening) {
        m_receiver.Reset();
        m_canvas->Clear();
        m_newestFix.reset();
        UpdateCepCircles();
    } else if (hint == UpdateHint::Record && record != nullptr) {
        if (record->type == MID_SWVersion) {
            const std::string_view version(record->swVersion.version, sizeof record->swVersion.version);
            setWindowTitle(QString::fromLatin1(FormatText("Map View (SW Version: %s)", {version})));
        }
        if (const ReceiverEpoch* epoch = m_receiver.Take(*record)) {
            ShowEpoch(*epoch);
        }
    }
}

void CMapView::ShowEpoch(const ReceiverEpoch& epoch)
{
    if (epoch.truth) {
        if (epoch.binaryNav || epoch.position) {
            m_canvas->AddTrue(ShowPosition(epoch));
        }
        return;
    }
    m_status->ShowFix(FixTextsOf(epoch, m_protocol.generation));
    // A binary epoch is plotted even without a position, as the receiver sent it.
    if (!epoch.binaryNav && !epoch.position) {
        return;
    }
    m_canvas->AddMeasured(ShowPosition(epoch));
    if (epoch.HasFix()) {
        const EpochPosition& at = *epoch.position;
        m_newestFix = FixPosition{at.latitude, at.longitude, at.heightEllipsoid.value_or(at.altitudeMsl.value_or(0.0))};
        if (m_preferences.cepCircles && !m_cepRefresh.isActive()) {
            m_cepRefresh.start();
        }
    }
}

void CMapView::EditPreferences()
{
    CMapPreferencesDialog dialog(m_ui, m_preferences, m_newestFix);
    if (m_ui.RunDialog(dialog)) {
        SavePreferences(m_profile, dialog.Preferences());
        if (const std::optional<FixPosition>& reference = dialog.Reference()) {
            SaveAccuracyReference(m_profile, {reference->latitude, reference->longitude, reference->height});
            // The figures are measured against it from now on.
            m_recorder.OnUpdate(UpdateHint::Restarted, nullptr);
        }
        OnUpdate(UpdateHint::Restarted, nullptr);
    }
}

void CMapView::ExportTrack()
{
    if (m_recorder.TrackSize() == 0) {
        // A track that could not be kept says why, not that nothing came.
        const std::string& problem = m_recorder.Collector().TrackProblem();
        m_ui.MessageBox(problem.empty() ? "No fixes to export: none has arrived since the data source opened." : problem,
                        BoxButtons::Ok, BoxIcon::Warning);
        return;
    }
    FileChooser chooser;
    chooser.mode = FileChooser::Mode::Save;
    chooser.title = "Export Track";
    chooser.filter = kTrackFilter;
    chooser.defaultName = "track.gpx";
    const std::string path = m_ui.ChooseFile(chooser);
    if (path.empty()) {
        return;
    }
    if (std::string problem; !kestrion::ExportTrack(path, m_recorder, problem)) {
        m_ui.MessageBox(problem, BoxButtons::Ok, BoxIcon::Warning);
    }
}

void CMapView::UpdateCepCircles()
{
    m_cepRefresh.stop();
    CepCircles circles;
    if (m_preferences.cepCircles) {
        const AccuracyFigures figures = m_recorder.Figures();
        if (figures.kind == ReferenceKind::Fixed && figures.count > 0 &&
            IsMapOrigin(m_frame, figures.reference.latitude, figures.reference.longitude)) {
            circles = CepCirclesOf(figures.cep50, figures.cep95, m_frame.pixelsPerMetre);
        }
    }
    m_canvas->SetCepCircles(circles);
}

void CMapView::Restart()
{
    m_preferences = LoadPreferences(m_profile);
    m_frame = {1.0 / m_preferences.scale, m_preferences.latitude, m_preferences.longitude};
    m_canvas->Reset(m_frame.pixelsPerMetre, m_preferences.ringRadii, m_preferences.centreOnCurrent);
    UpdateCepCircles();
}

void CMapView::StoreScale(double metresPerPixel)
{
    m_preferences.scale = metresPerPixel;
    m_frame.pixelsPerMetre = 1.0 / metresPerPixel;
    Settings settings;
    settings.LoadMapView(m_profile);
    settings.mapScale = metresPerPixel;
    settings.SaveMapView(m_profile);
    UpdateCepCircles();
}

GroundPoint CMapView::ShowPosition(const ReceiverEpoch& epoch)
{
    m_status->ShowPosition(PositionTextsOf(epoch));
    return GroundOf(m_frame, MapPositionOf(epoch));
}

}  // namespace kestrion
