#pragma once
// The console's main window with its data source open on a simulated receiver, its settings in a scratch folder that
// goes with it, its user a CPictureUi; the event loop runs in real time.
#include <filesystem>
#include <memory>
#include <string>

#include "PictureUi.h"
#include "SimulatedReceiver.h"
#include "gui/MainFrame.h"
#include "gui/SystemClock.h"
#include "platform/PortDeviceFactory.h"
#include "transport/StdRandom.h"

namespace kestrion {

class CLiveWindow {
public:
    // The settings: the receiver's port at 38400 baud, then extraIni.
    CLiveWindow(const std::string& extraIni, const SimConfig& config = {},
                CSimulatedReceiver::Link link = CSimulatedReceiver::Link::Pty);
    ~CLiveWindow();
    CLiveWindow(const CLiveWindow&) = delete;
    CLiveWindow& operator=(const CLiveWindow&) = delete;

    CMainFrame& Frame() { return *m_frame; }
    CPictureUi& Ui() { return m_ui; }
    // A file in the scratch folder.
    std::filesystem::path File(const std::string& name) const { return m_folder / name; }

    // Runs the event loop for this long.
    static void RunFor(int ms);

private:
    std::filesystem::path m_folder;
    CSimulatedReceiver m_receiver;
    CSystemClock m_clock;
    CPortDeviceFactory m_serialDevices;
    CStdRandom m_random;
    CPictureUi m_ui;
    std::unique_ptr<CMainFrame> m_frame;
};

}  // namespace kestrion
