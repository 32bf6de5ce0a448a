#pragma once
// The simulated receiver behind a scripted port, on virtual time: what the port writes
// reaches the receiver model at once, at the baud the port opened with, and the model's
// output is paced at its own baud as the clock is advanced. Each advance waits until the
// port's reader has taken what it brought, so the port's next tick sees it; the port's own
// waits advance the clock too. The commands' bytes on the wire are the model's trace.
#include <chrono>
#include <cstdint>
#include <mutex>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "sim/BytePacer.h"
#include "sim/ReceiverModel.h"
#include "support/HeardTrace.h"
#include "support/ScriptedPortFactory.h"

namespace kestrion::test {

class CScriptedReceiver {
public:
    // The port name the settings give.
    static constexpr const char* kPortName = "/dev/ttyScripted0";

    explicit CScriptedReceiver(const SimConfig& config);
    CScriptedReceiver(const CScriptedReceiver&) = delete;
    CScriptedReceiver& operator=(const CScriptedReceiver&) = delete;

    CScriptedPortFactory& Devices() { return m_devices; }
    const std::string& Path() const { return m_path; }

    // Runs the receiver to nowMs (ms of the virtual clock; an earlier time does nothing).
    void AdvanceTo(int64_t nowMs);
    int64_t NowMs();

    // What the receiver heard at its baud rate: frames in hexadecimal, sentences as text.
    std::vector<std::string> Heard() { return m_trace.Lines(); }
    // When the receiver heard the lines that begin with the prefix, in ms of the virtual clock.
    std::vector<int64_t> HeardAt(std::string_view prefix) { return m_trace.TimesOf(prefix); }

private:
    void Received(const CScriptedDevice& device, std::span<const uint8_t> bytes);

    std::string m_path = kPortName;
    CScriptedPortFactory m_devices;
    std::mutex m_mutex;  // the model and the clock: the port writes from its threads
    CReceiverModel m_model;
    CBytePacer m_pacer{0};
    int64_t m_nowMs = 0;
    CHeardTrace m_trace;
};

}  // namespace kestrion::test
