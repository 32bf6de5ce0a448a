#include "support/ScriptedReceiver.h"

namespace kestrion::test {

namespace {

// The step of the line as the simulator serves it in real time.
constexpr int64_t kStepMs = 5;

}  // namespace

CScriptedReceiver::CScriptedReceiver(const SimConfig& config) : m_model(config, 0)
{
    m_model.SetTrace([this](std::string_view line) { m_trace.Add(line, m_nowMs); });  // in Received, under the lock
    m_devices.SetOpenHandler([this](CScriptedDevice& device) {
        device.SetWriteHandler([this, &device](std::span<const uint8_t> bytes) { Received(device, bytes); });
    });
    m_devices.SetSleeper([this](std::chrono::milliseconds duration) { AdvanceTo(NowMs() + duration.count()); });
}

void CScriptedReceiver::AdvanceTo(int64_t nowMs)
{
    CScriptedDevice* device = nullptr;
    {
        const std::lock_guard lock(m_mutex);
        while (m_nowMs < nowMs) {
            m_nowMs = std::min(nowMs, m_nowMs + kStepMs);
            m_model.Advance(m_nowMs);
            const size_t room = m_pacer.Allowance(m_nowMs, m_model.Baud());
            if (room == 0) {
                continue;
            }
            // A closed port's line drops what the receiver sends.
            device = m_devices.Current();
            const std::vector<uint8_t> output =
                m_model.TakeOutput(room, device != nullptr ? device->Baud() : m_model.Baud());
            m_pacer.Spend(output.size());
            if (device != nullptr) {
                device->Feed(output);
            }
        }
    }
    if (device != nullptr) {
        device->WaitTaken();
    }
}

int64_t CScriptedReceiver::NowMs()
{
    const std::lock_guard lock(m_mutex);
    return m_nowMs;
}

void CScriptedReceiver::Received(const CScriptedDevice& device, std::span<const uint8_t> bytes)
{
    const std::lock_guard lock(m_mutex);
    m_model.Receive(bytes, device.Baud());
}

}  // namespace kestrion::test
