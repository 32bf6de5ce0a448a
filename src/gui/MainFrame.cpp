#include "gui/MainFrame.h"

#include <algorithm>

#include <QCloseEvent>
#include <QLabel>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMenuBar>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>

#include "gui/AboutBox.h"
#include "gui/CommandActions.h"
#include "gui/FreeSpot.h"
#include "gui/LayoutBoxQt.h"
#include "gui/PlaybackBar.h"
#include "gui/ViewFrame.h"
#include "gui/WaitCursor.h"
#include "gui/WindowArrangement.h"
#include "gui/WindowPlacement.h"
#include "dialogs/DataSourceSetup.h"
#include "dialogs/PreferencesDialog.h"
#include "dialogs/widgets/QtText.h"
#include "platform/SerialPorts.h"
#include "platform/Version.h"
#include "transport/FeedEvents.h"

namespace kestrion {
namespace {

constexpr const char* kPlacementSection = "Main";
// How long the status bar says that not all views fit.
constexpr int kTileNoteMs = 20000;
// The window in its normal state when nothing says where: most of the work area, centred.
constexpr int kRestoredPercent = 80;

}  // namespace

CMainFrame::CMainFrame(CProfile profile, IUserInterface& ui, const IClock& clock,
                       ISerialDeviceFactory& serialDevices, IRandomGenerator& generator, QWidget* parent)
    : QMainWindow(parent),
      m_profile(profile),
      m_ui(ui),
      m_timers([this](unsigned systemTimerId) {
          m_engine->TimerService().Dispatch(systemTimerId);
          QueueTurn();
      }),
      m_engine(std::make_unique<CEngine>(std::move(profile), ui, m_timers, clock, serialDevices, generator)),
      m_openViews(m_profile)
{
    m_engine->SetShowView([this](int slot) { ToggleViewSlot(slot, true); });
    m_engine->SetDocumentClosed([this] { DropViewFrames(); });

    m_mdiArea = new QMdiArea(this);
    // A view partly outside the area is scrolled to.
    m_mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_mdiArea);
    QToolBar* toolBar = addToolBar("Toolbar");
    toolBar->setObjectName("toolbar");
    toolBar->setMovable(false);
    toolBar->setFloatable(false);
    m_actions = new CCommandActions(*menuBar(), *toolBar, [this](int id) { RunCommand(id); },
                                    [this] { UpdateCommands(); });
    m_status = new QLabel(this);
    statusBar()->addWidget(m_status);
    m_playbackBar = new CPlaybackBar(*m_engine, [this] { AfterTurn(); }, this);
    addToolBar(m_playbackBar);
    setWindowTitle(kProgramTitle);
    RestorePlacement();
    UpdateCommands();
}

CMainFrame::~CMainFrame()
{
    // The view frames' placements and the frame's own go to the file in one write.
    const CProfileSave save(m_profile);
    // Stops the feeds and closes the document, which takes the view frames with it.
    m_engine.reset();
    SavePlacement();
}

void CMainFrame::Start()
{
    show();
    // Inside the event loop, so that the frame is painted under the dialog.
    QTimer::singleShot(0, this, [this] { RunCommand(ID_DATA_SOURCE_SETUP); });
}

void CMainFrame::RunCommand(int id)
{
    const CommandInfo* command = FindCommand(id);
    if (command == nullptr || !IsEnabled(*command, State())) {
        UpdateCommands();
        return;
    }
    if (const int slot = SlotOfViewCommand(id); slot >= 0) {
        ToggleViewSlot(slot, false);
    } else if (command->handler == Handler::Frame) {
        RunFrameCommand(id);
    } else {
        const CWaitCursor wait;
        m_engine->Execute(id);
        if (id == ID_OPEN_DATA_SOURCE) {
            m_playbackBar->Refresh();  // a recording opened plays at the stored speed from its start
        }
    }
    AfterTurn();
}

void CMainFrame::RunFrameCommand(int id)
{
    switch (id) {
    case ID_DATA_SOURCE_SETUP: SetUpDataSource(); break;
    case ID_PREFERENCES: RunPreferences(); break;
    case ID_APP_ABOUT: MakeAboutBox(this)->exec(); break;
    case ID_APP_EXIT: close(); break;
    case ID_WINDOW_CASCADE: CascadeViews(); break;
    case ID_WINDOW_TILE: TileViews(); break;
    case ID_WINDOW_ARRANGE: ArrangeIcons(); break;
    case ID_CLOSE_ALL: CloseAllViews(); break;
    default: break;
    }
}

void CMainFrame::QueueTurn()
{
    if (!m_turnQueued) {
        m_turnQueued = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                m_turnQueued = false;
                AfterTurn();
            },
            Qt::QueuedConnection);
    }
}

void CMainFrame::AfterTurn()
{
    m_engine->ProcessPostedMessages();
    if (m_engine->NmeaViewsArranged() && !m_nmeaArranged) {
        m_nmeaArranged = true;
        ArrangeForNmea();
    }
    UpdateCommands();
    const QString title = ToQt(m_engine->Title());
    if (!title.isEmpty() && title != windowTitle()) {
        setWindowTitle(title);
    }
}

FrameState CMainFrame::State() const
{
    FrameState state = m_engine->State();
    for (size_t slot = 0; slot < m_viewFrames.size(); ++slot) {
        state.viewExists[slot] = m_viewFrames[slot] != nullptr;
        state.viewVisible[slot] = m_viewFrames[slot] != nullptr && !m_viewFrames[slot]->isHidden();
    }
    return state;
}

void CMainFrame::UpdateCommands()
{
    m_actions->Update(State());
    m_actions->SetImage(ID_OPEN_DATA_SOURCE, m_engine->OpenSourceImage());
    m_actions->SetImage(ID_PAUSE_DISPLAY, m_engine->PauseImage());
    UpdateStatus();
}

void CMainFrame::UpdateStatus()
{
    QString text = ToQt(m_engine->ActivityText());
    if (!m_engine->State().sourceOpen) {
        const QString key = Action(ID_OPEN_DATA_SOURCE)->shortcut().toString(QKeySequence::NativeText);
        text += QStringLiteral("%1Press Open Data Source (%2the \u25B6 button) to start")
                    .arg(text.isEmpty() ? QString() : QStringLiteral(" | "),
                         key.isEmpty() ? QString() : key + QStringLiteral(" or "));
    }
    if (m_status->text() != text) {
        m_status->setText(text);
    }
}

QString CMainFrame::StatusText() const
{
    return m_status->text();
}

QAction* CMainFrame::Action(int id) const
{
    return m_actions->Action(id);
}

int CMainFrame::ToolbarImage(int id) const
{
    return m_actions->Image(id);
}

void CMainFrame::ToggleViewSlot(int slot, bool force)
{
    if (slot < 0 || slot >= kViewSlots) {
        return;
    }
    CViewFrame*& frame = m_viewFrames[static_cast<size_t>(slot)];
    const bool show = frame == nullptr || frame->isHidden() || force;
    const bool created = frame == nullptr;
    if (created) {
        if (m_engine->CurrentDocument() == nullptr) {
            m_engine->CreateDocument();
        }
        frame = CreateViewFrame(slot);
    }
    if (show) {
        if (!frame->ShowRestored() && created) {
            PlaceNewView(*frame);
        }
        m_mdiArea->setActiveSubWindow(frame);
    } else {
        frame->HideView();
    }
    m_openViews.Set(slot, show);
}

CViewFrame* CMainFrame::CreateViewFrame(int slot)
{
    const ViewHooks hooks{[this] { RunCommand(ID_PREFERENCES); },
                          [this, slot](int width) {
                              if (CViewFrame* frame = ViewFrame(slot)) {
                                  frame->SetMinimumTrackWidth(width);
                              }
                          }};
    MadeView made = MakeView(slot, *m_engine, m_ui, hooks);
    IDocumentView& view = *made.view;
    auto* frame = new CViewFrame(made.widget.release(), m_profile,
                                 std::string(kViewSlotTable[static_cast<size_t>(slot)].placementSection), m_ui,
                                 made.sizes);
    m_mdiArea->addSubWindow(frame);
    connect(frame, &CViewFrame::closeRequested, this, [this, frame] { CloseRequested(frame); });
    m_engine->CurrentDocument()->AddView(view);
    return frame;
}

void CMainFrame::CloseRequested(CViewFrame* frame)
{
    const auto found = std::find(m_viewFrames.begin(), m_viewFrames.end(), frame);
    if (found == m_viewFrames.end()) {
        return;
    }
    ToggleViewSlot(static_cast<int>(found - m_viewFrames.begin()), false);
    AfterTurn();
}

void CMainFrame::CloseAllViews()
{
    // Only the shown views: a close request to a hidden one would show it again.
    for (CViewFrame* frame : m_viewFrames) {
        if (frame != nullptr && !frame->isHidden()) {
            frame->close();
        }
    }
}

void CMainFrame::DropViewFrames()
{
    for (CViewFrame*& frame : m_viewFrames) {
        delete frame;
        frame = nullptr;
    }
}

bool CMainFrame::AnyViewExists() const
{
    return std::any_of(m_viewFrames.begin(), m_viewFrames.end(), [](const CViewFrame* frame) { return frame != nullptr; });
}

void CMainFrame::ArrangeIcons()
{
    // Minimised views in a row along the bottom of the area.
    int left = 0;
    for (QMdiSubWindow* window : m_mdiArea->subWindowList()) {
        if (window->isMinimized() && !window->isHidden()) {
            window->move(left, m_mdiArea->viewport()->height() - window->height());
            left += window->width();
        }
    }
}

void CMainFrame::ScrollToOrigin()
{
    m_mdiArea->horizontalScrollBar()->setValue(0);
    m_mdiArea->verticalScrollBar()->setValue(0);
}

std::vector<CViewFrame*> CMainFrame::ArrangedViews()
{
    ScrollToOrigin();
    std::vector<CViewFrame*> views;
    for (QMdiSubWindow* window : m_mdiArea->subWindowList()) {
        auto* view = qobject_cast<CViewFrame*>(window);
        if (view == nullptr || view->isHidden() || view->isMinimized()) {
            continue;
        }
        if (view->isMaximized()) {
            view->showNormal();
        }
        views.push_back(view);
    }
    return views;
}

void CMainFrame::TileViews()
{
    ScrollToOrigin();
    std::vector<CViewFrame*> views;
    std::vector<TiledWindow> windows;
    for (CViewFrame* view : m_viewFrames) {
        if (view != nullptr && !view->isHidden()) {
            views.push_back(view);
            windows.push_back({ToExtent(view->ArrangedMinimum()), ToExtent(view->NaturalSize())});
        }
    }
    if (views.empty()) {
        return;
    }
    // The area without scroll bars: tiles that fit need none.
    const Tiling tiling =
        TileWindows(windows, ToExtent(m_mdiArea->maximumViewportSize()), ToExtent(views.front()->IconSize()));
    for (size_t i = 0; i < views.size(); ++i) {
        const Box& box = tiling.boxes[i];
        if (i < tiling.tiled) {
            if (views[i]->isMinimized() || views[i]->isMaximized()) {
                views[i]->showNormal();
            }
            views[i]->setGeometry(ToQRect(box));
        } else {
            views[i]->showMinimized();
            views[i]->move(box.left, box.Bottom() - views[i]->height());
        }
    }
    if (tiling.tiled < views.size()) {
        statusBar()->showMessage(QStringLiteral("Only %1 of the %2 views fit in the window at a readable size; the "
                                                "others are minimised. Enlarge the window and choose Tile again.")
                                     .arg(tiling.tiled)
                                     .arg(views.size()),
                                 kTileNoteMs);
    } else {
        statusBar()->clearMessage();
    }
}

void CMainFrame::PlaceNewView(CViewFrame& frame)
{
    const QSize area = m_mdiArea->viewport()->size();
    const QSize size = frame.NaturalSize().boundedTo(area).expandedTo(frame.ArrangedMinimum());
    std::vector<Box> others;
    for (QMdiSubWindow* window : m_mdiArea->subWindowList()) {
        if (window != &frame && !window->isHidden() && !window->isMinimized()) {
            others.push_back(ToBox(window->geometry()));
        }
    }
    frame.setGeometry(ToQRect(FindFreeSpot(ToExtent(size), ToExtent(area), others)));
}

bool CMainFrame::AnyOpenViewPlaced() const
{
    for (int slot = 0; slot < kViewSlots; ++slot) {
        if (m_openViews.IsOpen(slot) &&
            LoadPlacement(m_profile, kViewSlotTable[static_cast<size_t>(slot)].placementSection).has_value()) {
            return true;
        }
    }
    return false;
}

void CMainFrame::CascadeViews()
{
    const std::vector<CViewFrame*> views = ArrangedViews();
    std::vector<Extent> sizes;
    for (const CViewFrame* view : views) {
        sizes.push_back(ToExtent(view->NaturalSize()));
    }
    const int step = style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this) + 4;
    const std::vector<Box> boxes = CascadeBoxes(sizes, step);
    for (size_t i = 0; i < views.size(); ++i) {
        views[i]->setGeometry(ToQRect(boxes[i]));
        views[i]->raise();
    }
}

void CMainFrame::SetUpDataSource()
{
    CDataSourceSetup dialog(m_ui, m_profile, m_firstOpening, ListSerialPorts(),
                            [this] { m_engine->Services().RefreshTitle(); });
    if (!m_ui.RunDialog(dialog)) {
        return;
    }
    if (m_engine->CurrentDocument() != nullptr && AnyViewExists()) {
        m_engine->ProcessPostedMessages();
    }
    // The new document reads the new settings; the old one closes with its views, which store
    // their placements.
    m_engine->CreateDocument();
    const bool placed = AnyOpenViewPlaced();
    for (int slot = 0; slot < kViewSlots; ++slot) {
        if (m_openViews.IsOpen(slot)) {
            ToggleViewSlot(slot, false);
        }
    }
    // Views that have never been placed are laid out for the window.
    if (!placed) {
        TileViews();
    }
}

void CMainFrame::RunPreferences()
{
    CPreferencesDialog dialog(m_ui, m_profile);
    if (m_ui.RunDialog(dialog)) {
        m_engine->SendFrameMessage(FrameMessage::FeedRefresh);
    }
}

void CMainFrame::ArrangeForNmea()
{
    m_openViews.Load();
    const std::string listed = m_openViews.Text();
    for (int slot = 0; slot < kViewSlots; ++slot) {
        if (listed[static_cast<size_t>(slot)] != '1' || slot == kMapSlot || slot == kDevelopmentSlot) {
            continue;
        }
        if (slot == kNavigationSlot) {
            ToggleViewSlot(slot, true);  // NMEA epochs fill it: it stays in view
            continue;
        }
        ToggleViewSlot(slot, false);
        ToggleViewSlot(slot, false);
    }
    ToggleViewSlot(kDevelopmentSlot, true);
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    if (m_engine->Log().IsOpen()) {
        if (m_ui.MessageBox("Exiting will close the log file.  Do you wish to exit?", BoxButtons::YesNo,
                            BoxIcon::Question) != BoxAnswer::Yes) {
            event->ignore();
            return;
        }
        m_engine->Log().Close();
    }
    event->accept();
}

void CMainFrame::RestorePlacement()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect available = screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1024, 720);
    // Placed by the program, not the window manager, so that the first dialog is centred on
    // where the frame really is.
    const QSize size = available.size() * kRestoredPercent / 100;
    setGeometry(QRect(available.center() - QPoint(size.width() / 2, size.height() / 2), size));
    const std::optional<WindowPlacement> placement = LoadPlacement(m_profile, kPlacementSection);
    if (!placement) {
        setWindowState(Qt::WindowMaximized);  // the first start fills the work area
        return;
    }
    const QRect normal = NormalGeometry(*placement);
    // A rectangle on a screen that is no longer there keeps the size on the primary screen.
    if (!normal.isEmpty() && QGuiApplication::screenAt(normal.center()) != nullptr) {
        setGeometry(normal);
    } else if (!normal.isEmpty()) {
        resize(normal.size().boundedTo(available.size()));
    }
    if (placement->showCmd == WindowPlacement::kShowMinimized) {
        setWindowState(Qt::WindowMinimized);
    } else if (placement->showCmd == WindowPlacement::kShowMaximized) {
        setWindowState(Qt::WindowMaximized);
    }
}

void CMainFrame::SavePlacement() const
{
    QRect normal = normalGeometry();
    if (normal.isEmpty()) {
        normal = geometry();
    }
    kestrion::SavePlacement(m_profile, kPlacementSection, PlacementOf(normal, windowState()));
}

}  // namespace kestrion
