#pragma once
// Fakes of the program-wide services for feed and source tests: a timer table that the test
// ticks by hand, and a services object that records what feeds and sources ask of it.
#include <algorithm>
#include <array>
#include <ctime>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "support/TempFolder.h"
#include "support/ProtocolFakes.h"
#include "protocol/MessageDecoder.h"
#include "transport/FeedServices.h"

namespace kestrion::fakes {

class CFakeTimers : public ITimerService {
public:
    struct Entry {
        int tickCode = 0;
        ITickReceiver* receiver = nullptr;
    };

    int Register(int tickCode, ITickReceiver& receiver, int periodMs) override
    {
        for (size_t i = 0; i < entries.size(); ++i) {
            if (entries[i].receiver == nullptr) {
                entries[i] = Entry{tickCode, &receiver};
                registrations.push_back(periodMs);
                return static_cast<int>(i) + 1;
            }
        }
        return 0;
    }
    int Cancel(int timerNumber) override
    {
        if (timerNumber > 0 && timerNumber <= static_cast<int>(entries.size())) {
            entries[static_cast<size_t>(timerNumber) - 1] = Entry{};
        }
        return 0;
    }

    int Running() const
    {
        return static_cast<int>(std::count_if(entries.begin(), entries.end(), [](const Entry& e) { return e.receiver; }));
    }
    // The timer registered for the tick code, or 0.
    int Of(int tickCode) const
    {
        for (size_t i = 0; i < entries.size(); ++i) {
            if (entries[i].receiver != nullptr && entries[i].tickCode == tickCode) {
                return static_cast<int>(i) + 1;
            }
        }
        return 0;
    }
    // Ticks timer n once, as the dispatch would; false when it does not run.
    bool Fire(int timerNumber)
    {
        const Entry entry = timerNumber > 0 ? entries.at(static_cast<size_t>(timerNumber) - 1) : Entry{};
        if (entry.receiver != nullptr) {
            entry.receiver->Tick(entry.tickCode);
        }
        return entry.receiver != nullptr;
    }

    std::array<Entry, 5> entries{};
    std::vector<int> registrations;  // the period of every registration, in order
};

class CScriptedRandom : public IRandomGenerator {
public:
    int Next() override
    {
        if (values.empty()) {
            return fallback;
        }
        const int value = values.front();
        values.erase(values.begin());
        return value;
    }
    std::vector<int> values;
    int fallback = 16384;
};

// An INI file in a temporary folder, removed at the end.
class CTempProfile {
public:
    explicit CTempProfile(const std::string& content = "") { WriteText(Path(), content); }
    CProfile Profile() const { return CProfile(Path()); }

private:
    std::filesystem::path Path() const { return m_folder.Path() / "settings.ini"; }
    CTempFolder m_folder;
};

// Opens nothing: tests that use serial devices bring their own factory.
class CNoSerialDevices : public ISerialDeviceFactory {
public:
    std::unique_ptr<ISerialDevice> Open(const std::string& path, const SerialSettings&, std::string& error) override
    {
        error = "No serial device in this test: " + path;
        return nullptr;
    }
};

class CFakeClock : public IClock {
public:
    std::time_t Now() const override { return now; }
    std::time_t now = 1699142400;  // Sun Nov  5 00:00:00 2023 UTC
};

class CFakeFeedServices : public IFeedServices {
public:
    explicit CFakeFeedServices(const CProfile& profile) : m_profile(profile) {}

    struct Box {
        std::string text;
        BoxIcon icon;
        bool guarded;
    };

    void Broadcast(int code, int /*value*/, const CMessageRecord* record) override
    {
        events.push_back(code);
        if (onBroadcast) {
            onBroadcast(code, record);
        }
    }
    void LogRecord(const CMessageRecord& record) override { logged.push_back(record.type); }
    void RefreshTitle() override { ++titleRefreshes; }
    BoxAnswer MessageBox(std::string_view text, BoxButtons, BoxIcon icon) override
    {
        boxes.push_back({std::string(text), icon, false});
        return BoxAnswer::Ok;
    }
    void GuardedMessageBox(std::string_view text, BoxButtons, BoxIcon icon) override
    {
        boxes.push_back({std::string(text), icon, true});
    }
    ITimerService& Timers() override { return timers; }
    CMessageDecoder& Decoder() override { return decoder; }
    const CProfile& Profile() const override { return m_profile; }
    ISerialDeviceFactory& SerialDevices() override { return *serialDevices; }
    CReceiveTaps& MeasuredTaps() override { return measuredTaps; }
    void PromptSoftwareSelection() override { ++selectionPrompts; }
    RandomState& Random() override { return random; }
    IRandomGenerator& RandomGenerator() override { return generator; }
    PeriodicReset& Reset() override { return reset; }
    const IClock& Clock() const override { return clock; }

    // How many events of one code were broadcast.
    size_t CountOf(int code) const { return static_cast<size_t>(std::count(events.begin(), events.end(), code)); }

    CFakeTimers timers;
    CFakeHost host;
    ProtocolState protocol;
    CMessageDecoder decoder{protocol, host};
    RandomState random;
    CScriptedRandom generator;
    PeriodicReset reset;
    CFakeClock clock;
    CNoSerialDevices noSerialDevices;
    ISerialDeviceFactory* serialDevices = &noSerialDevices;
    CReceiveTaps measuredTaps;
    int selectionPrompts = 0;
    std::vector<int> events;  // the codes broadcast, in order
    std::vector<int> logged;
    std::vector<Box> boxes;
    int titleRefreshes = 0;
    std::function<void(int, const CMessageRecord*)> onBroadcast;

private:
    const CProfile& m_profile;
};

}  // namespace kestrion::fakes
