#pragma once
// A simulated receiver on a pseudo-terminal (or served over TCP on 127.0.0.1), served on a
// thread of its own, and the engine on the other end in real time: the commands' bytes on the
// wire are the simulator's trace.
#include <atomic>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "support/HeardTrace.h"
#include "support/ReceiverIni.h"
#include "support/ScriptedUi.h"
#include "support/TempFolder.h"
#include "app/Engine.h"
#include "platform/LoopTimers.h"
#include "platform/PortDeviceFactory.h"
#include "sim/ReceiverServer.h"
#include "sim/TcpEndpoint.h"
#include "transport/StdRandom.h"

namespace kestrion::test {

class CLiveReceiver {
public:
    enum class Link { Pty, Tcp };

    explicit CLiveReceiver(const SimConfig& config, Link link = Link::Pty) : m_model(config, SteadyNowMs())
    {
        std::string error;
        if (link == Link::Tcp) {
            error = m_tcp.Open("tcp://127.0.0.1:0", SteadyNowMs());
            m_path = m_tcp.Address();
        } else if (m_pty.Open(config.baud, SteadyNowMs(), error)) {
            error.clear();
            m_path = m_pty.SlavePath();
        }
        if (!error.empty()) {
            throw std::runtime_error(error);
        }
        IReceiverEndpoint& endpoint = link == Link::Tcp ? static_cast<IReceiverEndpoint&>(m_tcp) : m_pty;
        m_model.SetTrace([this](std::string_view line) { m_trace.Add(line, SteadyNowMs()); });
        m_thread = std::thread([this, &endpoint] { ServeReceiver(endpoint, m_model, m_stop); });
    }
    ~CLiveReceiver()
    {
        m_stop = true;
        m_thread.join();
    }
    CLiveReceiver(const CLiveReceiver&) = delete;
    CLiveReceiver& operator=(const CLiveReceiver&) = delete;

    // The pseudo-terminal's slave, or "tcp://127.0.0.1:PORT".
    const std::string& Path() const { return m_path; }
    // What the receiver heard at its baud rate: frames in hexadecimal, sentences as text.
    std::vector<std::string> Heard() { return m_trace.Lines(); }
    // When the receiver heard the lines that begin with the prefix, in ms of the steady clock.
    std::vector<int64_t> HeardAt(std::string_view prefix) { return m_trace.TimesOf(prefix); }

private:
    CPtyEndpoint m_pty;
    CTcpEndpoint m_tcp;
    std::string m_path;
    CReceiverModel m_model;
    std::atomic<bool> m_stop{false};
    CHeardTrace m_trace;
    std::thread m_thread;
};

// The engine on a live simulated receiver, its user played by a script.
class CLiveConsole {
public:
    CLiveConsole(const SimConfig& config, const std::string& extraIni = {})
        : m_ini(m_folder.Path() / "kestrion-demo.ini"), receiver(config)
    {
        WriteText(m_ini, ReceiverIni(receiver.Path()) + extraIni);
        engine = std::make_unique<CEngine>(CProfile(m_ini), ui, m_timers, m_timers, m_devices, m_random);
        m_timers.SetDispatch(engine->TimerService());
        engine->CreateDocument();
        engine->ToggleDataSource();
    }
    ~CLiveConsole()
    {
        if (engine->DataSourceOpen()) {
            engine->ToggleDataSource();
        }
    }

    // Runs the loop for this long in real time.
    void Run(double seconds)
    {
        const int64_t limit = m_timers.ElapsedMs() + static_cast<int64_t>(seconds * 1000);
        while (engine->DataSourceOpen()) {
            engine->ProcessPostedMessages();
            if (!m_timers.RunNext(limit)) {
                break;
            }
        }
        engine->ProcessPostedMessages();
    }
    // Milliseconds of the loop's clock, the steady one.
    int64_t NowMs() const { return m_timers.ElapsedMs(); }
    CProfile Profile() const { return CProfile(m_ini); }
    std::filesystem::path File(const std::string& name) const { return m_folder.Path() / name; }

private:
    // Declared first: the engine goes before its timers and settings file.
    CTempFolder m_folder;
    std::filesystem::path m_ini;
    CLoopTimers m_timers{CLoopTimers::Mode::Real, std::time(nullptr)};
    CPortDeviceFactory m_devices;
    CStdRandom m_random;

public:
    CLiveReceiver receiver;
    fakes::CScriptedUi ui;
    std::unique_ptr<CEngine> engine;
};

}  // namespace kestrion::test
