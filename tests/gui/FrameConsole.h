#pragma once
// The console's main frame on a settings file in a temporary folder, its user played by a
// script; timer events are fired by hand.
#include <memory>
#include <string>

#include <QAction>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QTimerEvent>

#include "support/QtTestApp.h"
#include "support/ScriptedUi.h"
#include "support/TempFolder.h"
#include "gui/MainFrame.h"
#include "gui/SystemClock.h"
#include "gui/ViewFrame.h"
#include "transport/StdRandom.h"

namespace kestrion::test {

inline constexpr const char* kRandomIni = "[Data Sources]\nDataSource=0\n";

class CFrameConsole {
public:
    explicit CFrameConsole(const std::string& ini = kRandomIni) : m_ini(m_folder.Path() / "kestrion-demo.ini")
    {
        TestApplication();
        // Closing the frame must not end the test program's event loops.
        QGuiApplication::setQuitOnLastWindowClosed(false);
        WriteText(m_ini, ini);
        frame = std::make_unique<CMainFrame>(CProfile(m_ini), ui, m_clock, m_random);
        frame->show();
    }

    CProfile Profile() const { return CProfile(m_ini); }
    std::string IniText() const { return ReadText(m_ini); }
    std::filesystem::path File(const std::string& name) const { return m_folder.Path() / name; }

    // One event of every running timer, and the frame's turn after them.
    void Tick()
    {
        for (const unsigned id : frame->SystemTimers().Running()) {
            QTimerEvent event(static_cast<int>(id));
            QCoreApplication::sendEvent(&frame->SystemTimers(), &event);
        }
        QCoreApplication::sendPostedEvents(frame.get(), QEvent::MetaCall);
    }
    bool Enabled(int id) const { return frame->Action(id)->isEnabled(); }
    bool Checked(int id) const { return frame->Action(id)->isChecked(); }
    CViewFrame* View(int slot) const { return frame->ViewFrame(slot); }
    // Opens the log on a new file.
    void OpenLog()
    {
        WriteText(File("test.gps"), "");
        frame->Engine().Log().OpenFile(File("test.gps").string());
    }

private:
    CTempFolder m_folder;
    std::filesystem::path m_ini;
    CSystemClock m_clock;
    CStdRandom m_random{7};

public:
    fakes::CScriptedUi ui;
    std::unique_ptr<CMainFrame> frame;
};

}  // namespace kestrion::test
