#include "support/ScriptedPortFactory.h"

namespace kestrion::test {

namespace {

constexpr int kFirstBaud = 38400;

}  // namespace

void CScriptedPortFactory::SetOpenHandler(std::function<void(CScriptedDevice&)> onOpen)
{
    const std::lock_guard lock(m_mutex);
    m_onOpen = std::move(onOpen);
}

void CScriptedPortFactory::SetSleeper(std::function<void(std::chrono::milliseconds)> sleeper)
{
    const std::lock_guard lock(m_mutex);
    m_sleeper = std::move(sleeper);
}

void CScriptedPortFactory::RefuseOpens(std::string error)
{
    const std::lock_guard lock(m_mutex);
    m_refusal = std::move(error);
}

CScriptedDevice* CScriptedPortFactory::Current()
{
    const std::lock_guard lock(m_mutex);
    return m_current;
}

std::vector<int> CScriptedPortFactory::OpenedBauds()
{
    const std::lock_guard lock(m_mutex);
    return m_opened;
}

std::unique_ptr<ISerialDevice> CScriptedPortFactory::Open(const std::string& path, const SerialSettings& settings,
                                                          std::string& error)
{
    std::function<void(CScriptedDevice&)> onOpen;
    std::unique_ptr<CScriptedDevice> device;
    {
        const std::lock_guard lock(m_mutex);
        if (!m_refusal.empty()) {
            error = m_refusal;
            return nullptr;
        }
        int& baud = m_bauds.try_emplace(path, kFirstBaud).first->second;
        if (!settings.baud.empty()) {
            baud = std::stoi(settings.baud);
        }
        device = std::make_unique<CScriptedDevice>(path, baud, [this](CScriptedDevice& gone) { Destroyed(gone); });
        m_current = device.get();
        m_opened.push_back(baud);
        onOpen = m_onOpen;
    }
    if (onOpen) {
        onOpen(*device);
    }
    return device;
}

void CScriptedPortFactory::Sleep(std::chrono::milliseconds duration)
{
    std::function<void(std::chrono::milliseconds)> sleeper;
    {
        const std::lock_guard lock(m_mutex);
        sleeper = m_sleeper;
    }
    if (sleeper) {
        sleeper(duration);
    }
}

void CScriptedPortFactory::Destroyed(CScriptedDevice& device)
{
    const std::lock_guard lock(m_mutex);
    if (m_current == &device) {
        m_current = nullptr;
    }
}

}  // namespace kestrion::test
