#pragma once
// The console's top-level window: the MDI frame with the menus and the toolbar of the command
// table, the view slots and their frames, the timers on Qt, and the engine behind them. Every
// command arrives here and is routed to the frame itself, the engine or the receiver.
#include <array>
#include <memory>
#include <vector>

#include <QMainWindow>

#include "app/Engine.h"
#include "gui/OpenViews.h"
#include "gui/QtSystemTimers.h"
#include "gui/ViewFactory.h"

class QLabel;
class QMdiArea;

namespace kestrion {

class CCommandActions;
class CPlaybackBar;
class CViewFrame;

class CMainFrame : public QMainWindow {
    Q_OBJECT

public:
    CMainFrame(CProfile profile, IUserInterface& ui, const IClock& clock, ISerialDeviceFactory& serialDevices,
               IRandomGenerator& generator, QWidget* parent = nullptr);
    ~CMainFrame() override;

    // Shows the frame where the last run left it (the first time filling the screen's work
    // area) and runs the data source setup.
    void Start();

    // Carries out a command of the table if it is enabled, as its menu item does.
    void RunCommand(int id);
    // Shows or hides the view of a slot; force shows it in any case.
    void ToggleViewSlot(int slot, bool force);
    // The update rules' state: the engine's and the views'.
    FrameState State() const;

    CEngine& Engine() { return *m_engine; }
    QAction* Action(int id) const;
    // The picture number a toolbar command shows.
    int ToolbarImage(int id) const;
    CViewFrame* ViewFrame(int slot) const { return m_viewFrames[static_cast<size_t>(slot)]; }
    QMdiArea& MdiArea() { return *m_mdiArea; }
    const COpenViews& OpenViews() const { return m_openViews; }
    CQtSystemTimers& SystemTimers() { return m_timers; }
    // What the status bar says.
    QString StatusText() const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // After every timer event and command: the engine's queued messages, the NMEA arrangement,
    // the command marks and pictures, the caption.
    void AfterTurn();
    // AfterTurn once the timer event has been handled: Qt does not fire a timer again while its
    // event is handled, so a dialog that a posted message opens there would stop the receive poll.
    void QueueTurn();
    void UpdateCommands();
    void RunFrameCommand(int id);
    void SetUpDataSource();
    void RunPreferences();
    void CloseAllViews();
    void ArrangeIcons();
    // Every shown view in rows that fill the area; the last views (by slot) that do not fit are
    // minimised, and the status bar says so.
    void TileViews();
    void CascadeViews();
    void ScrollToOrigin();
    // The shown views that are not minimised, made normal, the area scrolled back to its origin.
    std::vector<CViewFrame*> ArrangedViews();
    // A new view without a stored placement: at its natural size where it covers the others least.
    void PlaceNewView(CViewFrame& frame);
    // Whether a view listed as open has a placement stored.
    bool AnyOpenViewPlaced() const;
    void UpdateStatus();
    // Once per run, at the first NMEA sentence.
    void ArrangeForNmea();
    CViewFrame* CreateViewFrame(int slot);
    void CloseRequested(CViewFrame* frame);
    void DropViewFrames();
    bool AnyViewExists() const;
    void RestorePlacement();
    void SavePlacement() const;

    CProfile m_profile;
    IUserInterface& m_ui;
    CQtSystemTimers m_timers;
    std::unique_ptr<CEngine> m_engine;
    COpenViews m_openViews;
    QMdiArea* m_mdiArea = nullptr;
    CCommandActions* m_actions = nullptr;
    QLabel* m_status = nullptr;
    CPlaybackBar* m_playbackBar = nullptr;
    std::array<CViewFrame*, kViewSlots> m_viewFrames{};
    // The data source setup offers no Cancel the first time.
    bool m_firstOpening = true;
    bool m_nmeaArranged = false;
    bool m_turnQueued = false;
};

}  // namespace kestrion
