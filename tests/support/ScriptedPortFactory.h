#pragma once
// The serial devices of a test: every name opens a scripted device (at the baud the settings
// give, else the one it last had), unless opens are refused; the port's waits pass on the
// test's clock, or return at once.
#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "support/ScriptedDevice.h"

namespace kestrion::test {

class CScriptedPortFactory : public ISerialDeviceFactory {
public:
    // Wires each device as it opens, on the opening thread.
    void SetOpenHandler(std::function<void(CScriptedDevice&)> onOpen);
    // Where the port's bounded waits go.
    void SetSleeper(std::function<void(std::chrono::milliseconds)> sleeper);
    // Opens fail with this text from now on; empty lets them succeed again.
    void RefuseOpens(std::string error);

    // The device opened last, while it is open; null otherwise.
    CScriptedDevice* Current();
    // The bauds of every open so far, in order.
    std::vector<int> OpenedBauds();

    std::unique_ptr<ISerialDevice> Open(const std::string& path, const SerialSettings& settings,
                                        std::string& error) override;
    void Sleep(std::chrono::milliseconds duration) override;

private:
    void Destroyed(CScriptedDevice& device);

    std::mutex m_mutex;
    std::function<void(CScriptedDevice&)> m_onOpen;
    std::function<void(std::chrono::milliseconds)> m_sleeper;
    std::string m_refusal;
    CScriptedDevice* m_current = nullptr;
    std::map<std::string, int> m_bauds;  // by path: the baud it last opened at
    std::vector<int> m_opened;
};

}  // namespace kestrion::test
