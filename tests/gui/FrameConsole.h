#pragma once
// The console's main frame on a settings file in a temporary folder, its user played by a
// script; timer events are fired by hand. Serial ports open the devices the test gives, by
// default the program's own.
#include <algorithm>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include <QAbstractEventDispatcher>
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
#include "platform/PortDeviceFactory.h"
#include "transport/StdRandom.h"

namespace kestrion::test {

inline constexpr const char* kRandomIni = "[Data Sources]\nDataSource=0\n";

class CFrameConsole {
public:
    explicit CFrameConsole(const std::string& ini = kRandomIni, ISerialDeviceFactory* devices = nullptr)
        : m_ini(m_folder.Path() / "kestrion-demo.ini")
    {
        TestApplication();
        // Closing the frame must not end the test program's event loops.
        QGuiApplication::setQuitOnLastWindowClosed(false);
        WriteText(m_ini, ini);
        frame = std::make_unique<CMainFrame>(CProfile(m_ini), ui, m_clock, devices != nullptr ? *devices : m_devices,
                                             m_random);
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
    // Runs the frame's timers for ms on a virtual clock, each at its own period, with the
    // frame's turn after each event; before an event `beforeEvent` gets the clock's time.
    void RunVirtual(int64_t ms, const std::function<void(int64_t nowMs)>& beforeEvent = {})
    {
        const int64_t end = m_virtualMs + ms;
        for (;;) {
            std::map<int, int64_t> due;
            const auto* dispatcher = QAbstractEventDispatcher::instance();
            for (const QAbstractEventDispatcher::TimerInfo& timer : dispatcher->registeredTimers(&frame->SystemTimers())) {
                const auto known = m_dueMs.find(timer.timerId);
                due[timer.timerId] = known != m_dueMs.end() ? known->second : m_virtualMs + timer.interval;
                m_periodMs[timer.timerId] = timer.interval;
            }
            m_dueMs = due;  // stopped timers are forgotten
            const auto next = std::min_element(due.begin(), due.end(),
                                               [](const auto& a, const auto& b) { return a.second < b.second; });
            if (next == due.end() || next->second > end) {
                break;
            }
            m_virtualMs = next->second;
            m_dueMs[next->first] = m_virtualMs + std::max(m_periodMs[next->first], 1);
            if (beforeEvent) {
                beforeEvent(m_virtualMs);
            }
            QTimerEvent event(next->first);
            QCoreApplication::sendEvent(&frame->SystemTimers(), &event);
            QCoreApplication::sendPostedEvents(frame.get(), QEvent::MetaCall);
        }
        m_virtualMs = end;
    }
    int64_t VirtualMs() const { return m_virtualMs; }
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
    CPortDeviceFactory m_devices;
    CStdRandom m_random{7};
    int64_t m_virtualMs = 0;
    std::map<int, int64_t> m_dueMs;  // by Qt's timer id: when it fires next on the virtual clock
    std::map<int, int> m_periodMs;

public:
    fakes::CScriptedUi ui;
    std::unique_ptr<CMainFrame> frame;
};

}  // namespace kestrion::test
