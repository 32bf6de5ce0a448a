#pragma once
// The engine on a simulated receiver behind a scripted port, both on one virtual clock, its
// user played by a script: seconds of the receiver run in milliseconds.
#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>

#include "support/ReceiverIni.h"
#include "support/ScriptedReceiver.h"
#include "support/ScriptedUi.h"
#include "support/TempFolder.h"
#include "app/Engine.h"
#include "platform/LoopTimers.h"
#include "transport/StdRandom.h"

namespace kestrion::test {

class CScriptedConsole : private ITimerDispatch {
public:
    explicit CScriptedConsole(const SimConfig& config, const std::string& extraIni = {})
        : m_ini(m_folder.Path() / "kestrion-demo.ini"), receiver(config)
    {
        WriteText(m_ini, ReceiverIni(receiver.Path()) + extraIni);
        engine = std::make_unique<CEngine>(CProfile(m_ini), ui, m_timers, m_timers, receiver.Devices(), m_random);
        m_timers.SetDispatch(*this);
        engine->CreateDocument();
        engine->ToggleDataSource();
    }
    ~CScriptedConsole() override
    {
        if (engine->DataSourceOpen()) {
            engine->ToggleDataSource();
        }
    }
    CScriptedConsole(const CScriptedConsole&) = delete;
    CScriptedConsole& operator=(const CScriptedConsole&) = delete;

    // Runs the loop for this long on the virtual clock.
    void Run(double seconds)
    {
        const int64_t limit = NowMs() + static_cast<int64_t>(seconds * 1000);
        while (engine->DataSourceOpen()) {
            engine->ProcessPostedMessages();
            if (!m_timers.RunNext(limit)) {
                break;
            }
        }
        engine->ProcessPostedMessages();
    }
    // The loop's clock; the port's waits may have taken the receiver ahead of it, which the
    // loop then catches up with, as a loop runs its late timers.
    int64_t NowMs() { return std::max(m_timers.ElapsedMs(), receiver.NowMs()); }
    CProfile Profile() const { return CProfile(m_ini); }
    std::filesystem::path File(const std::string& name) const { return m_folder.Path() / name; }

private:
    // Each timer event comes after the receiver has run to its time.
    void Dispatch(unsigned systemTimerId) override
    {
        receiver.AdvanceTo(m_timers.ElapsedMs());
        engine->TimerService().Dispatch(systemTimerId);
    }

    // Declared first: the engine goes before its timers, port and settings file.
    CTempFolder m_folder;
    std::filesystem::path m_ini;
    CLoopTimers m_timers{CLoopTimers::Mode::Virtual, 1700000000};
    CStdRandom m_random{5};

public:
    CScriptedReceiver receiver;
    fakes::CScriptedUi ui;
    std::unique_ptr<CEngine> engine;
};

}  // namespace kestrion::test
